#include "utf8_ken_all.h"

#include <algorithm>
#include <cstdio>

#include "build_error.h"
#include "csv_source_line.h"
#include "text_lines.h"

namespace mkdic {

namespace {

constexpr std::uint16_t kUnknown = 0, kNoForm = 1;

// Half-width forms of the katakana U+30A1 (ァ) to U+30F6 (ヶ). The five with no
// half-width form of their own take that of the plain kana (ヰ ｲ, ヱ ｴ, ヮ ﾜ, ヵ ｶ, ヶ ｹ).
constexpr const char* kHalfKatakana[] = {
    "\xa7",     "\xb1",     "\xa8",     "\xb2",     "\xa9",     "\xb3",     "\xaa",     "\xb4",
    "\xab",     "\xb5",     "\xb6",     "\xb6\xde", "\xb7",     "\xb7\xde", "\xb8",     "\xb8\xde",
    "\xb9",     "\xb9\xde", "\xba",     "\xba\xde", "\xbb",     "\xbb\xde", "\xbc",     "\xbc\xde",
    "\xbd",     "\xbd\xde", "\xbe",     "\xbe\xde", "\xbf",     "\xbf\xde", "\xc0",     "\xc0\xde",
    "\xc1",     "\xc1\xde", "\xaf",     "\xc2",     "\xc2\xde", "\xc3",     "\xc3\xde", "\xc4",
    "\xc4\xde", "\xc5",     "\xc6",     "\xc7",     "\xc8",     "\xc9",     "\xca",     "\xca\xde",
    "\xca\xdf", "\xcb",     "\xcb\xde", "\xcb\xdf", "\xcc",     "\xcc\xde", "\xcc\xdf", "\xcd",
    "\xcd\xde", "\xcd\xdf", "\xce",     "\xce\xde", "\xce\xdf", "\xcf",     "\xd0",     "\xd1",
    "\xd2",     "\xd3",     "\xac",     "\xd4",     "\xad",     "\xd5",     "\xae",     "\xd6",
    "\xd7",     "\xd8",     "\xd9",     "\xda",     "\xdb",     "\xdc",     "\xdc",     "\xb2",
    "\xb4",     "\xa6",     "\xdd",     "\xb3\xde", "\xb6",     "\xb9",
};
static_assert(sizeof kHalfKatakana / sizeof kHalfKatakana[0] == 0x30F7 - 0x30A1);

// The code points of the JIS mapping of Shift-JIS that Japan Post writes, and
// the ones of code page 932 for the same Shift-JIS character.
std::uint32_t codePage932Form(std::uint32_t c) {
    switch (c) {
        case 0x301C:
            return 0xFF5E;  // 〜 ～ 0x8160
        case 0x2212:
            return 0xFF0D;  // − － 0x817C
        case 0x2016:
            return 0x2225;  // ‖ ∥ 0x8161
        case 0x2014:
            return 0x2015;  // — ― 0x815C
        case 0x00A2:
            return 0xFFE0;  // ¢ ￠ 0x8191
        case 0x00A3:
            return 0xFFE1;  // £ ￡ 0x8192
        case 0x00AC:
            return 0xFFE2;  // ¬ ￢ 0x81CA
        case 0x00A6:
            return 0xFFE4;  // ¦ ￤ 0xFA55
        default:
            return c;
    }
}

// Half-width form of a reading's character, or nullptr when it keeps its own.
const char* halfWidthForm(std::uint32_t c) {
    static constexpr const char* kAscii[] = {
        "!", "\"", "#", "$", "%", "&", "'", "(", ")", "*", "+", ",",  "-", ".", "/", "0",
        "1", "2",  "3", "4", "5", "6", "7", "8", "9", ":", ";", "<",  "=", ">", "?", "@",
        "A", "B",  "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",  "M", "N", "O", "P",
        "Q", "R",  "S", "T", "U", "V", "W", "X", "Y", "Z", "[", "\\", "]", "^", "_", "`",
        "a", "b",  "c", "d", "e", "f", "g", "h", "i", "j", "k", "l",  "m", "n", "o", "p",
        "q", "r",  "s", "t", "u", "v", "w", "x", "y", "z", "{", "|",  "}", "~"};
    if (c >= 0x30A1 && c <= 0x30F6) return kHalfKatakana[c - 0x30A1];
    if (c >= 0xFF01 && c <= 0xFF5D) return kAscii[c - 0xFF01];
    switch (c) {
        case 0x3000:
            return " ";
        case 0x3001:
            return "\xa4";  // 、
        case 0x3002:
            return "\xa1";  // 。
        case 0x300C:
            return "\xa2";  // 「
        case 0x300D:
            return "\xa3";  // 」
        case 0x309B:
            return "\xde";  // ゛
        case 0x309C:
            return "\xdf";  // ゜
        case 0x30FB:
            return "\xa5";  // ・
        case 0x30FC:
            return "\xb0";  // ー
        // KEN_ALL.CSV writes ranges in readings with a hyphen.
        case 0x2212:
        case 0x301C:
        case 0xFF5E:
        case 0x2010:
        case 0x2011:
            return "-";
        default:
            return nullptr;
    }
}

// Decodes the character at `pos`; 0xFFFFFFFF for invalid UTF-8 (overlong
// forms, surrogates and truncated sequences included).
std::uint32_t decode(std::string_view s, std::size_t& pos) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(pos);
    constexpr std::uint32_t kBad = 0xFFFFFFFF;
    if (c < 0x80) {
        ++pos;
        return c;
    }
    std::size_t n;
    std::uint32_t cp, min;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 1, cp = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 2, cp = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 3, cp = c & 0x07, min = 0x10000;
    } else {
        return kBad;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        if (pos + i >= s.size() || (b(pos + i) & 0xC0) != 0x80) return kBad;
        cp = (cp << 6) | (b(pos + i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kBad;
    pos += n + 1;
    return cp;
}

std::string describe(std::uint32_t cp, std::string_view text) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    return std::string("character ") + code + " \"" + std::string(text) +
           "\" has no Shift-JIS form";
}

}  // namespace

Utf8ToSjis::Utf8ToSjis() : cache_(0x10000, kUnknown) {}

std::uint16_t Utf8ToSjis::sjisOf(std::uint32_t codePoint) {
    const std::uint32_t c = codePage932Form(codePoint);
    if (c >= 0x10000) return kNoForm;  // nothing beyond the first plane has a Shift-JIS form
    std::uint16_t& known = cache_[c];
    if (known != kUnknown) return known;
    std::string utf8;
    if (c < 0x800) {
        utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else {
        utf8 = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    }
    std::string out;
    known = kNoForm;
    if (sjis_.toSjis(utf8, out)) {
        if (out.size() == 1 && static_cast<unsigned char>(out[0]) >= 0x80) {
            known = static_cast<unsigned char>(out[0]);
        } else if (out.size() == 2) {
            known = static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                               static_cast<unsigned char>(out[1]));
        }
    }
    return known;
}

bool Utf8ToSjis::convert(std::string_view utf8, bool halfWidth, std::string& out,
                         std::string& problem) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const std::uint32_t c = decode(utf8, pos);
        if (c == 0xFFFFFFFF) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(utf8[start]));
            problem = std::string("invalid UTF-8 at byte ") + byte;
            return false;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (halfWidth) {
            if (const char* half = halfWidthForm(c)) {
                out += half;
                continue;
            }
        }
        const std::uint16_t s = sjisOf(c);
        if (s == kNoForm) {
            problem = describe(c, utf8.substr(start, pos - start));
            return false;
        }
        if (s >= 0x100) out += static_cast<char>(s >> 8);
        out += static_cast<char>(s & 0xFF);
    }
    return true;
}

bool Utf8ToSjis::name(std::string_view utf8, std::string& out, std::string& problem) {
    return convert(utf8, false, out, problem);
}

bool Utf8ToSjis::reading(std::string_view utf8, std::string& out, std::string& problem) {
    return convert(utf8, true, out, problem);
}

std::vector<KenAllRow> parseUtf8KenAll(std::string_view text, std::string_view sourceName) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    static constexpr const char* kWhat[] = {"prefecture reading", "city reading", "town reading",
                                            "prefecture name",    "city name",    "town name"};
    Utf8ToSjis convert;
    std::vector<KenAllRow> rows;
    rows.reserve(text.size() / 140);
    std::string problem;
    forEachLine(text, [&](std::string_view line, std::size_t lineNumber) {
        if (line.empty()) return true;
        const CsvSourceLine parser(line, lineNumber, sourceName);
        std::vector<std::string> fields = parser.fields();
        for (std::size_t i = 3; i <= 8 && i < fields.size(); ++i) {
            std::string sjis;
            sjis.reserve(fields[i].size());
            const bool ok = i <= 5 ? convert.reading(fields[i], sjis, problem)
                                   : convert.name(fields[i], sjis, problem);
            if (!ok) parser.fail(std::string(kWhat[i - 3]) + ": " + problem);
            fields[i] = std::move(sjis);
        }
        rows.push_back(kenAllRowFromFields(std::move(fields), parser, kMaxTownTextBytes));
        return true;
    });
    if (rows.empty()) throw BuildError(std::string(sourceName) + ": holds no rows");
    return rows;
}

bool looksLikeUtf8(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") return true;
    text = text.substr(0, std::min(text.find('\n'), std::size_t{4096}));
    bool wide = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const std::uint32_t c = decode(text, pos);
        if (c == 0xFFFFFFFF) {
            // A sequence cut by the end of the sample is no evidence either way.
            return start + 4 > text.size() && wide;
        }
        wide = wide || c >= 0x80;
    }
    return wide;
}

}  // namespace mkdic
