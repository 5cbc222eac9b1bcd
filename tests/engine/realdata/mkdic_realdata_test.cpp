// Builds the dictionary from Japan Post's full data once and checks it, read
// back through the engine, against the source rows and against the
// telephone data's independent list of municipality names.
#include <gtest/gtest.h>
#include <platform/sjis.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "dictionary_build.h"
#include "ken_all.h"
#include "src/zip_engine.h"
#include "support/test_support.h"
#include "town_name.h"
#include "zip_source.h"

using keszip::TownCandidate;
using keszip::ZipEngine;
using testing_support::dataPath;
using testing_support::u8;

namespace {

struct RealDictionary {
    testing_support::TempDir dir;
    mkdic::BuildSummary summary;
    std::vector<mkdic::KenAllRow> rows;
    ZipEngine engine;
};

RealDictionary& real() {
    static const std::unique_ptr<RealDictionary> built = [] {
        auto r = std::make_unique<RealDictionary>();
        mkdic::BuildOptions options;
        options.kenAllPath = dataPath("ken_all.zip");
        options.outDir = r->dir.path();
        r->summary = mkdic::buildDictionaryFiles(options);
        r->rows =
            mkdic::parseKenAll(mkdic::readSourceFile(options.kenAllPath, "KEN_ALL.CSV").bytes);
        if (!r->engine.loadMainDictionary(r->dir.file("KESZIP.DIC"))) {
            ADD_FAILURE() << "the engine refused the dictionary, error " << r->engine.lastError();
        }
        return r;
    }();
    return *built;
}

// Indices of the municipality records of each local-government code.
std::map<std::uint16_t, std::vector<std::size_t>> recordsByCode(const ZipEngine& engine) {
    std::map<std::uint16_t, std::vector<std::size_t>> out;
    for (std::size_t i = 0; i < engine.municipalities().size(); ++i) {
        out[engine.municipalities()[i].code].push_back(i);
    }
    return out;
}

struct Entry {
    std::uint32_t code7, oldCode;
    std::string name;
    bool operator<(const Entry& o) const {
        return std::tie(code7, oldCode, name) < std::tie(o.code7, o.oldCode, o.name);
    }
    bool operator==(const Entry& o) const {
        return code7 == o.code7 && oldCode == o.oldCode && name == o.name;
    }
};

}  // namespace

TEST(RealDictionary, PrefecturesCoverTheirMunicipalities) {
    KESZIP_REQUIRE_REAL_DATA();
    RealDictionary& r = real();
    const auto& prefs = r.engine.prefectures();
    const auto& munis = r.engine.municipalities();
    ASSERT_EQ(prefs.size(), 47u);
    std::size_t next = 0;
    for (std::size_t i = 0; i < prefs.size(); ++i) {
        EXPECT_EQ(prefs[i].code, i + 1);
        EXPECT_FALSE(prefs[i].name.empty());
        ASSERT_EQ(prefs[i].firstMunicipality, next) << i;
        for (std::size_t m = prefs[i].firstMunicipality; m <= prefs[i].lastMunicipality; ++m) {
            EXPECT_EQ(munis[m].code / 1000, i + 1);
        }
        for (std::size_t c = prefs[i].firstCity; c <= prefs[i].lastCity; ++c) {
            EXPECT_EQ(r.engine.cities()[c].lowCode / 1000, i + 1);
        }
        next = prefs[i].lastMunicipality + 1u;
    }
    EXPECT_EQ(next, munis.size());
}

TEST(RealDictionary, OneRecordPerCodeExceptCapacitySplits) {
    KESZIP_REQUIRE_REAL_DATA();
    RealDictionary& r = real();
    const auto byCode = recordsByCode(r.engine);
    EXPECT_EQ(byCode.size(), 1892u);
    std::size_t extra = 0;
    std::size_t largest = 0;
    for (const auto& [code, indices] : byCode) {
        for (std::size_t k = 0; k < indices.size(); ++k) {
            const auto& m = r.engine.municipalities()[indices[k]];
            const auto& first = r.engine.municipalities()[indices[0]];
            EXPECT_EQ(indices[k], indices[0] + k) << code << ": parts are not consecutive";
            EXPECT_EQ(m.name, first.name);
            EXPECT_EQ(m.reading, first.reading);
            EXPECT_EQ(m.cityIndex, first.cityIndex);
            largest = std::max<std::size_t>(largest, m.blockSize);
        }
        extra += indices.size() - 1;
    }
    EXPECT_EQ(r.engine.municipalities().size(), 1892u + extra);
    const auto splitCodes = std::count_if(
        byCode.begin(), byCode.end(), [](const auto& entry) { return entry.second.size() > 1; });
    EXPECT_EQ(r.summary.splits.size(), static_cast<std::size_t>(splitCodes));
    // 港区 is the one municipality whose towns exceed a 16-bit block.
    EXPECT_GE(byCode.at(13103).size(), 2u);
    EXPECT_LE(largest, keszip::dic::kMaxBlockSize);
}

TEST(RealDictionary, EverySourceRowComesBackMerged) {
    KESZIP_REQUIRE_REAL_DATA();
    RealDictionary& r = real();
    EXPECT_EQ(r.rows.size(), 124825u);
    // The source, continuation rows merged, per local-government code.
    std::map<std::uint16_t, std::vector<Entry>> expected;
    const mkdic::KenAllRow* previous = nullptr;
    for (const mkdic::KenAllRow& row : r.rows) {
        const std::string name = mkdic::dictionaryTownName(row.townName);
        auto& list = expected[static_cast<std::uint16_t>(row.localCode)];
        if (previous && previous->localCode == row.localCode && previous->code7 == row.code7 &&
            mkdic::openParentheses(list.back().name) > 0) {
            list.back().name += name;
        } else {
            list.push_back({row.code7, row.oldCode, name});
        }
        previous = &row;
    }
    std::size_t towns = 0;
    for (const auto& [code, indices] : recordsByCode(r.engine)) {
        std::vector<Entry> got;
        for (std::size_t index : indices) {
            TownCandidate t;
            for (bool restart = true; r.engine.nextTown(restart, index, t); restart = false) {
                got.push_back({t.code7, t.oldCode, t.name});
            }
        }
        std::vector<Entry> want = expected[code];
        towns += got.size();
        if (indices.size() > 1) {  // parts of a split hold the towns in another order
            std::sort(got.begin(), got.end());
            std::sort(want.begin(), want.end());
        }
        ASSERT_EQ(got.size(), want.size()) << code;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_TRUE(got[i] == want[i]) << code << " town " << i << ": " << u8(got[i].name)
                                           << " instead of " << u8(want[i].name);
        }
    }
    EXPECT_EQ(towns, 124825u - 314u);  // 314 rows continue the name of the row before
}

TEST(RealDictionary, CityAndCountySplitsMatchTheTelephoneList) {
    KESZIP_REQUIRE_REAL_DATA();
    RealDictionary& r = real();
    // jis_code -> (city or county part, municipality part) in UTF-8; 支庁 is no name level.
    std::map<int, std::pair<std::string, std::string>> list;
    std::istringstream csv(
        testing_support::readFile(dataPath("telephone/municipality_compartments.csv")));
    std::string line;
    std::getline(csv, line);  // header
    while (std::getline(csv, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
        if (f.size() < 7) continue;
        const std::string city = f[4] == "支庁" ? "" : f[3] + f[4];
        list.emplace(std::stoi(f[0]), std::make_pair(city, f[5] + f[6]));
    }
    ASSERT_GT(list.size(), 1800u);

    std::map<int, const mkdic::KenAllRow*> source;
    for (const auto& row : r.rows) source.emplace(row.localCode, &row);

    const auto& cities = r.engine.cities();
    std::size_t checked = 0, unlisted = 0, wards = 0, counties = 0;
    for (const auto& m : r.engine.municipalities()) {
        const std::string cityName = m.cityIndex >= 0 ? cities[m.cityIndex].name : "";
        const std::string cityReading = m.cityIndex >= 0 ? cities[m.cityIndex].reading : "";
        const mkdic::KenAllRow& row = *source.at(m.code);
        EXPECT_EQ(cityName + m.name, row.cityName) << m.code;
        EXPECT_EQ(cityReading + m.reading, row.cityReading) << m.code;
        if (m.cityIndex >= 0) {
            EXPECT_FALSE(m.reading.empty()) << m.code;
            const std::string suffix = u8(cityName).ends_with("市") ? "ｼ" : "ｸﾞﾝ";
            EXPECT_TRUE(u8(cityReading).ends_with(suffix)) << m.code << " " << u8(cityReading);
            EXPECT_GT(u8(cityReading).size(), suffix.size());
            (suffix == "ｼ" ? wards : counties)++;
        }
        const auto listed = list.find(m.code);
        if (listed == list.end()) {
            ++unlisted;  // wards newer than the telephone list
            continue;
        }
        ++checked;
        EXPECT_EQ(u8(cityName), listed->second.first) << m.code << " " << u8(row.cityName);
        // The list writes some names with other character forms (須恵町 / 須惠町).
        if (listed->second.first.empty() && u8(m.name) != listed->second.second) continue;
        EXPECT_EQ(platform::sjisToUtf8Lossy(m.name).size(), listed->second.second.size()) << m.code;
    }
    EXPECT_GE(checked, 1880u);
    EXPECT_LE(unlisted, 5u);
    EXPECT_GT(wards, 150u);
    EXPECT_GT(counties, 900u);
    EXPECT_EQ(cities.size(), 400u);
}
