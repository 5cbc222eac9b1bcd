#include "text_encoding.h"

#include <platform/sjis.h>

#include <fstream>

#include "src/utf8_edge.h"

namespace converter {
namespace {

// The length of the UTF-8 character at `i`, 0 when the bytes there are not one.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    std::size_t n;
    std::uint32_t least;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        least = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        least = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + n > text.size()) return 0;
    std::uint32_t code = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

EncodingLook lookAtText(std::string_view text, bool complete) {
    EncodingLook look;
    if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        look.byteOrderMark = true;
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    look.validUtf8 = true;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) look.beyondAscii = true;
        const std::size_t n = utf8Length(text, i);
        if (n == 0) {
            // A character cut by the end of what was read is no fault.
            if (!complete && text.size() - i < 4) break;
            look.validUtf8 = false;
            break;
        }
        i += n;
    }
    // Shift-JIS: whole characters up to a lead byte cut by the end of what
    // was read, each of them one of code page 932.
    std::size_t end = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) look.beyondAscii = true;
        if (platform::isSjisLead(c)) {
            if (i + 1 == text.size() && !complete) end = i;
            ++i;
        }
    }
    thread_local platform::SjisConverter converter;
    std::string decoded;
    look.validShiftJis = converter.toUtf8(text.substr(0, end), decoded);
    return look;
}

EncodingLook lookAtFile(const std::string& path, std::size_t bytes) {
    std::ifstream file(path, std::ios::binary);
    std::string head(bytes, '\0');
    file.read(head.data(), static_cast<std::streamsize>(bytes));
    head.resize(static_cast<std::size_t>(file.gcount()));
    const bool complete = head.size() < bytes;
    return lookAtText(head, complete);
}

bool looksLikeUtf8(const EncodingLook& look) {
    return look.byteOrderMark || (look.validUtf8 && look.beyondAscii && !look.validShiftJis);
}

std::string lookupFormOf(std::string_view utf8) {
    thread_local platform::SjisConverter converter;
    // The engine reads an address up to a NUL byte, as it does those of
    // Shift-JIS lists; what is left is made whole UTF-8 for the engine's
    // edge, which refuses text that is not.
    const std::string whole = wholeUtf8Characters(utf8.substr(0, utf8.find('\0')));
    std::string out;
    keszip::utf8ToEngineText(whole, converter, out);
    return out;
}

std::string wholeUtf8Characters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = utf8Length(text, i);
        if (n == 0) {
            ++i;
            continue;
        }
        out.append(text, i, n);
        i += n;
    }
    return out;
}

std::string utf8Of(std::string_view sjis) { return platform::sjisToUtf8Lossy(sjis); }

}  // namespace converter
