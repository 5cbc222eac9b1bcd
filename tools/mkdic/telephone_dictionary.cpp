#include "telephone_dictionary.h"

#include <platform/binary_file.h>
#include <platform/paths.h>
#include <platform/sjis.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "build_error.h"
#include "dictionary_model.h"
#include "ken_all_source.h"
#include "output_files.h"
#include "telephone_codes.h"

namespace mkdic {
namespace {

std::string readText(const std::string& dir, const char* name) {
    const std::string path = platform::joinPath(dir, name);
    std::string text;
    if (!platform::readWholeFile(path, text)) throw BuildError(path + ": cannot read the file");
    return text;
}

struct ServingCompartment {
    ZoneRule rule;
    const std::vector<std::string>* codes;
};

// The written codes of every message area, keyed by name and area code.
using AreaCodes = std::map<std::pair<std::string, std::string>, std::vector<std::string>>;

AreaCodes areaCodes(const std::vector<NumberBand>& bands) {
    AreaCodes out;
    for (const NumberBand& band : bands) {
        auto& codes = out[{band.maName, band.areaCode}];
        for (std::string& code : bandCodes(band))
            if (std::find(codes.begin(), codes.end(), code) == codes.end())
                codes.push_back(std::move(code));
    }
    return out;
}

// 区 in Shift-JIS, at a character boundary.
bool endsWithWard(const std::string& name) {
    if (name.size() < 2 || name.compare(name.size() - 2, 2, "\x8B\xE6") != 0) return false;
    std::size_t i = 0;
    while (i + 2 < name.size())
        i += platform::isSjisLead(static_cast<unsigned char>(name[i])) ? 2 : 1;
    return i == name.size() - 2;
}

std::string codeTail(const std::vector<std::uint32_t>& codes) {
    std::string tail(1, static_cast<char>(codes.size()));
    for (std::uint32_t code : codes) {
        unsigned char bytes[3];
        keszip::dic::put24(bytes, code);
        tail.append(reinterpret_cast<const char*>(bytes), 3);
    }
    return tail;
}

// The stored codes serving a town: those of the compartments whose zone takes
// it, or of all the municipality's compartments when no zone names it.
std::vector<std::uint32_t> townCodes(const std::vector<ServingCompartment>& serving,
                                     std::string_view fullName) {
    std::vector<std::uint32_t> codes;
    auto add = [&](const ServingCompartment& s) {
        for (const std::string& written : *s.codes) {
            const std::uint32_t code = encodeTelCode(written);
            if (codes.size() < kMaxTownCodes &&
                std::find(codes.begin(), codes.end(), code) == codes.end())
                codes.push_back(code);
        }
    };
    for (const auto& s : serving)
        if (s.rule.serves(fullName)) add(s);
    if (codes.empty())
        for (const auto& s : serving) add(s);
    return codes;
}

// Fills the code areas of one municipality record and its key range. Keys
// are compared by the engine as decimal texts, so the range is the lowest and
// highest key in text order.
void assignCodes(Municipality& m, const std::vector<ServingCompartment>& serving) {
    std::vector<std::uint32_t> previous;
    bool havePrevious = false;
    std::string lowKey, highKey;
    for (std::size_t i = 0; i < m.towns.size();) {
        std::string fullName = m.towns[i].name;
        std::size_t end = i + 1;
        while (end < m.towns.size() && m.towns[end].continuation) fullName += m.towns[end++].name;
        const std::vector<std::uint32_t> codes = townCodes(serving, fullName);
        for (std::uint32_t code : codes) {
            const std::string key = std::to_string(code & 0xFFFFF);
            if (lowKey.empty() || key < lowKey) lowKey = key;
            if (highKey.empty() || key > highKey) highKey = key;
        }
        const std::string tail = havePrevious && !codes.empty() && codes == previous
                                     ? std::string(1, static_cast<char>(kSameCodes))
                                     : codeTail(codes);
        // Continuation records carry a code area of the same size.
        for (std::size_t t = i; t < end; ++t) m.towns[t].tail = tail;
        previous = codes;
        havePrevious = true;
        i = end;
    }
    m.lowOldCode = lowKey.empty() ? 0 : static_cast<std::uint32_t>(std::stoul(lowKey));
    m.highOldCode = highKey.empty() ? 0 : static_cast<std::uint32_t>(std::stoul(highKey));
}

}  // namespace

TelephoneSources readTelephoneSources(const std::string& dir) {
    TelephoneSources s;
    s.compartments = parseCompartments(readText(dir, "compartments.csv"), "compartments.csv");
    s.municipalities = parseMunicipalityCompartments(readText(dir, "municipality_compartments.csv"),
                                                     "municipality_compartments.csv");
    s.bands = parseNumberBands(readText(dir, "number_bands.csv"), "number_bands.csv");
    return s;
}

DictionaryModel buildTelephoneModel(const std::vector<KenAllRow>& rows,
                                    const TelephoneSources& sources) {
    const AreaCodes codes = areaCodes(sources.bands);
    static const std::vector<std::string> kNone;
    std::map<std::string, const std::vector<std::string>*> byCompartment;
    for (const Compartment& c : sources.compartments) {
        const auto found = codes.find({c.maName, c.areaCode});
        byCompartment[c.id] = found == codes.end() ? &kNone : &found->second;
    }
    std::map<std::uint32_t, std::vector<ServingCompartment>> serving;
    for (const MunicipalityCompartment& mc : sources.municipalities) {
        if (mc.compartment == "-") continue;  // no telephone service
        const auto found = byCompartment.find(mc.compartment);
        if (found == byCompartment.end()) {
            throw BuildError("municipality " + std::to_string(mc.jisCode) +
                             ": unknown compartment " + mc.compartment);
        }
        serving[mc.jisCode].push_back({ZoneRule::parse(mc.zoneNote), found->second});
    }
    std::map<std::uint32_t, const std::vector<ServingCompartment>*> cityWide;
    for (const MunicipalityCompartment& mc : sources.municipalities) {
        const auto found = serving.find(mc.jisCode);
        if (mc.cityWide && found != serving.end()) cityWide[mc.jisCode] = &found->second;
    }
    static const std::vector<ServingCompartment> kNobody;
    // A ward the telephone data does not know yet (the data lags behind ward
    // reorganisations) is served as its city as a whole: the nearest city-wide
    // row below its code in the same prefecture.
    std::set<std::uint32_t> known;
    for (const MunicipalityCompartment& mc : sources.municipalities) known.insert(mc.jisCode);
    auto servingOf = [&](const DictionaryModel& model,
                         const Municipality& m) -> const std::vector<ServingCompartment>& {
        if (const auto found = serving.find(m.code); found != serving.end()) return found->second;
        if (known.count(m.code) || m.cityIndex < 0 || !endsWithWard(m.name)) return kNobody;
        const std::uint32_t firstWard = model.cities[static_cast<std::size_t>(m.cityIndex)].lowCode;
        const auto city = cityWide.upper_bound(firstWard);
        if (city == cityWide.begin()) return kNobody;
        const auto& [code, rows] = *std::prev(city);
        return code / 1000 == m.code / 1000u ? *rows : kNobody;
    };
    // The code areas are added after the towns are spread over blocks: leave
    // room for them, and more when a block still overflows.
    for (const std::size_t limit :
         {keszip::dic::kMaxBlockSize * 7 / 8, keszip::dic::kMaxBlockSize * 3 / 4}) {
        DictionaryModel model = buildDictionaryModel(rows, limit);
        bool fits = true;
        for (Municipality& m : model.municipalities) {
            assignCodes(m, servingOf(model, m));
            fits = fits && m.blockBytes() <= keszip::dic::kMaxBlockSize;
        }
        if (fits) return model;
    }
    throw BuildError("the telephone codes do not fit the town blocks");
}

TelephoneSummary buildTelephoneFile(const std::string& kenAllPath, const std::string& telephoneDir,
                                    const std::string& outDir, DictionaryInfo info) {
    const TelephoneSources sources = readTelephoneSources(telephoneDir);
    const std::vector<KenAllRow> rows = readKenAllSource(kenAllPath).records();
    const DictionaryModel model = buildTelephoneModel(rows, sources);
    info.signature = kTelSignature;
    const std::string bytes = writeDictionary(model, info);
    writeFileAtomically(platform::joinPath(outDir, "KESTEL.DIC"), bytes);

    TelephoneSummary summary;
    summary.municipalities = model.municipalities.size();
    summary.bytes = bytes.size();
    for (const Municipality& m : model.municipalities) {
        for (const Town& t : m.towns) {
            if (t.continuation) continue;
            ++summary.towns;
            if (t.tail == std::string(1, '\0')) ++summary.townsWithoutCodes;
        }
    }
    return summary;
}

}  // namespace mkdic
