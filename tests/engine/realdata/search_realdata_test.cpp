// Code-to-address searches and address splitting over the dictionary built
// from the real data, through the engine and through the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "src/code_search.h"
#include "src/inc_search.h"
#include "src/office_search.h"
#include "src/separate_address.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using testing_support::sj;
using testing_support::u8;

namespace {

class RealSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        KESZIP_REQUIRE_REAL_DATA();
        ASSERT_TRUE(engine_.open());
    }

    std::vector<std::string> towns(const char* code) {
        std::vector<std::string> out;
        keszip::TownCandidate town;
        keszip::AddressParts p;
        // NOLINTNEXTLINE(bugprone-infinite-loop): the condition asks the search for the next town
        for (bool first = true; int flags = keszip::nextCodeAddress(engine_, first, code, town, p);
             first = false)
            out.push_back(std::to_string(flags) + " " + u8(p.prefecture) + "/" + u8(p.city) + "/" +
                          u8(p.ward) + "/" + u8(p.town) + u8(p.note));
        return out;
    }

    keszip::ZipEngine engine_{KESZIP_BIN_DIR};
};

TEST_F(RealSearch, KnownCodesListTheirTowns) {
    EXPECT_EQ(towns("100-0013"),
              std::vector<std::string>{"33 東京都/千代田区//霞が関(次のビルを除く)"});
    EXPECT_EQ(towns("9071800"),
              std::vector<std::string>{"5 沖縄県/八重山郡/与那国町/以下に掲載がない場合"});
    EXPECT_EQ(towns("9120086"),
              (std::vector<std::string>{"1 福井県/大野市//泉町", "1 福井県/大野市//清水"}));
    EXPECT_EQ(towns("0600808"), std::vector<std::string>{"1 北海道/札幌市/北区/北八条西"});
    // Every town of the old three-digit code 064 (50 rows of the source).
    EXPECT_EQ(towns("064").size(), 50u);
}

TEST_F(RealSearch, DecisionKeepsTheSharedLevels) {
    keszip::AddressParts p;
    EXPECT_EQ(keszip::codeDecision(engine_, "9120086", p), 1);
    EXPECT_EQ(u8(p.prefecture + p.city), "福井県大野市");
    EXPECT_EQ(p.town, "");
}

TEST_F(RealSearch, DrillDownReachesTowns) {
    keszip::AddressParts p;
    std::vector<std::string> found;
    std::string text = sj("東京都千代田区かすみ");
    for (bool first = true; keszip::nextIncAddress(engine_, first, text, p); first = false)
        found.push_back(u8(p.town + p.note));
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], "霞が関(次のビルを除く)");
}

TEST_F(RealSearch, SplitKeepsTheWrittenForm) {
    keszip::SeparatedAddress s;
    ASSERT_EQ(keszip::separateAddress(engine_, sj("大阪府大阪市北区梅田３丁目１番"), s), 1);
    EXPECT_EQ(u8(s.prefecture + "|" + s.city + "|" + s.ward + "|" + s.town + "|" + s.rest),
              "大阪府|大阪市|北区|梅田|３丁目１番");
    ASSERT_EQ(
        keszip::separateAddress(engine_, sj("とうきょうと　ちよだく　かすみがせき　１丁目"), s), 1);
    EXPECT_EQ(u8(s.prefecture + "|" + s.city + "|" + s.town + "|" + s.rest),
              "とうきょうと|ちよだく|かすみがせき|１丁目");
}

TEST(RealSearchCli, CodeAndSplitLines) {
    KESZIP_REQUIRE_REAL_DATA();
    std::string out;
    ASSERT_EQ(testing_support::runCommand(
                  "'" + testing_support::binPath("keszip") + "' code --hyphen 1000013", &out),
              0);
    EXPECT_EQ(out, "33\t100   \t100-0013\t東京都\t千代田区\t\t霞が関\t(次のビルを除く)\n");
    ASSERT_EQ(
        testing_support::runCommand(
            "'" + testing_support::binPath("keszip") + "' split '港区芝公園４－２－８'", &out),
        0);
    EXPECT_EQ(out, "9\t105  \t1050011\t\t港区\t\t芝公園\t４－２－８\n");
    // A malformed code is refused before the dictionary is asked.
    EXPECT_NE(testing_support::runCommand(
                  "'" + testing_support::binPath("keszip") + "' decide 12-34567 2>/dev/null", &out),
              0);
    EXPECT_EQ(out, "");
}

}  // namespace

namespace {

// Large offices of JIGYOSYO.CSV, by code and by name.
TEST(RealOffices, KnownOfficesByCodeAndByName) {
    KESZIP_REQUIRE_REAL_DATA();
    keszip::ZipEngine engine(KESZIP_BIN_DIR);
    ASSERT_TRUE(engine.open());
    ASSERT_TRUE(keszip::openOffices(engine));
    EXPECT_GT(engine.office.offices.size(), 20000u);

    const keszip::OfficeRecord* office = nullptr;
    ASSERT_EQ(keszip::nextOfficeByCode(engine, true, "100-8050", office), 1);
    EXPECT_EQ(u8(office->name), "東京海上日動火災保険　株式会社");
    EXPECT_EQ(office->jisCode, 13101);
    EXPECT_EQ(u8(office->town + office->remark), "大手町二丁目６番４号常盤橋タワー");
    EXPECT_EQ(keszip::nextOfficeByCode(engine, false, "", office), 0);

    std::vector<unsigned> codes;
    for (bool first = true; keszip::nextOfficeByName(engine, first, sj("株式会社トヨタ自動車"),
                                                     sj("愛知県豊田市"), 2, office);
         first = false)
        codes.push_back(office->code7);
    EXPECT_NE(std::find(codes.begin(), codes.end(), 4718571u), codes.end());
    for (unsigned code : codes) EXPECT_EQ(code / 10000, 471u) << code;

    keszip::AddressParts p;
    keszip::jisCodeNames(engine, 23211, p);
    EXPECT_EQ(u8(p.prefecture + p.city), "愛知県豊田市");
}

TEST(RealOffices, CommandLine) {
    KESZIP_REQUIRE_REAL_DATA();
    std::string out;
    ASSERT_EQ(testing_support::runCommand(
                  "'" + testing_support::binPath("keszip") + "' office --code 4718571", &out),
              0);
    EXPECT_EQ(out, "4718571\t47171\t\t愛知県\t豊田市\t\tトヨタ町\t１\tトヨタ自動車　株式会社\n");
}

}  // namespace
