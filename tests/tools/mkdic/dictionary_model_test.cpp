#include "dictionary_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "build_error.h"
#include "ken_all_fixture.h"
#include "support/test_support.h"

using mkdic::buildDictionaryModel;
using mkdic::DictionaryModel;
using mkdic::Municipality;
using mkdic::Town;
using testing_support::sj;
using testing_support::u8;

namespace {

DictionaryModel sampleModel(std::size_t maxBlock = keszip::dic::kMaxBlockSize) {
    return buildDictionaryModel(mkdic::parseKenAll(mkdic_test::csvText(mkdic_test::sampleRows())),
                                maxBlock);
}

std::vector<const Municipality*> recordsOf(const DictionaryModel& model, std::uint16_t code) {
    std::vector<const Municipality*> out;
    for (const Municipality& m : model.municipalities) {
        if (m.code == code) out.push_back(&m);
    }
    return out;
}

}  // namespace

TEST(DictionaryModel, CitiesCountiesAndTheirRuns) {
    const DictionaryModel model = sampleModel();
    // 札幌市, 余市郡, 上川郡 (01452-01453), 勇払郡, 上川郡 again (01631-01632).
    ASSERT_EQ(model.cities.size(), 5u);
    const struct {
        const char* name;
        const char* reading;
        std::uint16_t low, high;
    } expected[] = {{"札幌市", "ｻｯﾎﾟﾛｼ", 1101, 1102},
                    {"余市郡", "ﾖｲﾁｸﾞﾝ", 1408, 1408},
                    {"上川郡", "ｶﾐｶﾜｸﾞﾝ", 1452, 1453},
                    {"勇払郡", "ﾕｳﾌﾂｸﾞﾝ", 1459, 1459},
                    {"上川郡", "ｶﾐｶﾜｸﾞﾝ", 1631, 1632}};
    for (std::size_t i = 0; i < model.cities.size(); ++i) {
        const mkdic::City& c = model.cities[i];
        EXPECT_EQ(u8(c.name), expected[i].name);
        EXPECT_EQ(u8(c.reading), expected[i].reading);
        EXPECT_EQ(c.lowCode, expected[i].low);
        EXPECT_EQ(c.highCode, expected[i].high);
        const Municipality& first = model.municipalities[c.firstMunicipality];
        EXPECT_EQ(first.code, c.lowCode);
        EXPECT_EQ(first.cityIndex, static_cast<int>(i));
    }
    const auto named = [&](std::uint16_t code) {
        const Municipality& m = *recordsOf(model, code).at(0);
        return u8(m.name) + "/" + u8(m.reading) + "/" + std::to_string(m.cityIndex);
    };
    EXPECT_EQ(named(1101), "中央区/ﾁｭｳｵｳｸ/0");
    EXPECT_EQ(named(1102), "北区/ｷﾀｸ/0");
    EXPECT_EQ(named(1408), "余市町/ﾖｲﾁﾁｮｳ/1");
    EXPECT_EQ(named(1459), "占冠村/ｼﾑｶｯﾌﾟﾑﾗ/3");
    EXPECT_EQ(named(1632), "清水町/ｼﾐｽﾞﾁｮｳ/4");
    EXPECT_EQ(named(7203), "郡山市/ｺｵﾘﾔﾏｼ/-1");
    EXPECT_EQ(named(13101), "千代田区/ﾁﾖﾀﾞｸ/-1");
    EXPECT_EQ(named(24202), "四日市市/ﾖｯｶｲﾁｼ/-1");
}

TEST(DictionaryModel, FloorEntriesAndContinuationRows) {
    const DictionaryModel model = sampleModel();
    const Municipality& chuo = *recordsOf(model, 1101).at(0);
    ASSERT_EQ(chuo.towns.size(), 5u);  // one record per source row
    EXPECT_FALSE(chuo.towns[2].continuation);
    EXPECT_TRUE(chuo.towns[3].continuation);  // same code, parenthesis still open
    EXPECT_FALSE(chuo.towns[4].continuation);

    const Municipality& minato = *recordsOf(model, 13103).at(0);
    std::vector<std::string> floors;
    for (const Town& t : minato.towns) {
        if (t.floorEntry) floors.push_back(u8(t.name));
    }
    // Not floors: 赤坂(次のビルを除く), 芝(１～３丁目).
    EXPECT_EQ(floors, (std::vector<std::string>{"赤坂さくらタワー(地階・階層不明)",
                                                "赤坂さくらタワー(１階)", "赤坂さくらタワー(２階)",
                                                "赤坂さくらタワー(１２階)"}));
}

TEST(DictionaryModel, PrefectureRangesIncludingEmptyOnes) {
    const DictionaryModel model = sampleModel();
    ASSERT_EQ(model.prefectures.size(), 47u);
    const mkdic::Prefecture& hokkaido = model.prefectures[0];
    EXPECT_EQ(u8(hokkaido.name), "北海道");
    EXPECT_EQ(hokkaido.firstCity, 0);
    EXPECT_EQ(hokkaido.lastCity, 4);
    EXPECT_EQ(hokkaido.firstMunicipality, 0);
    EXPECT_EQ(hokkaido.lastMunicipality, 7);
    const mkdic::Prefecture& tokyo = model.prefectures[12];
    EXPECT_EQ(tokyo.code, 13);
    EXPECT_EQ(tokyo.firstMunicipality, 9);
    EXPECT_EQ(tokyo.lastMunicipality, 10);
    EXPECT_LT(tokyo.lastCity, tokyo.firstCity);  // no city records
    // A prefecture without rows keeps its name and an empty range.
    const mkdic::Prefecture& aomori = model.prefectures[1];
    EXPECT_EQ(u8(aomori.name), "青森県");
    EXPECT_EQ(u8(aomori.reading), "ｱｵﾓﾘｹﾝ");
    EXPECT_EQ(aomori.firstMunicipality, 8);
    EXPECT_EQ(aomori.lastMunicipality, 7);
}

TEST(DictionaryModel, OverCapacityMunicipalityIsSpreadOverRecords) {
    const Municipality whole = *recordsOf(sampleModel(), 13103).at(0);
    // Room for the largest group that must stay together: 赤坂 and its building.
    std::size_t building = 0;
    for (std::size_t i = 1; i <= 5; ++i) building += whole.towns[i].bytes();
    const std::size_t limit = building + 10;
    ASSERT_GT(whole.blockBytes(), limit);
    const DictionaryModel model = sampleModel(limit);
    const auto parts = recordsOf(model, 13103);
    ASSERT_GE(parts.size(), 2u);
    ASSERT_EQ(model.splits.size(), 1u);
    EXPECT_EQ(model.splits[0].partBytes.size(), parts.size());

    std::vector<std::string> rest;  // all towns but the generic one, in stored order
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const Municipality& m = *parts[p];
        EXPECT_EQ(&m - &model.municipalities.front(),
                  &*parts[0] - &model.municipalities.front() + static_cast<std::ptrdiff_t>(p));
        EXPECT_EQ(u8(m.name), "港区");
        EXPECT_LE(m.blockBytes(), limit);
        EXPECT_GE(m.towns.size(), 2u);
        EXPECT_FALSE(m.towns.front().floorEntry);
        std::uint32_t low = 9999999, high = 0;
        for (const Town& t : m.towns) {
            EXPECT_EQ(t.generic, p + 1 == parts.size() && &t == &m.towns.front());
            if (!t.generic) rest.push_back(u8(t.name));
            low = std::min(low, t.code7);
            high = std::max(high, t.code7);
        }
        EXPECT_EQ(m.lowCode7, low);
        EXPECT_EQ(m.highCode7, high);
        const bool hasFloors =
            std::any_of(m.towns.begin(), m.towns.end(), [](const Town& t) { return t.floorEntry; });
        EXPECT_EQ(m.flags, hasFloors ? keszip::dic::kMuniFlagHighRise : 0);
    }
    std::vector<std::string> source;
    for (const Town& t : whole.towns) {
        if (!t.generic) source.push_back(u8(t.name));
    }
    EXPECT_EQ(rest, source);
    // The building stays in the part of the town that excludes it.
    for (const Municipality* m : parts) {
        const auto at = std::find_if(m->towns.begin(), m->towns.end(), [](const Town& t) {
            return u8(t.name) == "赤坂(次のビルを除く)";
        });
        if (at != m->towns.end()) {
            ASSERT_GE(m->towns.end() - at, 5);
            for (int i = 1; i <= 4; ++i) EXPECT_TRUE(at[i].floorEntry);
        }
    }
    // Too small for the building and its town: refused, not truncated.
    EXPECT_THROW(sampleModel(building - 1), mkdic::BuildError);
}

TEST(DictionaryModel, ContradictingRowsAreRefused) {
    auto rows = mkdic_test::sampleRows();
    rows[1].city = "札幌市南区";
    try {
        buildDictionaryModel(mkdic::parseKenAll(mkdic_test::csvText(rows)));
        FAIL() << "no error";
    } catch (const mkdic::BuildError& e) {
        EXPECT_NE(std::string(e.what()).find("line 2: local-government code 1101"),
                  std::string::npos)
            << e.what();
    }
}
