// The state an address lookup leaves in the engine: where each level of the
// address matched, and the candidate slots of the town matcher.
#pragma once

#include <cstdint>
#include <string>

#include "records.h"

namespace keszip {

// Output buffers of one lookup; any may be null. code7 holds at least 9
// bytes, oldCode 7, addressNumber 14.
struct LookupTargets {
    char* code7 = nullptr;
    char* oldCode = nullptr;
    char* addressNumber = nullptr;
};

struct MatchState {
    std::string workText;  // the address in matching form, then edited

    bool prefFound = false;
    int prefIndex = -1;
    int prefCode = 0;
    int prefLength = 0;  // bytes of workText taken by the prefecture name (0 when assumed)

    int cityCursor = -1;
    bool cityFound = false;
    int cityOffset = 0, cityLength = 0;
    int cityLow = 0, cityHigh = 0;

    int muniCursor = -1;
    bool muniFound = false;
    int muniOffset = 0, muniLength = 0;
    int cityOmitted = 0;

    // Candidate slots of the town matcher; a slot is empty when its code is 0.
    TownCandidate current, best, generic, buildingException, floorUnknown;

    void clear() { *this = MatchState{}; }
};

}  // namespace keszip
