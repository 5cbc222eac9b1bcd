// Code to address: the code text, the walk over towns, the flags and the
// levels that the towns of one code share.
#include "src/code_search.h"

#include <gtest/gtest.h>

#include <vector>

#include "search_fixture.h"
#include "src/code_text.h"

using keszip::AddressParts;
using keszip::parseCodeText;
using testing_support::sj;
using testing_support::u8;

namespace {

TEST(CodeText, AcceptsThreeFiveAndSevenDigitsWithOptionalHyphen) {
    EXPECT_EQ(parseCodeText("1000013")->value, 1000013u);
    EXPECT_EQ(parseCodeText("100-0013")->value, 1000013u);
    EXPECT_EQ(parseCodeText("100-0013")->digits, 7);
    EXPECT_EQ(parseCodeText("10001")->digits, 5);
    EXPECT_EQ(parseCodeText("060")->digits, 3);
    EXPECT_EQ(parseCodeText("060")->value, 60u);
    for (const char* bad : {"", "1", "1234", "123456", "12345678", "10-00013", "1000-013",
                            "100--013", "100 0013", "１２３", "123-45678", "abc", "100-001x"}) {
        EXPECT_FALSE(parseCodeText(bad)) << bad;
    }
}

TEST(SearchFlags, MarkTheSpecialTowns) {
    EXPECT_EQ(keszip::searchFlags(sj("霞が関"), ""), 1);
    EXPECT_EQ(keszip::searchFlags(sj("以下に掲載がない場合"), ""), 5);
    EXPECT_EQ(keszip::searchFlags(sj("丸の内"), sj("(次のビルを除く)")), 33);
    EXPECT_EQ(keszip::searchFlags(sj("丸の内"), sj("(次のビルを除く)以外")), 1);
    EXPECT_EQ(keszip::searchFlags(sj("三宅村の次に番地がくる場合"), ""), 65);
}

class CodeSearch : public search_test::SearchDictionary {
  protected:
    struct Hit {
        int flags;
        keszip::TownCandidate town;
        AddressParts parts;
    };
    std::vector<Hit> all(const char* code) {
        std::vector<Hit> hits;
        Hit hit{};
        for (bool first = true;; first = false) {
            hit.flags = keszip::nextCodeAddress(engine_, first, code, hit.town, hit.parts);
            if (hit.flags == 0) break;
            hits.push_back(hit);
        }
        return hits;
    }
};

TEST_F(CodeSearch, SevenDigitCodeWithAndWithoutHyphen) {
    for (const char* code : {"1000013", "100-0013"}) {
        auto hits = all(code);
        ASSERT_EQ(hits.size(), 1u) << code;
        EXPECT_EQ(hits[0].flags, 1);
        EXPECT_EQ(hits[0].town.oldCode, 10000u);
        EXPECT_EQ(u8(hits[0].parts.prefecture), "東京都");
        EXPECT_EQ(u8(hits[0].parts.city), "千代田区");
        EXPECT_EQ(hits[0].parts.ward, "");
        EXPECT_EQ(u8(hits[0].parts.town), "霞が関");
        EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
    }
}

TEST_F(CodeSearch, MalformedCodeRefusedWith100) {
    keszip::TownCandidate town;
    AddressParts parts;
    engine_.currentJisCode = 13101;
    EXPECT_EQ(keszip::nextCodeAddress(engine_, true, "10-00013", town, parts), 0);
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
    EXPECT_EQ(engine_.currentJisCode, 0);
    // After the end, continuing keeps returning nothing.
    EXPECT_EQ(keszip::nextCodeAddress(engine_, false, "", town, parts), 0);
}

TEST_F(CodeSearch, CityWithWardsWritesCityAndWard) {
    auto hits = all("0600808");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(u8(hits[0].parts.city), "札幌市");
    EXPECT_EQ(u8(hits[0].parts.ward), "中央区");
    EXPECT_EQ(u8(hits[1].parts.ward), "北区");
    EXPECT_EQ(u8(hits[1].parts.town), "北八条西");
}

TEST_F(CodeSearch, ThreeAndFiveDigitCodesCoverTheirRange) {
    // 060 holds 060 (old 06000) in two wards; 064 is another three-digit code.
    auto hits = all("060");
    ASSERT_EQ(hits.size(), 3u);
    for (const auto& hit : hits) EXPECT_EQ(hit.town.oldCode / 100, 60u);
    // 100 holds every old code from 10000 to 10099, 10001 among them.
    hits = all("100");
    EXPECT_EQ(hits.size(), 7u);  // 10011 as well
    hits = all("10001");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(u8(hits[0].parts.town), "永田町");
}

TEST_F(CodeSearch, SpecialTownsCarryTheirFlags) {
    auto hits = all("1000000");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].flags, 5);
    hits = all("1000005");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].flags, 33);
    EXPECT_EQ(u8(hits[0].parts.town), "丸の内");
    EXPECT_EQ(u8(hits[0].parts.note), "(次のビルを除く)");
    hits = all("1001100");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].flags, 65);
}

TEST_F(CodeSearch, SearchSurvivesOtherTownReadsBetweenSteps) {
    keszip::TownCandidate town, other;
    AddressParts parts;
    ASSERT_NE(keszip::nextCodeAddress(engine_, true, "100", town, parts), 0);
    // Another reader moves the engine's town cursor elsewhere.
    ASSERT_TRUE(engine_.nextTown(true, 0, other));
    int count = 1;
    while (keszip::nextCodeAddress(engine_, false, "", town, parts) != 0) ++count;
    EXPECT_EQ(count, 7);
}

TEST_F(CodeSearch, DecisionClearsTheLevelsThatDiffer) {
    AddressParts parts;
    // Two wards of one city: prefecture and city remain.
    EXPECT_EQ(keszip::codeDecision(engine_, "0600808", parts), 1);
    EXPECT_EQ(u8(parts.prefecture), "北海道");
    EXPECT_EQ(u8(parts.city), "札幌市");
    EXPECT_EQ(parts.ward, "");
    EXPECT_EQ(parts.town, "");
    // Two towns of one municipality: the town goes.
    EXPECT_EQ(keszip::codeDecision(engine_, "1000015", parts), 1);
    EXPECT_EQ(u8(parts.city), "千代田区");
    EXPECT_EQ(parts.town, "");
    // One town: everything remains, with its flags.
    EXPECT_EQ(keszip::codeDecision(engine_, "100-0005", parts), 33);
    EXPECT_EQ(u8(parts.note), "(次のビルを除く)");
    EXPECT_EQ(keszip::codeDecision(engine_, "9999999", parts), 0);
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
    EXPECT_EQ(keszip::codeDecision(engine_, "99", parts), 0);
}

TEST(CodeSearchClosed, ReportsNotOpen) {
    keszip::ZipEngine engine("/nonexistent");
    keszip::TownCandidate town;
    AddressParts parts;
    EXPECT_EQ(keszip::nextCodeAddress(engine, true, "1000013", town, parts), 0);
    EXPECT_EQ(engine.lastError(), keszip::kErrNotOpen);
    EXPECT_EQ(keszip::codeDecision(engine, "1000013", parts), 0);
    EXPECT_EQ(engine.lastError(), keszip::kErrNotOpen);
}

}  // namespace
