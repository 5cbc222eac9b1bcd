#include "utf8_edge.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "keszip.h"

namespace keszip {
namespace {

// The byte length of the well-formed UTF-8 character at the start of `text`
// and its value, or 0 when it is not one.
std::size_t decodeOne(std::string_view text, std::uint32_t& value) {
    const unsigned char c = static_cast<unsigned char>(text[0]);
    std::size_t more;
    if (c < 0x80) {
        value = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
        value = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
        value = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
        value = c & 0x07;
    } else {
        return 0;
    }
    if (text.size() <= more) return 0;  // cut short
    for (std::size_t k = 1; k <= more; ++k) {
        const unsigned char t = static_cast<unsigned char>(text[k]);
        if ((t & 0xC0) != 0x80) return 0;
        value = (value << 6) | (t & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((more == 2 && value < 0x800) || (more == 3 && (value < 0x10000 || value > 0x10FFFF)) ||
        (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return more + 1;
}

// Dash, hyphen and minus forms that Shift-JIS cannot write. People type them
// between the numbers of an address (word processors turn "-" into an en
// dash), so they are read as the hyphen they stand for.
bool isDashWithoutShiftJis(std::uint32_t c) {
    static constexpr std::uint32_t kDashes[] = {
        0x02D7,  // modifier letter minus sign
        0x2011,  // non-breaking hyphen
        0x2012,  // figure dash
        0x2013,  // en dash
        0x2043,  // hyphen bullet
        0x207B,  // superscript minus
        0x208B,  // subscript minus
        0x2796,  // heavy minus sign
        0x2E3A,  // two-em dash
        0x2E3B,  // three-em dash
        0xFE58,  // small em dash
        0xFE63,  // small hyphen-minus
    };
    return std::find(std::begin(kDashes), std::end(kDashes), c) != std::end(kDashes);
}

constexpr std::string_view kPlaceholder =
    "\x81\xAC";  // 〓, the customary mark of a missing character

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool isUtf8(std::string_view text) {
    std::uint32_t value;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = decodeOne(text.substr(i), value);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

int utf8ToEngineText(std::string_view utf8, platform::SjisConverter& converter, std::string& out) {
    out.clear();
    if (utf8.find('\0') != std::string_view::npos) return KESZIP_UTF8_NUL_BYTE;
    if (!isUtf8(utf8)) return KESZIP_UTF8_INVALID;
    if (isAscii(utf8)) {
        out.assign(utf8);
        return KESZIP_UTF8_OK;
    }
    if (converter.toSjis(utf8, out)) return KESZIP_UTF8_OK;
    // Some character has no Shift-JIS form: convert the runs that have one
    // whole and deal with the others one by one.
    out.clear();
    int status = KESZIP_UTF8_OK;
    std::string part;
    std::size_t runStart = 0;
    // Each character of a run converted on its own, so the run converts.
    auto flushRun = [&](std::size_t end) {
        if (end > runStart && converter.toSjis(utf8.substr(runStart, end - runStart), part))
            out += part;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t value;
        const std::size_t n = decodeOne(utf8.substr(i), value);
        std::string_view one = utf8.substr(i, n);
        if (n > 1 && !converter.toSjis(one, part)) {
            flushRun(i);
            if (isDashWithoutShiftJis(value)) {
                out += '-';
            } else {
                out += kPlaceholder;
                status = KESZIP_UTF8_REPLACED;
            }
            runStart = i + n;
        }
        i += n;
    }
    flushRun(utf8.size());
    return status;
}

void engineTextToUtf8(std::string_view sjis, platform::SjisConverter& converter, char* out,
                      std::size_t size, std::string& scratch) {
    if (size == 0) return;
    std::string_view text = sjis;
    if (!isAscii(sjis)) {
        converter.toUtf8Lossy(sjis, scratch);
        text = scratch;
    }
    std::size_t length = std::min(text.size(), size - 1);
    // Never cut inside a character: back up over continuation bytes.
    if (length < text.size())
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

}  // namespace keszip
