// Settings that steer the folding of address text: read from KESZIP.PRM and
// KESZIP.TBL when a dictionary opens, and kept across close and reopen.
#pragma once

#include <string>
#include <vector>

namespace keszip {

// One pair of KESZIP.TBL: Shift-JIS key and value, escapes already expanded.
struct SubstitutionPair {
    std::string key;
    std::string value;
    bool operator==(const SubstitutionPair&) const = default;
};

struct FoldSettings {
    int kanSuujiConvLevel = 0;  // non-zero: kanji numerals at the end of a text are folded too
    int kanjiTableOff = 0;      // non-zero: no built-in kanji pairs
    std::vector<SubstitutionPair> kanjiSubstitutions;
    bool operator==(const FoldSettings&) const = default;
};

}  // namespace keszip
