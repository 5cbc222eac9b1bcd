// What changed between two editions of Japan Post's data of all addresses:
// the codes that appeared and disappeared, the towns renamed, moved to
// another code, split or merged, and the municipalities renamed or merged.
// Users who hold lists converted with an older dictionary learn from it which
// codes to check again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ken_all.h"

namespace mkdic {

// One change. Every kind fills the same columns, empty where they do not apply;
// names are Shift-JIS, as in the source.
struct EditionChange {
    std::string kind;  // "code appeared", "town renamed", "municipality merged", ...
    std::vector<std::uint32_t> oldCodes, newCodes;  // 7-digit codes (local-government codes
                                                    // for the municipality kinds)
    std::string municipality;                       // prefecture and city of the new edition
    std::vector<std::string> oldNames, newNames;    // town names (municipality names)
    std::uint32_t localCode = 0;                    // of the municipality in the new edition
};

// The kinds in the order they are listed, each with its meaning.
inline constexpr const char* kChangeKinds[] = {
    "municipality renamed",  // same local-government code, or all its towns under a new one
    "municipality merged",   // its towns are now under another, existing municipality
    "code disappeared",      // a 7-digit code no town has any more
    "code appeared",         // a 7-digit code no town had
    "town renamed",          // same code and municipality, another name
    "town moved",            // same name and municipality, another code
    "town split",            // one town became several towns of the same name
    "town merged",           // several towns of one name became one
    "town removed",          // a town with no counterpart in the new edition
    "town added",            // a town with no counterpart in the old edition
};

// `oldTowns` and `newTowns` are the towns of each edition (continuation rows
// joined, KenAllSource::towns). The changes come in the order of kChangeKinds,
// each kind sorted by code.
std::vector<EditionChange> compareEditions(const std::vector<KenAllRow>& oldTowns,
                                           const std::vector<KenAllRow>& newTowns);

// One TAB-separated line per change: kind, old codes, new codes, municipality,
// old names, new names (lists joined by ","), each ending in LF.
std::string changeLines(const std::vector<EditionChange>& changes);

// One line per kind: the kind, TAB, how many changes of it.
std::string changeSummary(const std::vector<EditionChange>& changes);

}  // namespace mkdic
