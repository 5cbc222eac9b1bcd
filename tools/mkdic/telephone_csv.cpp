#include "telephone_csv.h"

#include <functional>

#include "build_error.h"
#include "text_lines.h"

namespace mkdic {
namespace {

constexpr std::size_t kMaxAreaDigits = 6;  // the 24-bit code holds at most 6 digits

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(pos));
            return fields;
        }
        fields.push_back(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

[[noreturn]] void fail(std::string_view sourceName, std::size_t line, const std::string& what) {
    throw BuildError(std::string(sourceName) + " line " + std::to_string(line) + ": " + what);
}

// Walks the data rows after checking the header; `row` gets the fields of each.
void forEachRow(std::string_view text, std::string_view sourceName, std::string_view header,
                const std::function<void(const std::vector<std::string_view>&, std::size_t)>& row) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // byte-order mark
    const std::size_t columns = splitFields(header).size();
    bool sawHeader = false;
    forEachLine(text, [&](std::string_view line, std::size_t number) {
        if (line.empty()) return true;
        if (!sawHeader) {
            if (line != header)
                fail(sourceName, number, "the header is not " + std::string(header));
            sawHeader = true;
            return true;
        }
        if (line.find('"') != std::string_view::npos) fail(sourceName, number, "quoted field");
        const auto fields = splitFields(line);
        if (fields.size() != columns) {
            fail(sourceName, number,
                 std::to_string(fields.size()) + " columns instead of " + std::to_string(columns));
        }
        row(fields, number);
        return true;
    });
    if (!sawHeader) fail(sourceName, 1, "the file is empty");
}

std::string areaCode(std::string_view text, std::string_view sourceName, std::size_t line) {
    if (!allDigits(text) || text[0] != '0' || text.size() < 2 || text.size() > kMaxAreaDigits)
        fail(sourceName, line, "area code \"" + std::string(text) + "\" is not 0 and 1-5 digits");
    return std::string(text);
}

}  // namespace

std::vector<Compartment> parseCompartments(std::string_view text, std::string_view sourceName) {
    std::vector<Compartment> out;
    forEachRow(
        text, sourceName, "compartment,ma_number,pref,ma_name,area_code",
        [&](const std::vector<std::string_view>& f, std::size_t line) {
            if (f[0].empty() || f[3].empty()) fail(sourceName, line, "empty name");
            out.push_back({std::string(f[0]), std::string(f[3]), areaCode(f[4], sourceName, line)});
        });
    return out;
}

std::vector<MunicipalityCompartment> parseMunicipalityCompartments(std::string_view text,
                                                                   std::string_view sourceName) {
    std::vector<MunicipalityCompartment> out;
    forEachRow(text, sourceName,
               "jis_code,distinct,pref,county,county_type,name,name_type,compartment,zone_note",
               [&](const std::vector<std::string_view>& f, std::size_t line) {
                   if (!allDigits(f[0]) || f[0].size() != 5)
                       fail(sourceName, line, "local-government code is not 5 digits");
                   if (f[7].empty()) fail(sourceName, line, "empty compartment");
                   out.push_back({static_cast<std::uint32_t>(std::stoul(std::string(f[0]))),
                                  std::string(f[7]), std::string(f[8]), f[5].empty()});
               });
    return out;
}

std::vector<NumberBand> parseNumberBands(std::string_view text, std::string_view sourceName) {
    std::vector<NumberBand> out;
    forEachRow(text, sourceName, "ma_name,area_code,band_start,band_end,eliminate",
               [&](const std::vector<std::string_view>& f, std::size_t line) {
                   NumberBand band{std::string(f[0]), areaCode(f[1], sourceName, line),
                                   std::string(f[2]), std::string(f[3]), ""};
                   if (!allDigits(band.start) || !allDigits(band.end) ||
                       band.start.size() != band.end.size() || band.start > band.end ||
                       band.start.size() > kMaxAreaDigits ||
                       band.start.compare(0, band.areaCode.size(), band.areaCode) != 0 ||
                       band.end.compare(0, band.areaCode.size(), band.areaCode) != 0) {
                       fail(sourceName, line,
                            "band " + band.start + "-" + band.end + " does not lie in area code " +
                                band.areaCode);
                   }
                   if (!allDigits(f[4])) fail(sourceName, line, "eliminate is not a number");
                   if (f[4] != "0") {
                       // Written without the leading zero; it must lie inside the band.
                       band.eliminate = "0" + std::string(f[4]);
                       if (band.eliminate.size() <= band.start.size() ||
                           band.eliminate.size() > kMaxAreaDigits + 1 ||
                           band.eliminate.substr(0, band.start.size()) < band.start ||
                           band.eliminate.substr(0, band.start.size()) > band.end) {
                           fail(sourceName, line, "eliminated prefix lies outside its band");
                       }
                   }
                   out.push_back(std::move(band));
               });
    return out;
}

}  // namespace mkdic
