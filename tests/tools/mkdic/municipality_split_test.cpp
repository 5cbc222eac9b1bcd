#include "municipality_split.h"

#include <gtest/gtest.h>

#include "build_error.h"
#include "support/test_support.h"

using mkdic::CityKind;
using mkdic::cityReadingLength;
using mkdic::splitMunicipalityName;
using testing_support::sj;
using testing_support::u8;

namespace {

// "city|municipality" in UTF-8, or the whole name when it is not split.
std::string splitOf(const char* name) {
    const std::string s = sj(name);
    const auto split = splitMunicipalityName(s);
    if (split.kind == CityKind::None) return name;
    return u8(s.substr(0, split.cityBytes)) + "|" + u8(s.substr(split.cityBytes));
}

// City part of the readings of one run, as UTF-8.
std::string readingPart(CityKind kind, std::vector<const char*> readings,
                        std::vector<const char*> names) {
    std::vector<std::string> r, n;
    for (const char* x : readings) r.push_back(sj(x));
    for (const char* x : names) n.push_back(sj(x));
    const std::vector<std::string_view> rv(r.begin(), r.end()), nv(n.begin(), n.end());
    return u8(r.front().substr(0, cityReadingLength(kind, rv, nv, "test")));
}

}  // namespace

TEST(MunicipalitySplit, KanjiNames) {
    EXPECT_EQ(splitOf("札幌市中央区"), "札幌市|中央区");
    EXPECT_EQ(splitOf("さいたま市大宮区"), "さいたま市|大宮区");
    EXPECT_EQ(splitOf("北群馬郡榛東村"), "北群馬郡|榛東村");
    EXPECT_EQ(splitOf("余市郡余市町"), "余市郡|余市町");  // 市 inside a county name
    EXPECT_EQ(splitOf("八頭郡郡家町"), "八頭郡|郡家町");  // 郡 opens a town name
    EXPECT_EQ(splitOf("市原市中央区"), "市原市|中央区");  // 市 opens a city name
    // Not divided: Tokyo's special wards, cities whose names hold 市 or 郡, islands.
    for (const char* plain : {"千代田区", "郡山市", "四日市市", "廿日市市", "市川市", "郡上市",
                              "三宅島三宅村", "北区"}) {
        EXPECT_EQ(splitOf(plain), plain);
    }
    EXPECT_EQ(splitMunicipalityName(sj("札幌市中央区")).kind, CityKind::WardedCity);
    EXPECT_EQ(splitMunicipalityName(sj("余市郡余市町")).kind, CityKind::County);
}

TEST(MunicipalitySplit, ReadingsOfRuns) {
    // Several municipalities: the common prefix, backed off to the last ｸﾞﾝ or ｼ.
    EXPECT_EQ(
        readingPart(CityKind::County, {"ｶﾐｶﾜｸﾞﾝｼﾝﾄｸﾁｮｳ", "ｶﾐｶﾜｸﾞﾝｼﾐｽﾞﾁｮｳ"}, {"新得町", "清水町"}),
        "ｶﾐｶﾜｸﾞﾝ");
    EXPECT_EQ(readingPart(CityKind::WardedCity, {"ｻｶﾞﾐﾊﾗｼﾐﾄﾞﾘｸ", "ｻｶﾞﾐﾊﾗｼﾐﾅﾐｸ"}, {"緑区", "南区"}),
              "ｻｶﾞﾐﾊﾗｼ");
    // The city name itself starts with ｼ: the cut is the last ｼ of the common part.
    EXPECT_EQ(readingPart(CityKind::WardedCity, {"ｼｽﾞｵｶｼｱｵｲｸ", "ｼｽﾞｵｶｼｽﾙｶﾞｸ", "ｼｽﾞｵｶｼｼﾐｽﾞｸ"},
                          {"葵区", "駿河区", "清水区"}),
              "ｼｽﾞｵｶｼ");
    // One municipality: the first ｸﾞﾝ that leaves a reading of a town or village.
    EXPECT_EQ(readingPart(CityKind::County, {"ｲｸﾞｸﾞﾝﾏﾙﾓﾘﾏﾁ"}, {"丸森町"}), "ｲｸﾞｸﾞﾝ");
    EXPECT_EQ(readingPart(CityKind::County, {"ﾐﾔｺｸﾞﾝﾀﾗﾏｿﾝ"}, {"多良間村"}), "ﾐﾔｺｸﾞﾝ");
    EXPECT_EQ(readingPart(CityKind::County, {"ｸﾞﾝﾅｲｸﾞﾝｱｻﾋﾑﾗ"}, {"旭村"}), "ｸﾞﾝﾅｲｸﾞﾝ");
}

TEST(MunicipalitySplit, ReadingsThatCannotBeSplitFailLoudly) {
    const auto fails = [](CityKind kind, std::vector<const char*> readings,
                          std::vector<const char*> names) {
        try {
            readingPart(kind, readings, names);
        } catch (const mkdic::BuildError& e) {
            return std::string(e.what()).find("cannot split the reading") != std::string::npos;
        }
        return false;
    };
    EXPECT_TRUE(fails(CityKind::County, {"ｶﾐｶﾜﾀｶｽﾁｮｳ", "ｶﾐｶﾜﾄｳﾏﾁｮｳ"}, {"鷹栖町", "当麻町"}));
    EXPECT_TRUE(fails(CityKind::County, {"ｶﾐｶﾜｸﾞﾝ"}, {"鷹栖町"}));     // nothing left
    EXPECT_TRUE(fails(CityKind::County, {"ｶﾐｶﾜｸﾞﾝﾀｶｽ"}, {"鷹栖町"}));  // not read as a town
    // A lone ward whose reading has two possible cuts.
    EXPECT_TRUE(fails(CityKind::WardedCity, {"ﾆｼﾉｼﾋｶﾞｼｸ"}, {"東区"}));
}
