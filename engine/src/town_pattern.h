// Town-name patterns: whether the rest of an address names a town of the
// dictionary, and how well.
#pragma once

#include <string>
#include <string_view>

#include "address_elements.h"

namespace keszip {

// Results of a pattern match.
inline constexpr int kNoMatch = 0;
inline constexpr int kMatch = 1;
inline constexpr int kStreetMatch = 3;  // a Kyoto street description without its town name

// What one town comparison works on: the rest of the address and its
// elements (parsed once per lookup), the pattern's elements and the score the
// last comparison reached.
struct PatternMatch {
    std::string_view input;  // P, the rest of the address in matching form
    ElementList inputElements;
    ElementList patternElements;
    int score = 0;
    int municipalityCode = 0;
    bool inCodeList = false;  // the town's 7-digit code is in the dictionary's code list

    // Sets the input and parses it into elements.
    void setInput(std::string_view text);
};

// Matches the folded town text `pattern` against the input: kNoMatch,
// kMatch or kStreetMatch; the score is left in m.score.
int townPatternMatch(PatternMatch& m, std::string_view pattern);

// The length of the text at the start of `pattern` that the input must
// begin with (directly or after "ﾏﾁﾒ") for any match, or 0 when the pattern
// gives no such guarantee (several alternatives, special texts, numbers
// first). Fixed per pattern, so the town cache keeps it.
std::size_t leadingText(std::string_view pattern);

// False when the input cannot match a pattern whose leading text (see
// leadingText) is `lead`; a cheap test before townPatternMatch.
bool mayMatch(const PatternMatch& m, std::string_view lead);

// Rewrites a Kyoto town pattern N(A､B) listing street descriptions into
// A(N､$$)､B(N､$$), so that an address giving a description followed by the
// town name, or by nothing, matches it. Other patterns stay as they are.
void kyotoRewrite(std::string& pattern);

// The per-floor entries of high-rise buildings. Both walk the input and
// look for the pattern's building name (up to its "(") in order in it.
// buildingMatches: the name was found. floorMatches: the name was found
// and the floor that follows in the input is the pattern's floor.
bool buildingMatches(std::string_view input, std::string_view pattern);
bool floorMatches(std::string_view input, std::string_view pattern);

}  // namespace keszip
