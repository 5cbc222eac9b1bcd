// Folding of Shift-JIS address text into a matching key. Both sides of every
// comparison the engine makes are folded the same way, so the folded form is
// a key, not a readable text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fold_settings.h"

namespace keszip {

// The literal form keeps the administrative suffix kanji and turns kanji
// digits into ASCII digits one by one; the matching form folds suffixes,
// readings and kanji numerals as well.
enum FoldMode : int { kFoldLiteral = 0, kFoldMatching = 1 };

// Size of every folding buffer in the engine.
inline constexpr std::size_t kFoldBufferSize = 768;

// Bits of the substitution report.
inline constexpr unsigned kReportBuiltInPair = 0x01;
inline constexpr unsigned kReportTablePair = 0x02;

// Folds `text` into `out` (capacity `outSize`, including the terminating NUL)
// and returns the folded length. Output that would not fit is cut at a
// character boundary, so `out` always holds a terminated, well-formed text.
// When `report` is not null it receives the substitution report.
std::size_t foldText(std::string_view text, char* out, std::size_t outSize, int mode,
                     const FoldSettings& settings, unsigned* report = nullptr);

// Convenience form with the engine's 768-byte limit.
std::string foldText(std::string_view text, int mode, const FoldSettings& settings,
                     unsigned* report = nullptr);

// The office-name variant: the character pass in which a kanji is folded only
// by the variant-kanji pairs (not at all when kanjiTableOff is set), with no
// suffix pairs, no KESZIP.TBL pairs and no removal of ｶ, ｹ or ｶﾞ, followed by
// the literal-form finish.
std::string foldOfficeText(std::string_view text, const FoldSettings& settings);

// Whether the double-byte character `code` (lead byte << 8 | trail byte) is
// one of the kanji numerals the matching form reads as numbers: the digits
// 一 to 九, 零, 壱, 弐, 参, 伍 and the multipliers 十, 拾, 百, 千.
bool isKanjiNumeral(std::uint16_t code);

}  // namespace keszip
