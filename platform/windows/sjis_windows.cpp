// Shift-JIS conversions on Windows' code page 932. The bytes are those of
// glibc's CP932 on the other systems: the few places where the two tables
// differ are settled here, before and after the system's calls.
#include <windows.h>

#include <array>
#include <cstring>

#include "platform/sjis.h"
#include "platform/sjis_utf16.h"

namespace platform {
namespace {

constexpr UINT kCodePage = 932;

// Characters glibc's CP932 also writes as Shift-JIS (the JIS forms of the
// yen sign, the overline, the dashes and the currency signs); Windows
// writes them only by best fit, which is off.
struct ExtraMapping {
    char16_t unit;
    const char* bytes;
};
constexpr std::array<ExtraMapping, 9> kExtraMappings{{{0x00A5, "\x5C"},
                                                      {0x203E, "\x7E"},
                                                      {0x2014, "\x81\x5C"},
                                                      {0x2016, "\x81\x61"},
                                                      {0x2212, "\x81\x7C"},
                                                      {0x301C, "\x81\x60"},
                                                      {0x00A2, "\x81\x91"},
                                                      {0x00A3, "\x81\x92"},
                                                      {0x00AC, "\x81\xCA"}}};

const char* extraMapping(char16_t unit) {
    for (const auto& m : kExtraMappings)
        if (m.unit == unit) return m.bytes;
    return nullptr;
}

// Units Windows' table maps from single bytes that glibc's CP932 leaves
// undefined (0x80, 0xA0, 0xFD to 0xFF).
bool windowsOnlyUnit(char16_t unit) { return unit == 0x0080 || (unit >= 0xF8F0 && unit <= 0xF8F3); }

bool validTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The length of the Shift-JIS character at `i`, 0 when the bytes are not a
// character of glibc's table shape (a lone lead byte, a bad trail byte, or
// one of the single bytes only Windows defines).
std::size_t characterLength(std::string_view sjis, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(sjis[i]);
    if (c == 0x80 || c == 0xA0 || c >= 0xFD) return 0;
    if (!isSjisLead(c)) return 1;
    if (i + 1 >= sjis.size() || !validTrail(static_cast<unsigned char>(sjis[i + 1]))) return 0;
    return 2;
}

bool decode(std::string_view sjis, std::u16string& out) {
    out.clear();
    if (sjis.empty()) return true;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = characterLength(sjis, i);
        if (length == 0) return false;
        i += length;
    }
    const int size = static_cast<int>(sjis.size());
    const int units =
        MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, sjis.data(), size, nullptr, 0);
    if (units <= 0) return false;
    out.resize(static_cast<std::size_t>(units));
    return MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, sjis.data(), size,
                               reinterpret_cast<wchar_t*>(out.data()), units) == units;
}

// One character (one unit, or a surrogate pair) to Shift-JIS; false when it
// has none.
bool encodeCharacter(std::u16string_view character, std::string& out) {
    if (character.size() == 1) {
        if (const char* bytes = extraMapping(character[0])) {
            out += bytes;
            return true;
        }
        if (windowsOnlyUnit(character[0])) return false;
    }
    char buffer[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(
        kCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(character.data()),
        static_cast<int>(character.size()), buffer, sizeof buffer, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out.append(buffer, static_cast<std::size_t>(n));
    return true;
}

// UTF-16 to Shift-JIS; a character without a Shift-JIS form fails the whole
// text, or becomes `replacement` when one is given (and the result is false,
// the text being converted in full all the same).
bool encode(std::u16string_view text, const char* replacement, std::string& out) {
    out.clear();
    bool complete = true;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            length = 2;
        if (!encodeCharacter(text.substr(i, length), out)) {
            if (!replacement) return false;
            out += replacement;
            complete = false;
        }
        i += length;
    }
    return complete;
}

bool utf8ToUtf16(std::string_view utf8, std::u16string& out) {
    out.clear();
    if (utf8.empty()) return true;
    const int size = static_cast<int>(utf8.size());
    const int units =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (units <= 0) return false;
    out.resize(static_cast<std::size_t>(units));
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size,
                               reinterpret_cast<wchar_t*>(out.data()), units) == units;
}

void utf16ToUtf8(std::u16string_view text, std::string& out) {
    out.clear();
    if (text.empty()) return;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    out.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide, size, out.data(), bytes, nullptr, nullptr);
}

// Lenient decoding: a byte that starts no character becomes `replacement`
// (UTF-16) and decoding goes on with the next byte.
void decodeLenient(std::string_view sjis, std::u16string_view replacement, std::u16string& out) {
    out.clear();
    std::u16string piece;
    std::size_t start = 0;
    for (std::size_t i = 0; i < sjis.size();) {
        std::size_t length = characterLength(sjis, i);
        if (length != 0 && !decode(sjis.substr(i, length), piece)) length = 0;
        if (length != 0) {
            i += length;
            continue;
        }
        if (decode(sjis.substr(start, i - start), piece)) out += piece;
        out += replacement;
        start = ++i;
    }
    if (decode(sjis.substr(start), piece)) out += piece;
}

}  // namespace

std::optional<std::string> sjisToUtf8(std::string_view sjis) {
    std::u16string wide;
    if (!decode(sjis, wide)) return std::nullopt;
    std::string out;
    utf16ToUtf8(wide, out);
    return out;
}

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    std::u16string wide;
    std::string out;
    if (!utf8ToUtf16(utf8, wide) || !encode(wide, nullptr, out)) return std::nullopt;
    return out;
}

std::string sjisToUtf8Lossy(std::string_view sjis) {
    std::u16string wide;
    decodeLenient(sjis, u"\uFFFD", wide);
    std::string out;
    utf16ToUtf8(wide, out);
    return out;
}

SjisConverter::SjisConverter() : toUtf8_(nullptr), toSjis_(nullptr) {}
SjisConverter::~SjisConverter() = default;

bool SjisConverter::toUtf8(std::string_view sjis, std::string& out) {
    auto converted = sjisToUtf8(sjis);
    out = converted ? std::move(*converted) : std::string();
    return converted.has_value();
}

bool SjisConverter::toSjis(std::string_view utf8, std::string& out) {
    auto converted = utf8ToSjis(utf8);
    out = converted ? std::move(*converted) : std::string();
    return converted.has_value();
}

void SjisConverter::toUtf8Lossy(std::string_view sjis, std::string& out) {
    out = sjisToUtf8Lossy(sjis);
}

Utf16Converter::Utf16Converter() : toSjis_(nullptr), toUtf16_(nullptr) {}
Utf16Converter::~Utf16Converter() = default;

bool Utf16Converter::toSjis(std::u16string_view text, std::string& out) {
    return encode(text, "?", out);
}

void Utf16Converter::toUtf16(std::string_view sjis, std::u16string& out) {
    decodeLenient(sjis, u"?", out);
}

}  // namespace platform
