// Arbitrary bytes through the parsers of the telephone area data, as they
// come and behind each file's header (so that the rows themselves are
// reached), then through the band expansion and the zone notes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "build_error.h"
#include "telephone_codes.h"
#include "telephone_csv.h"

namespace {

template <typename Parse>
void tryParse(Parse&& parse) {
    try {
        parse();
    } catch (const mkdic::BuildError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& input :
         {std::string(text),
          "compartment,ma_number,pref,ma_name,area_code\n" + std::string(text)}) {
        tryParse([&] {
            for (const auto& c : mkdic::parseCompartments(input, "fuzz")) (void)c.areaCode.size();
        });
    }
    tryParse([&] {
        const std::string input =
            "jis_code,distinct,pref,county,county_type,name,name_type,compartment,zone_note\n" +
            std::string(text);
        for (const auto& m : mkdic::parseMunicipalityCompartments(input, "fuzz")) {
            const auto rule = mkdic::ZoneRule::parse(m.zoneNote);
            (void)rule.serves(m.compartment);
        }
    });
    tryParse([&] {
        const std::string input =
            "ma_name,area_code,band_start,band_end,eliminate\n" + std::string(text);
        for (const auto& band : mkdic::parseNumberBands(input, "fuzz"))
            for (const auto& code : mkdic::bandCodes(band)) (void)mkdic::encodeTelCode(code);
    });
    return 0;
}
