// The telephone area data the builder turns into KESTEL.DIC: three UTF-8 CSV
// files with a header row, without quoted fields.
//   compartments.csv              compartment,ma_number,pref,ma_name,area_code
//   municipality_compartments.csv jis_code,distinct,pref,county,county_type,name,
//                                 name_type,compartment,zone_note
//   number_bands.csv              ma_name,area_code,band_start,band_end,eliminate
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mkdic {

// A numbering compartment: its message area and area code ("0123").
struct Compartment {
    std::string id;  // "4-2"
    std::string maName;
    std::string areaCode;
};

// One compartment serving (a part of) a municipality.
struct MunicipalityCompartment {
    std::uint32_t jisCode = 0;
    std::string compartment;  // "-" when no compartment serves it
    std::string zoneNote;     // UTF-8; empty when the compartment serves all of it
    bool cityWide = false;    // the row of a city divided into wards, as a whole
};

// Leading digits in use in a message area, each written with the area code's
// leading zero; `eliminate` (here also with the leading zero) is a prefix
// inside the band that belongs elsewhere, empty when none.
struct NumberBand {
    std::string maName;
    std::string areaCode;
    std::string start, end;
    std::string eliminate;
};

// Each parser throws BuildError "<source> line N: ..." for a missing or wrong
// header, a wrong column count, or a code that is not what its column needs.
std::vector<Compartment> parseCompartments(std::string_view text, std::string_view sourceName);
std::vector<MunicipalityCompartment> parseMunicipalityCompartments(std::string_view text,
                                                                   std::string_view sourceName);
std::vector<NumberBand> parseNumberBands(std::string_view text, std::string_view sourceName);

}  // namespace mkdic
