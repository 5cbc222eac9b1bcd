#include "database_text.h"

#include <platform/sjis.h>

namespace converter {
namespace {

// Decodes one UTF-8 character at `pos`; false (and one byte consumed) when
// the bytes there are not a well-formed, shortest-form character.
bool decodeUtf8(std::string_view text, std::size_t& pos, char32_t& out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char c = byte(pos);
    std::size_t length = c < 0x80             ? 1
                         : (c & 0xE0) == 0xC0 ? 2
                         : (c & 0xF0) == 0xE0 ? 3
                         : (c & 0xF8) == 0xF0 ? 4
                                              : 0;
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return false;
    }
    char32_t value = length == 1 ? c : c & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        value = (value << 6) | (byte(pos + i) & 0x3F);
    }
    static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += length;
    out = value;
    return true;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

bool isUtf8(std::string_view text) {
    std::size_t pos = 0;
    char32_t c;
    while (pos < text.size())
        if (!decodeUtf8(text, pos, c)) return false;
    return true;
}

std::string databaseTextToSjis(std::string_view utf8) {
    bool ascii = true;
    for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(utf8);
    if (!isUtf8(utf8)) return std::string(utf8);
    thread_local platform::SjisConverter converter;
    std::string out;
    if (converter.toSjis(utf8, out)) return out;
    // Some character has no Shift-JIS form: convert character by character.
    static const std::string substitute = "\x81\xAC";  // 〓
    std::string result;
    std::string piece;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        char32_t c;
        decodeUtf8(utf8, pos, c);
        if (converter.toSjis(utf8.substr(start, pos - start), piece))
            result += piece;
        else
            result += substitute;
    }
    return result;
}

std::optional<std::string> sjisToDatabaseText(std::string_view sjis) {
    bool ascii = true;
    for (char c : sjis) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(sjis);
    return platform::sjisToUtf8(sjis);
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c;
        if (!decodeUtf8(utf8, pos, c)) c = 0xFFFD;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 | (c >> 10));
            out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(c, out);
    }
    return out;
}

}  // namespace converter
