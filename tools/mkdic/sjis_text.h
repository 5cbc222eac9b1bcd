// Shift-JIS byte texts the builder looks for in Japan Post's data, and the
// character stepping every scan over Shift-JIS text needs (a trail byte may
// look like an ASCII letter, so texts are walked one character at a time).
#pragma once

#include <platform/sjis.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace mkdic::sjis {

inline constexpr std::string_view kShi = "\x8e\x73";         // 市
inline constexpr std::string_view kGun = "\x8c\x53";         // 郡
inline constexpr std::string_view kKu = "\x8b\xe6";          // 区
inline constexpr std::string_view kChou = "\x92\xac";        // 町
inline constexpr std::string_view kMura = "\x91\xba";        // 村
inline constexpr std::string_view kOpenParen = "\x81\x69";   // （
inline constexpr std::string_view kCloseParen = "\x81\x6a";  // ）
inline constexpr std::string_view kKai = "\x8a\x4b";         // 階
// 地階・階層不明: the entry of a building for a floor that is not known.
inline constexpr std::string_view kFloorUnknown =
    "\x92\x6e\x8a\x4b\x81\x45\x8a\x4b\x91\x77\x95\x73\x96\xbe";
// 以下に掲載がない場合: the generic town of a municipality.
inline constexpr std::string_view kGenericTown =
    "\x88\xc8\x89\xba\x82\xc9\x8c\x66\x8d\xda\x82\xaa\x82\xc8\x82\xa2\x8f\xea\x8d\x87";

// Half-width katakana readings of the suffixes.
inline constexpr std::string_view kReadShi = "\xbc";           // ｼ
inline constexpr std::string_view kReadGun = "\xb8\xde\xdd";   // ｸﾞﾝ
inline constexpr std::string_view kReadKu = "\xb8";            // ｸ
inline constexpr std::string_view kReadChou = "\xc1\xae\xb3";  // ﾁｮｳ
inline constexpr std::string_view kReadMachi = "\xcf\xc1";     // ﾏﾁ
inline constexpr std::string_view kReadMura = "\xd1\xd7";      // ﾑﾗ
inline constexpr std::string_view kReadSon = "\xbf\xdd";       // ｿﾝ

// Byte length of the character that starts at `pos`.
inline std::size_t charLength(std::string_view text, std::size_t pos) {
    return platform::isSjisLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2
                                                                                                : 1;
}

// True when `text` ends with the whole character sequence `suffix`, checked on
// a character boundary so that a trail byte never counts as a match.
bool endsWithChars(std::string_view text, std::string_view suffix);

// Byte offset of the first occurrence of `needle` at or after `from` that
// starts on a character boundary; npos when there is none.
std::size_t findChars(std::string_view text, std::string_view needle, std::size_t from = 0);

// The full-width digits ０-９.
inline bool isWideDigit(std::string_view text, std::size_t pos) {
    return pos + 1 < text.size() && static_cast<unsigned char>(text[pos]) == 0x82 &&
           static_cast<unsigned char>(text[pos + 1]) >= 0x4f &&
           static_cast<unsigned char>(text[pos + 1]) <= 0x58;
}

}  // namespace mkdic::sjis
