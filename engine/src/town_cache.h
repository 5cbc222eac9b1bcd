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
    // The kanji pattern's name before its note without its last 町 or 村
    // (仙川 for 仙川ﾏﾁ), and where that word was cut; empty when it has none.
    std::string shortName;
    std::uint16_t shortCut = 0;
};

// What the town matcher's quick pass over towns an address cannot name reads
// of a town: whether the matcher must always look at it (special codes, the
// generic town, names ending in a numeral), the first byte of each leading
// text (0 when it has none) and the first two bytes of the kanji and reading
// patterns (0 when shorter). Kept apart from the towns, so that passing over
// hundreds of towns reads little memory.
struct TownKey {
    bool alwaysCompare = false;
    unsigned char kanjiLeadByte = 0, readingLeadByte = 0;
    std::uint16_t kanjiHead = 0, readingHead = 0;
};

struct TownList {
    std::vector<PreparedTown> towns;
    std::vector<TownKey> keys;  // one per town, in the same order
};

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
