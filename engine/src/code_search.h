// Code to address: the towns that carry a postal code, and the part of the
// address that all of them share.
#pragma once

#include <cstddef>
#include <string_view>

#include "keszip.h"
#include "records.h"
#include "search_state.h"
#include "zip_engine.h"

namespace keszip {

// Search flags of the code searches.
enum SearchFlag : int {
    kSearchFound = KESZIP_SEARCH_FOUND,
    kSearchGenericTown = KESZIP_SEARCH_GENERIC_TOWN,          // "以下に掲載がない場合"
    kSearchExceptBuildings = KESZIP_SEARCH_EXCEPT_BUILDINGS,  // note "(次のビルを除く)"
    kSearchLotFollows = KESZIP_SEARCH_LOT_FOLLOWS,  // holds "の次に番地がくる場合"
};

// The flags of a found town from its name and note as split by townParts.
int searchFlags(std::string_view town, std::string_view note);

// Splits a dictionary town name at its first "(" into name and note.
void splitTownName(std::string_view name, std::string& town, std::string& note);

// The prefecture, city and ward names of municipality `muni`, plus the town.
void townParts(const ZipEngine& engine, std::size_t muni, const TownCandidate& town,
               AddressParts& parts);

// One step of the code-to-address search: with `first` the search for
// `codeText` starts, else the previous one goes on. Returns the search flags
// and fills `town` and `parts`, or 0 with lastError set (1 not open, 100 bad
// code or no more towns, 16 unreadable town block).
int nextCodeAddress(ZipEngine& engine, bool first, std::string_view codeText, TownCandidate& town,
                    AddressParts& parts);

// The levels shared by every town of the code: levels that differ are left
// empty. Returns the search flags of what remains, or 0 with lastError set.
int codeDecision(ZipEngine& engine, std::string_view codeText, AddressParts& parts);

}  // namespace keszip
