#include "dictionary_model.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "block_split.h"
#include "build_error.h"
#include "municipality_split.h"
#include "prefecture_names.h"
#include "town_name.h"

namespace mkdic {

namespace {

// The rows of one local-government code, in source order.
struct CodeGroup {
    std::uint32_t code = 0;
    std::vector<const KenAllRow*> rows;
    NameSplit split;
    std::size_t readingCut = 0;     // bytes of the reading that belong to the city
    bool runStart = false;          // first municipality of a city or county run
    std::uint32_t runLastCode = 0;  // for a run's first municipality: the run's last code
};

std::string lineRef(const KenAllRow& row) { return "line " + std::to_string(row.line); }

// Groups the rows by code; `prefectureRows` receives the first row of each prefecture.
std::vector<CodeGroup> groupByCode(const std::vector<KenAllRow>& rows,
                                   std::array<const KenAllRow*, 48>& prefectureRows) {
    std::vector<const KenAllRow*> order;
    order.reserve(rows.size());
    for (const KenAllRow& r : rows) order.push_back(&r);
    std::stable_sort(order.begin(), order.end(), [](const KenAllRow* a, const KenAllRow* b) {
        return a->localCode < b->localCode;
    });
    std::vector<CodeGroup> groups;
    for (const KenAllRow* r : order) {
        if (groups.empty() || groups.back().code != r->localCode) {
            groups.push_back({r->localCode, {}, {}, 0, false, 0});
        }
        if (r->prefectureCode() < 1 || r->prefectureCode() > 47) {
            throw BuildError(lineRef(*r) + ": local-government code " +
                             std::to_string(r->localCode) + " names no prefecture 01-47");
        }
        const KenAllRow*& prefRow = prefectureRows[r->prefectureCode()];
        if (!prefRow) prefRow = r;
        if (r->prefectureName != prefRow->prefectureName ||
            r->prefectureReading != prefRow->prefectureReading) {
            throw BuildError(lineRef(*r) + ": prefecture " + std::to_string(r->prefectureCode()) +
                             " has another name or reading than on " + lineRef(*prefRow));
        }
        const KenAllRow& first = groups.back().rows.empty() ? *r : *groups.back().rows.front();
        if (r->cityName != first.cityName || r->cityReading != first.cityReading) {
            throw BuildError(lineRef(*r) + ": local-government code " +
                             std::to_string(r->localCode) +
                             " has another city name or reading than on " + lineRef(first));
        }
        groups.back().rows.push_back(r);
    }
    return groups;
}

// Town records of one code, continuation rows marked as the engine will merge them.
std::vector<Town> makeTowns(const CodeGroup& group) {
    std::vector<Town> towns;
    towns.reserve(group.rows.size());
    std::string gathered;  // kanji of the current town so far
    for (const KenAllRow* r : group.rows) {
        Town t;
        t.oldCode = r->oldCode;
        t.code7 = r->code7;
        t.reading = r->townReading;
        t.name = dictionaryTownName(r->townName);
        t.continuation =
            !towns.empty() && towns.back().code7 == t.code7 && openParentheses(gathered) > 0;
        gathered = t.continuation ? gathered + t.name : t.name;
        t.floorEntry = !t.continuation && isFloorEntry(t.name);
        t.generic = !t.continuation && isGenericTown(t.name);
        towns.push_back(std::move(t));
    }
    return towns;
}

// Marks the runs of consecutive codes of one prefecture that share a city or
// county name and splits their readings. Hokkaido has several counties of the
// same name at codes far apart; each run becomes a record of its own.
void splitNames(std::vector<CodeGroup>& groups) {
    for (CodeGroup& g : groups) g.split = splitMunicipalityName(g.rows.front()->cityName);
    std::size_t start = 0;
    while (start < groups.size()) {
        const CodeGroup& head = groups[start];
        const std::string_view cityPart =
            std::string_view(head.rows.front()->cityName).substr(0, head.split.cityBytes);
        std::size_t end = start + 1;
        if (head.split.kind != CityKind::None) {
            while (end < groups.size() && groups[end].code / 1000 == head.code / 1000 &&
                   groups[end].split.kind == head.split.kind &&
                   std::string_view(groups[end].rows.front()->cityName)
                           .substr(0, groups[end].split.cityBytes) == cityPart) {
                ++end;
            }
            std::vector<std::string_view> readings, names;
            for (std::size_t i = start; i < end; ++i) {
                const KenAllRow& r = *groups[i].rows.front();
                readings.push_back(r.cityReading);
                names.push_back(std::string_view(r.cityName).substr(groups[i].split.cityBytes));
            }
            const std::size_t cut = cityReadingLength(
                head.split.kind, readings, names,
                lineRef(*head.rows.front()) + " (code " + std::to_string(head.code) + ")");
            for (std::size_t i = start; i < end; ++i) groups[i].readingCut = cut;
            groups[start].runStart = true;
            groups[start].runLastCode = groups[end - 1].code;
        }
        start = end;
    }
}

Municipality makeMunicipality(const CodeGroup& group, std::vector<Town> towns, int cityIndex) {
    const KenAllRow& r = *group.rows.front();
    Municipality m;
    m.code = static_cast<std::uint16_t>(group.code);
    m.cityIndex = static_cast<std::int16_t>(cityIndex);
    m.name = r.cityName.substr(group.split.cityBytes);
    m.reading = r.cityReading.substr(group.readingCut);
    m.lowCode7 = m.lowOldCode = std::numeric_limits<std::uint32_t>::max();
    for (const Town& t : towns) {
        m.lowCode7 = std::min(m.lowCode7, t.code7);
        m.highCode7 = std::max(m.highCode7, t.code7);
        m.lowOldCode = std::min(m.lowOldCode, t.oldCode);
        m.highOldCode = std::max(m.highOldCode, t.oldCode);
        if (t.floorEntry) m.flags |= keszip::dic::kMuniFlagHighRise;
    }
    m.towns = std::move(towns);
    return m;
}

// Sets an index range [first, end); see Prefecture for how an empty one is written.
void setRange(std::uint16_t& first, std::uint16_t& last, std::size_t begin, std::size_t end) {
    if (end > begin) {
        first = static_cast<std::uint16_t>(begin);
        last = static_cast<std::uint16_t>(end - 1);
    } else {
        first = static_cast<std::uint16_t>(std::max<std::size_t>(begin, 1));
        last = static_cast<std::uint16_t>(first - 1);
    }
}

// The 47 prefecture records with the index ranges of their cities and
// municipalities (both tables are in code order, so each range is contiguous).
std::vector<Prefecture> makePrefectures(const DictionaryModel& model,
                                        const std::array<const KenAllRow*, 48>& prefectureRows) {
    std::vector<Prefecture> out;
    std::size_t c = 0, m = 0;
    for (unsigned code = 1; code <= 47; ++code) {
        Prefecture p;
        p.code = static_cast<std::uint8_t>(code);
        if (const KenAllRow* firstRow = prefectureRows[code]) {
            p.name = firstRow->prefectureName;
            p.reading = firstRow->prefectureReading;
        } else {
            PrefectureName fallback = defaultPrefectureName(code);
            p.name = std::move(fallback.name);
            p.reading = std::move(fallback.reading);
        }
        const std::size_t cStart = c, mStart = m;
        while (c < model.cities.size() && model.cities[c].lowCode / 1000 == code) ++c;
        while (m < model.municipalities.size() && model.municipalities[m].code / 1000 == code) ++m;
        setRange(p.firstCity, p.lastCity, cStart, c);
        setRange(p.firstMunicipality, p.lastMunicipality, mStart, m);
        out.push_back(std::move(p));
    }
    return out;
}

}  // namespace

std::size_t Municipality::blockBytes() const {
    std::size_t bytes = 0;
    for (const Town& t : towns) bytes += t.bytes();
    return bytes;
}

DictionaryModel buildDictionaryModel(const std::vector<KenAllRow>& rows, std::size_t maxBlock) {
    if (rows.empty()) throw BuildError("no rows to build a dictionary from");
    DictionaryModel model;
    model.rowCount = rows.size();
    std::array<const KenAllRow*, 48> prefectureRows{};
    std::vector<CodeGroup> groups = groupByCode(rows, prefectureRows);
    splitNames(groups);

    // Record limits: indices are words, city indices signed words.
    constexpr std::size_t kMaxRecords = 0x7FFF;
    for (const CodeGroup& g : groups) {
        std::vector<std::vector<Town>> parts;
        try {
            parts = splitTownBlock(makeTowns(g), maxBlock);
        } catch (const BuildError& e) {
            throw BuildError(lineRef(*g.rows.front()) + ": " + std::to_string(g.code) + " " +
                             g.rows.front()->cityName + ": " + e.what());
        }
        if (g.runStart) {
            const KenAllRow& r = *g.rows.front();
            model.cities.push_back(
                {static_cast<std::uint16_t>(g.code), static_cast<std::uint16_t>(g.runLastCode),
                 static_cast<std::uint16_t>(model.municipalities.size()),
                 r.cityReading.substr(0, g.readingCut), r.cityName.substr(0, g.split.cityBytes)});
        }
        const int cityIndex =
            g.split.kind == CityKind::None ? -1 : static_cast<int>(model.cities.size()) - 1;
        if (parts.size() > 1) {
            BlockSplit note{static_cast<std::uint16_t>(g.code), g.rows.front()->cityName, {}};
            for (const auto& p : parts) {
                std::size_t bytes = 0;
                for (const Town& t : p) bytes += t.bytes();
                note.partBytes.push_back(bytes);
            }
            model.splits.push_back(std::move(note));
        }
        for (auto& part : parts) {
            model.municipalities.push_back(makeMunicipality(g, std::move(part), cityIndex));
        }
        if (model.municipalities.size() > kMaxRecords || model.cities.size() > kMaxRecords) {
            throw BuildError("too many municipality or city records for the dictionary format");
        }
    }

    model.prefectures = makePrefectures(model, prefectureRows);
    return model;
}

}  // namespace mkdic
