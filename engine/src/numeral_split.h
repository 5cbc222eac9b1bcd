// Town names that end in a numeral (寺泊五分一, 浦臼第１) run into the house
// number written after them: the matching form reads 五分一8-14 as 五分18-14
// and 五分一三丁目 as 五分13丁目. The address is therefore also folded in two
// pieces at every place where such a name may end, so that the town matcher
// can compare those towns with the name and the house number kept apart.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "town_pattern.h"

namespace keszip {

class ZipEngine;

// The address folded in two pieces at one place: `town` is the part before
// it from the start of the town name, `input` that part, the separator "|"
// and the folded rest, parsed for the pattern comparison.
// `match` refers to `input`, so a split stays where it was made.
struct NumeralSplit {
    NumeralSplit() = default;
    NumeralSplit(const NumeralSplit&) = delete;
    NumeralSplit& operator=(const NumeralSplit&) = delete;

    std::string town;
    std::string input;
    PatternMatch match;
};

// The splits of `address` (as written) after each numeral that a house
// number directly follows (after blanks or a hyphen, or at once when the
// numeral is a kanji or full-width one). `workText` is the folded address
// and `townStart` where the town name begins in it; a split whose front
// does not fold to the same text up to there is left out. The splits are
// added to `out`.
void numeralSplits(const ZipEngine& engine, std::string_view address, std::string_view workText,
                   std::size_t townStart, std::vector<std::unique_ptr<NumeralSplit>>& out);

// The length of the part of a folded town name before its note when that
// part ends in a numeral (an ASCII digit or a kanji numeral) and holds a
// single name, else 0.
std::size_t numeralNameLength(std::string_view kanjiPattern);

}  // namespace keszip
