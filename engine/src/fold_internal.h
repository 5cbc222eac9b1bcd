// Pieces of the address-text folding shared by its source files: Shift-JIS
// byte classes, the character tables and the passes that fold.cpp chains.
#pragma once

#include <platform/sjis_bytes.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fold_settings.h"

namespace keszip::folding {

// Blanks and separators become this filler mark, which the finishes drop.
inline constexpr char kFiller = '*';

inline bool isLeadByte(unsigned char c) { return platform::isSjisLead(c); }
inline bool isTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC; }

// Length of the character at `pos` of a text that is well formed (every lead
// byte followed by its trail byte), as every work text of the folding is.
inline std::size_t charLength(const char* text, std::size_t pos, std::size_t size) {
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < size ? 2 : 1;
}

inline std::uint16_t doubleByteCode(const char* at) {
    return static_cast<std::uint16_t>((static_cast<unsigned char>(at[0]) << 8) |
                                      static_cast<unsigned char>(at[1]));
}

// --- Character tables (fold_tables.cpp) -------------------------------------

// Full-width symbols 0x8141-0x8197 other than the iteration mark: the
// half-width character they fold to, or 0 when the symbol is dropped.
unsigned char foldSymbol(std::uint16_t code);

// Hiragana and full-width katakana: the half-width kana and the voiced or
// semi-voiced mark that follows it (0 for none). `base` is 0 for other codes.
struct HalfWidthKana {
    unsigned char base = 0;
    unsigned char mark = 0;
};
HalfWidthKana foldKana(std::uint16_t code);

// One built-in kanji pair. The suffix pairs (the administrative suffixes and
// the particles written in kanji) apply only to the matching form.
struct KanjiPair {
    std::uint16_t from;
    std::string_view to;
    bool suffix;
    bool dropsKaBefore;  // 町, 村, 島, 嶋 swallow a preceding ｶ, ｹ or ｶﾞ
};
const KanjiPair* findKanjiPair(std::uint16_t code, bool withSuffixes);

// 0-9 for the kanji digits 一..九, 零, 壱, 弐, 参, 伍; -1 otherwise.
int kanjiDigit(std::uint16_t code);
// 1, 2 or 3 (the power of ten) for 十/拾, 百, 千; 0 otherwise.
int kanjiMultiplierExponent(std::uint16_t code);

// --- Passes ------------------------------------------------------------------

enum class Flavor { literal, matching, office };

// The character pass: folds `text` into `work` (at most `capacity` bytes, no
// terminator) and returns the length written. The input is cut at the first
// character whose folded form would not fit. `report` collects the
// substitution bits.
std::size_t characterPass(std::string_view text, Flavor flavor, const FoldSettings& settings,
                          char* work, std::size_t capacity, unsigned& report);

// Reading rules of the matching form, applied in place (same lengths).
void applyReadingRules(char* work, std::size_t size);

// Literal finish: drops filler marks and turns kanji digits into ASCII digits.
std::size_t finishLiteral(const char* work, std::size_t size, char* out, std::size_t capacity);

// Matching finish: converts kanji numeral runs into numbers and drops the
// filler marks. Output longer than `capacity` is cut before the piece that
// does not fit.
std::size_t finishMatching(const char* work, std::size_t size, char* out, std::size_t capacity,
                           int kanSuujiConvLevel);

}  // namespace keszip::folding
