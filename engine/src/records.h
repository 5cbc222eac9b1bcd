// In-memory forms of the dictionary records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "layout/dic_format.h"

namespace keszip {

// Longest text a town candidate holds (the engine's 768-byte buffers, less the NUL).
inline constexpr std::size_t kCandidateTextLimit = 767;
// Telephone codes a town keeps; a record with more keeps its first ones.
inline constexpr std::size_t kMaxTelCodes = dic::kTelCodesKept;

// One town of the dictionary, continuation records merged.
struct TownCandidate {
    std::uint32_t oldCode = 0;  // five-digit form, e.g. 6000 for "060  "
    std::uint32_t code7 = 0;    // 0 marks an empty slot
    std::string reading;        // half-width katakana
    std::string name;           // kanji, notes in half-width parentheses
    // Telephone dictionary only: the town's telephone codes (number without
    // its leading zero in bits 0-19, hyphen position in bits 20-23).
    std::vector<std::uint32_t> telCodes;
    bool empty() const { return code7 == 0; }
    // Keeps the texts' storage, so that the next town copied in needs none.
    void clear() {
        oldCode = code7 = 0;
        reading.clear();
        name.clear();
        telCodes.clear();
    }
};

struct PrefectureRecord {
    std::uint8_t code = 0;  // 1-47
    std::uint16_t firstCity = 0, lastCity = 0;
    std::uint16_t firstMunicipality = 0, lastMunicipality = 0;
    std::string reading, name;              // as stored
    std::string foldedReading, foldedName;  // matching form, made at open
};

// A city divided into wards, or a county.
struct CityRecord {
    std::uint16_t lowCode = 0, highCode = 0;  // local-government code range
    std::uint16_t firstMunicipality = 0;
    std::uint16_t unused = 0;
    std::string reading, name;
    std::string foldedReading, foldedName;
};

struct MunicipalityRecord {
    std::uint16_t code = 0;       // local-government code, e.g. 13101
    std::int16_t cityIndex = -1;  // -1 when it belongs to no city record
    std::uint8_t flags = 0;       // bit 0: per-floor codes of high-rise buildings
    std::uint32_t lowCode7 = 0, highCode7 = 0;
    std::uint32_t lowOldCode = 0, highOldCode = 0;
    std::uint64_t blockOffset = 0;  // absolute offset of the town block in the file
    std::uint16_t blockSize = 0;
    std::uint16_t townCount = 0;
    std::string reading, name;
    std::string foldedReading, foldedName;  // matching form, made at open
};

}  // namespace keszip
