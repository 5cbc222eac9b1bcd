// Shift-JIS words and character helpers shared by the town-name matching.
// Every word is in matching form (the output of foldText, mode 1); the
// comment beside each gives it in readable form.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "shift_jis_text.h"

namespace keszip::town {

using namespace std::string_view_literals;

inline constexpr std::string_view kChome = "\x92\x9A\x96\xDA"sv;               // 丁目
inline constexpr std::string_view kBanchi = "\x94\xD4\x92\x6E"sv;              // 番地
inline constexpr std::string_view kBan = "\x94\xD4"sv;                         // 番
inline constexpr std::string_view kChomePlaceholder = "@\x92\x9A\x96\xDA"sv;   // @丁目
inline constexpr std::string_view kBanchiPlaceholder = "@\x94\xD4\x92\x6E"sv;  // @番地
// ﾉ次ﾆ番地ｶﾞｸﾙ場合: "the lot number follows the municipality name"
inline constexpr std::string_view kLotFollows =
    "\xC9\x8E\x9F\xC6\x94\xD4\x92\x6E\xB6\xDE\xB8\xD9\x8F\xEA\x8D\x87"sv;
inline constexpr std::string_view kOrMore = "\x88\xC8\x8F\xE3"sv;  // 以上
inline constexpr std::string_view kOrLess = "\x88\xC8\x89\xBA"sv;  // 以下
inline constexpr std::string_view kOthers = "\xBF\xC9\x91\xBC"sv;  // ｿﾉ他
inline constexpr std::string_view kExceptBuildings =
    "\x8E\x9F\xC9\xCB\xDE\xD9\xA6\x8F\x9C\xB8"sv;  // 次ﾉﾋﾞﾙｦ除ｸ
inline constexpr std::string_view kExceptBuildingsReading =
    "\xC2\xB7\xDE\xC9\xCB\xDE\xD9\xA6\xC9\xBF\xDE\xB8"sv;  // ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ
inline constexpr std::string_view kOaza = "\x91\xE5\xB1\xBB\xDE"sv;  // 大ｱｻﾞ (大字)
inline constexpr std::string_view kStreetMark = "$$"sv;  // street description without town
inline constexpr std::string_view kJo = "\x8F\xF0"sv;    // 条
inline constexpr std::string_view kJoReading = "\xBC\xDE\xD6\xB3"sv;  // ｼﾞﾖｳ
inline constexpr std::string_view kMachime = "\xCF\xC1\xD2"sv;  // ﾏﾁﾒ (丁目 read ﾁﾖｳﾒ)
inline constexpr std::string_view kSen = "\x90\xFC"sv;          // 線
inline constexpr std::string_view kMe = "\x96\xDA"sv;           // 目
inline constexpr std::string_view kChi = "\x92\x6E"sv;          // 地

inline constexpr char kListComma = '\xA4';   // ､
inline constexpr char kMiddleDot = '\xA5';   // ･
inline constexpr char kOpenQuote = '\xA2';   // ｢
inline constexpr char kCloseQuote = '\xA3';  // ｣
inline constexpr char kNo = '\xC9';          // ﾉ

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the character at `i`: 2 for a lead byte with its trail byte
// inside the text, else 1.
inline std::size_t charLength(std::string_view text, std::size_t i) {
    return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

inline bool startsWith(std::string_view text, std::string_view prefix) {
    // The first byte rules out most texts before a full comparison.
    if (prefix.empty()) return true;
    return text.size() >= prefix.size() && text[0] == prefix[0] &&
           std::memcmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// True when `text` ends in `suffix` and the suffix starts on a character
// boundary (a trail byte followed by the suffix is not taken for it).
inline bool endsWithText(std::string_view text, std::string_view suffix) {
    if (suffix.size() > text.size()) return false;
    std::size_t start = text.size() - suffix.size();
    std::size_t i = 0;
    while (i < start) i += charLength(text, i);
    return i == start && text.substr(start) == suffix;
}

// Position of the first single-byte `c` at a character boundary, or npos.
inline std::size_t findByte(std::string_view text, char c, std::size_t from = 0) {
    for (std::size_t i = 0; i < text.size(); i += charLength(text, i)) {
        if (i >= from && text[i] == c) return i;
    }
    return std::string_view::npos;
}

}  // namespace keszip::town
