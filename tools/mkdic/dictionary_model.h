// The contents of KESZIP.DIC before it is laid out in bytes: prefectures,
// cities (cities divided into wards, and counties), municipalities and their
// town records, built from the rows of KEN_ALL.CSV. All texts are Shift-JIS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ken_all.h"
#include "layout/dic_format.h"

namespace mkdic {

// One town record: one source row.
struct Town {
    std::uint32_t oldCode = 0;  // five-digit form
    std::uint32_t code7 = 0;
    std::string reading;        // half-width katakana, as in the source
    std::string name;           // kanji with half-width parentheses
    bool continuation = false;  // continues the name of the record before it
    bool floorEntry = false;    // a per-floor entry of a high-rise building
    bool generic = false;       // 以下に掲載がない場合
    std::string tail;           // bytes after the name (the telephone codes in KESTEL.DIC)
    std::size_t bytes() const {
        return keszip::dic::kTownHead + reading.size() + name.size() + tail.size();
    }
};

struct Municipality {
    std::uint16_t code = 0;       // local-government code
    std::int16_t cityIndex = -1;  // city record, -1 when none
    std::uint8_t flags = 0;       // keszip::dic::kMuniFlagHighRise
    std::uint32_t lowCode7 = 0, highCode7 = 0;
    std::uint32_t lowOldCode = 0, highOldCode = 0;
    std::string reading, name;  // without the city or county part
    std::vector<Town> towns;
    std::size_t blockBytes() const;
};

struct City {
    std::uint16_t lowCode = 0, highCode = 0;  // local-government codes covered
    std::uint16_t firstMunicipality = 0;
    std::string reading, name;
};

// An empty city or municipality range is written with last = first - 1, first
// being the index the next record would take, or 1 when that is 0 (so that
// last never wraps to 0xFFFF, which would point outside the table).
struct Prefecture {
    std::uint8_t code = 0;
    std::uint16_t firstCity = 0, lastCity = 0;
    std::uint16_t firstMunicipality = 0, lastMunicipality = 0;
    std::string reading, name;
};

// A municipality whose towns did not fit in one block and were spread over
// several consecutive municipality records.
struct BlockSplit {
    std::uint16_t code = 0;
    std::string name;                    // full name as in the source
    std::vector<std::size_t> partBytes;  // block size of each record
};

// A name a place had before, and the name it has now (Shift-JIS); see the
// former names in dic_format.h.
struct FormerName {
    std::uint8_t kind = keszip::dic::kFormerTown;
    std::uint8_t prefecture = 0;
    std::uint16_t localCode = 0;  // a town's municipality; 0 for a municipality
    std::string former, now;
    auto operator<=>(const FormerName&) const = default;
};

struct DictionaryModel {
    std::size_t rowCount = 0;
    std::vector<Prefecture> prefectures;  // always 47, record i has code i + 1
    std::vector<City> cities;
    std::vector<Municipality> municipalities;
    std::vector<BlockSplit> splits;
    std::vector<FormerName> formerNames;  // written after the code list when not empty
};

// Throws BuildError with the source line when the rows contradict each other
// (one code with two names) or a name cannot be split.
DictionaryModel buildDictionaryModel(const std::vector<KenAllRow>& rows,
                                     std::size_t maxBlock = keszip::dic::kMaxBlockSize);

}  // namespace mkdic
