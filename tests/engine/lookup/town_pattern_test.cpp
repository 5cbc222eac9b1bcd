// Matching folded town names against the rest of an address, the Kyoto
// rewriting and the high-rise building comparisons.
#include "src/town_pattern.h"

#include <gtest/gtest.h>

#include "town_test_helpers.h"

using keszip::kMatch;
using keszip::kNoMatch;
using keszip::kStreetMatch;
using keszip::PatternMatch;
using testing_support::sj;
using testing_support::u8;

namespace {

// Result and score of matching the pattern against the input, both UTF-8
// texts in matching form.
struct Outcome {
    int result;
    int score;
};

Outcome match(const char* pattern, const char* input, int municipality = 13101,
              bool inCodeList = false) {
    std::string p = sj(pattern), in = sj(input);
    PatternMatch m;
    m.setInput(in);
    m.municipalityCode = municipality;
    m.inCodeList = inCodeList;
    int result = keszip::townPatternMatch(m, p);
    return {result, m.score};
}

int result(const char* pattern, const char* input, int municipality = 13101) {
    return match(pattern, input, municipality).result;
}

std::string rewritten(const char* pattern) {
    std::string p = sj(pattern);
    keszip::kyotoRewrite(p);
    return u8(p);
}

}  // namespace

TEST(TownPattern, NumberRanges) {
    EXPECT_EQ(result("赤坂(1~3丁目)", "赤坂2丁目5-3"), kMatch);
    EXPECT_EQ(result("赤坂(1~3丁目)", "赤坂3"), kMatch);
    EXPECT_EQ(result("赤坂(1~3丁目)", "赤坂4丁目"), kNoMatch);
    EXPECT_EQ(result("南山(430番地以上)", "南山9999"), kMatch);
    EXPECT_EQ(result("南山(430番地以上)", "南山429番地"), kNoMatch);
    EXPECT_EQ(result("竹房(450番地以下)", "竹房12"), kMatch);
    EXPECT_EQ(result("竹房(450番地以下)", "竹房451"), kNoMatch);
    // A range in the reading, written "4ﾏﾁﾒ~8ﾏﾁﾒ".
    EXPECT_EQ(result("ｵﾀﾞﾜﾗ(4ﾏﾁﾒ~8ﾏﾁﾒ)", "ｵﾀﾞﾜﾗ6ﾏﾁﾒ"), kMatch);
    // Score: the name's bytes, one per number.
    EXPECT_EQ(match("赤坂(1~3丁目)", "赤坂2丁目").score, 5);
}

TEST(TownPattern, AlternativesAndParenthesisedLists) {
    // N(A､B): the name followed by either part.
    EXPECT_EQ(result("本郷(ｱ､ｲ)", "本郷ｱ1"), kMatch);
    EXPECT_EQ(result("本郷(ｱ､ｲ)", "本郷ｲ1"), kMatch);
    EXPECT_EQ(result("本郷(ｱ､ｲ)", "本郷ｳ1"), kNoMatch);
    // 1-2､3 lists the lots 1-2 and 3; 1-2･3 the lots 1-2 and 1-3.
    EXPECT_EQ(result("見本(1-2､3)", "見本3"), kMatch);
    EXPECT_EQ(result("見本(1-2､3)", "見本1-3"), kNoMatch);
    EXPECT_EQ(result("見本(1-2･3)", "見本1-3"), kMatch);
    EXPECT_EQ(result("見本(1-2･3)", "見本3"), kNoMatch);
    // 2丁目 after 1丁目, and a nested list.
    EXPECT_EQ(result("見本(1丁目､2丁目)", "見本2丁目4"), kMatch);
    EXPECT_EQ(result("見本(1丁目､2丁目(5~9番地))", "見本2丁目7番地"), kMatch);
    EXPECT_EQ(result("見本(1丁目､2丁目(5~9番地))", "見本2丁目3番地"), kNoMatch);
    // A name repeated in its own note still matches.
    EXPECT_EQ(result("大沢(大沢､笠松)", "大沢12"), kMatch);
    EXPECT_EQ(result("大沢(大沢､笠松)", "大沢笠松12"), kMatch);
    // ｢...｣ nests like (...).
    EXPECT_EQ(result("見本(1丁目｢5~9番地｣)", "見本1丁目7番地"), kMatch);
    EXPECT_EQ(result("見本(1丁目｢5~9番地｣)", "見本1丁目3番地"), kNoMatch);
}

TEST(TownPattern, UnitWordsAreOptional) {
    EXPECT_EQ(result("見本(5番地)", "見本5"), kMatch);
    EXPECT_EQ(result("見本(5番地)", "見本5番地"), kMatch);
    // Another unit word in the address is stepped over.
    EXPECT_EQ(result("見本(5番地)", "見本5番3"), kMatch);
    EXPECT_EQ(result("見本(1-2)", "見本1ﾉ2"), kMatch);
    // 線 counts towards the score.
    EXPECT_EQ(match("東(3線)", "東3線").score, 2 + 1 + 2);
    // Not as the first element.
    EXPECT_EQ(result("号", "5"), kNoMatch);
}

TEST(TownPattern, SpecialTexts) {
    EXPECT_EQ(result("ｿﾉ他", "なんでも"), kMatch);
    EXPECT_EQ(result("見本(ｿﾉ他)", "見本99"), kMatch);
    EXPECT_EQ(result("中央(次ﾉﾋﾞﾙｦ除ｸ)", "中央1-1"), kMatch);
    EXPECT_EQ(result("ﾁﾕｳｵｳ(ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ)", "ﾁﾕｳｵｳ1"), kMatch);
    EXPECT_EQ(result("中央(次ﾉﾋﾞﾙｦ除ｸ)", "中町1"), kNoMatch);
    // 大字 before the town's own name.
    Outcome oaza = match("見本(大ｱｻﾞ)", "見本ﾅﾝﾄｶ");
    EXPECT_EQ(oaza.result, kMatch);
    EXPECT_EQ(oaza.score, 999);
    // A town whose code is in the code list wins over any name.
    EXPECT_EQ(match("見本", "見本1", 13101, true).score, 1000);
}

TEST(TownPattern, PlaceholdersForUnitWords) {
    EXPECT_EQ(result("新屋敷(番地)", "新屋敷123番地4"), kMatch);
    EXPECT_EQ(result("新屋敷(番地)", "新屋敷2丁目"), kNoMatch);
    EXPECT_EQ(result("新屋敷(丁目)", "新屋敷2丁目"), kMatch);
    EXPECT_EQ(result("境ﾏﾁﾉ次ﾆ番地ｶﾞｸﾙ場合", "123番地"), kMatch);
    EXPECT_EQ(result("境ﾏﾁﾉ次ﾆ番地ｶﾞｸﾙ場合", "ﾅﾝﾄｶ123"), kNoMatch);
}

TEST(TownPattern, DirectionWords) {
    // The direction may follow the district number.
    EXPECT_EQ(result("見本(東)", "見本1丁目東3"), kMatch);
    EXPECT_EQ(result("見本(東)", "見本東1"), kMatch);
    EXPECT_EQ(result("見本(東)", "見本1丁目西3"), kNoMatch);
    // Part of a longer word: not a direction.
    EXPECT_EQ(result("見本(東)", "見本東ﾏﾁ1"), kNoMatch);
    EXPECT_EQ(result("見本(中央)", "見本2-中央"), kMatch);
}

TEST(TownPattern, HokkaidoJoAndMachime) {
    EXPECT_EQ(result("北1条西(1~19丁目)", "北1西5丁目", 1101), kMatch);
    EXPECT_EQ(result("北1条西(1~19丁目)", "北1西5丁目", 13101), kNoMatch);
    EXPECT_EQ(result("ｷﾀ1ｼﾞﾖｳﾆｼ", "ｷﾀ1ﾆｼ5", 1101), kMatch);
    // A reading that writes ﾏﾁﾒ before the text the name has.
    EXPECT_EQ(result("見本(1ﾉ2)", "見本1ﾏﾁﾒﾉ2"), kMatch);
}

TEST(TownPattern, KyotoStreetDescriptions) {
    EXPECT_EQ(rewritten("一ﾏﾁ目(上長者ﾏﾁ通堀川東入､東堀川通上長者ﾏﾁ上)"),
              "上長者ﾏﾁ通堀川東入(一ﾏﾁ目､$$)､東堀川通上長者ﾏﾁ上(一ﾏﾁ目､$$)");
    // Names without a note, too long, or without 上, 下 or 入 stay.
    EXPECT_EQ(rewritten("場ﾉﾏﾁ"), "場ﾉﾏﾁ");
    EXPECT_EQ(rewritten("見本(1~3丁目)"), "見本(1~3丁目)");
    EXPECT_EQ(rewritten("とても長い町名の町名の町名(上)"), "とても長い町名の町名の町名(上)");

    std::string p = rewritten("一ﾏﾁ目(上長者ﾏﾁ通堀川東入､東堀川通上長者ﾏﾁ上)");
    EXPECT_EQ(result(p.c_str(), "東堀川通上長者ﾏﾁ上一ﾏﾁ目5"), kMatch);
    // The description alone, without the town name.
    EXPECT_EQ(result(p.c_str(), "東堀川通上長者ﾏﾁ上5"), kStreetMatch);
    EXPECT_EQ(result(p.c_str(), "西堀川通5"), kNoMatch);
}

TEST(TownPattern, MalformedPatternsStayInBounds) {
    std::string deep(5000, '(');
    std::string junk;
    for (int i = 0; i < 10000; ++i) junk += static_cast<char>((i * 131) & 0xFF);
    PatternMatch m;
    m.setInput(junk);
    keszip::townPatternMatch(m, deep);
    keszip::townPatternMatch(m, junk);
    std::string tail = "\x81";
    keszip::townPatternMatch(m, tail);
    keszip::kyotoRewrite(junk);
    EXPECT_FALSE(keszip::buildingMatches(junk, tail));
}

TEST(BuildingFloor, BuildingAndFloorComparisons) {
    std::string building = sj("大手ﾏﾁJAﾋﾞﾙ(地階階層不明)");
    std::string tenth = sj("大手ﾏﾁJAﾋﾞﾙ(10F)");
    std::string twentyThird = sj("大手ﾏﾁJAﾋﾞﾙ(23F)");
    std::string tower = sj("名駅ﾐﾂﾄﾞﾗﾝﾄﾞｽｸｴｱ(高層棟)(10F)");

    EXPECT_TRUE(keszip::buildingMatches(sj("大手ﾏﾁ1-1JAﾋﾞﾙ"), building));
    EXPECT_FALSE(keszip::buildingMatches(sj("大手ﾏﾁ1-1"), building));

    EXPECT_TRUE(keszip::floorMatches(sj("大手ﾏﾁ1-1JAﾋﾞﾙ10F"), tenth));
    EXPECT_FALSE(keszip::floorMatches(sj("大手ﾏﾁ1-1JAﾋﾞﾙ1F"), tenth));
    EXPECT_TRUE(keszip::floorMatches(sj("大手ﾏﾁ1-1JAﾋﾞﾙ二十三階"), twentyThird));
    // Basements are not a numbered floor.
    EXPECT_FALSE(keszip::floorMatches(sj("大手ﾏﾁ1-1JAﾋﾞﾙ地下1F"), sj("大手ﾏﾁJAﾋﾞﾙ(1F)")));
    EXPECT_FALSE(keszip::floorMatches(sj("大手ﾏﾁ1-1JAﾋﾞﾙB1"), sj("大手ﾏﾁJAﾋﾞﾙ(1F)")));
    // The building name must come before the end of the address.
    EXPECT_FALSE(keszip::floorMatches(sj("大手ﾏﾁ1-1JA"), tenth));
    // A tower's floors, with or without the tower written.
    EXPECT_TRUE(keszip::floorMatches(sj("名駅4-7-1ﾐﾂﾄﾞﾗﾝﾄﾞｽｸｴｱ高層棟10F"), tower));
    EXPECT_TRUE(keszip::floorMatches(sj("名駅4-7-1ﾐﾂﾄﾞﾗﾝﾄﾞｽｸｴｱ10F"), tower));
}
