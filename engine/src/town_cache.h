// The towns of a municipality as the town matcher compares them: each town
// record (continuations merged) with the texts that stay the same for every
// address, folded once. The engine keeps them per municipality from the
// first lookup that reaches it until the dictionary closes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records.h"

namespace keszip {

class ZipEngine;

struct PreparedTown {
    // The record as nextTown yields it, with the fixed replacements of a few
    // names that the matcher takes instead of the dictionary's.
    TownCandidate town;
    std::string kanjiPattern;    // the kanji name in matching form
    std::string readingPattern;  // the reading in matching form, its ranges written with "~"
    std::string kyotoPattern;    // Kyoto wards: kanjiPattern with its street descriptions first
    // Leading texts of the three patterns (see leadingText).
    std::uint16_t kanjiLead = 0, readingLead = 0, kyotoLead = 0;
    bool generic = false;     // the municipality's "以下に掲載がない場合"
    bool inCodeList = false;  // the code is in the dictionary's code list
    // Digits of the name (before its note) that folding added, in the kanji
    // and the reading form; the address number starts after them.
    std::uint16_t kanjiDigits = 0;
    std::uint16_t readingDigits = 0;
    // Length of the kanji pattern's name before its note when that name ends
    // in a numeral (see numeralNameLength), else 0.
    std::uint16_t numeralName = 0;
};

using TownList = std::vector<PreparedTown>;

// Reads and prepares the towns of municipality `muni` in block order. False
// when its town block cannot be read (lastError is then 16).
bool readPreparedTowns(ZipEngine& engine, std::size_t muni, TownList& out);

class TownCache {
  public:
    // The prepared towns of `muni`, read on first use; null when its block
    // cannot be read.
    const TownList* towns(ZipEngine& engine, std::size_t muni);
    void clear() { lists_.clear(); }

  private:
    struct Entry {
        bool ready = false;
        TownList towns;
    };
    std::vector<Entry> lists_;
};

}  // namespace keszip
