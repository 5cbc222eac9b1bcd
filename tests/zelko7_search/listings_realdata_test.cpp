// The dialogs' searches through the engine's exports over the real
// dictionaries built beside the library.
#include <gtest/gtest.h>

#include <algorithm>

#include "keszip.h"
#include "search_list_lines.h"
#include "search_listings.h"
#include "test_support.h"

using namespace converter::search;
using testing_support::sj;
using testing_support::u8;

namespace {

class RealListings : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(KesZipOpen(), 1);
        SetHyphenMode(0);
    }
    void TearDown() override { SetHyphenMode(0); }
};

bool contains(const Listing& listing, const std::string& utf8Line) {
    return std::find(listing.lines.begin(), listing.lines.end(), sj(utf8Line)) !=
           listing.lines.end();
}

}  // namespace

TEST_F(RealListings, CodeSearchFormatsAndFilters) {
    auto plain = listCodeAddresses("1000013", false);
    ASSERT_EQ(plain.lines.size(), 1u);
    // The building-exclusion note is left off the line.
    EXPECT_EQ(u8(plain.lines[0]), " 1000013:東京都 千代田区 霞が関");
    EXPECT_EQ(plain.count, 1);
    EXPECT_EQ(u8(plain.label), "検索結果　（ 取得件数 1 件 ）");
    EXPECT_EQ(u8(listCodeAddresses("1000013", true).lines[0]), " 10000:東京都 千代田区 霞が関");

    SetHyphenMode(1);
    EXPECT_EQ(u8(listCodeAddresses("100-0013", false).lines[0]), "100-0013:東京都 千代田区 霞が関");

    // A 5-digit code: its catch-all entry 1000000 is left out of the count.
    SetHyphenMode(0);
    auto wide = listCodeAddresses("10000", false);
    EXPECT_GT(wide.count, 1);
    EXPECT_EQ(wide.count, static_cast<long>(wide.lines.size()));
    EXPECT_TRUE(contains(wide, " 1000011:東京都 千代田区 内幸町"));
    EXPECT_EQ(std::count_if(wide.lines.begin(), wide.lines.end(),
                            [](const std::string& l) { return l.starts_with(" 1000000:"); }),
              0);
}

TEST_F(RealListings, CodeSearchWithNothingToList) {
    // Codes whose only entries are a catch-all town or "の次に番地がくる場合".
    for (const char* code : {"1000000", "3060433", "3940091", "0000000", "9999999"}) {
        auto listing = listCodeAddresses(code, false);
        ASSERT_EQ(listing.lines.size(), 1u) << code;
        EXPECT_EQ(u8(listing.lines[0]), "住所は取得されませんでした。") << code;
        EXPECT_EQ(listing.count, 0) << code;
        EXPECT_EQ(u8(listing.label), "検索結果") << code;
    }
    // An empty code lists nothing at all; only 8 characters are read.
    EXPECT_TRUE(listCodeAddresses("", false).lines.empty());
    EXPECT_EQ(listCodeAddresses("100-00139", false).count, 1);
}

TEST_F(RealListings, TextSearchDrillDown) {
    auto top = listMatchingPlaces("*");
    EXPECT_TRUE(top.listIsPartial);
    ASSERT_GE(top.lines.size(), 47u);
    EXPECT_EQ(u8(top.lines[0]), "北海道 ");
    EXPECT_EQ(u8(top.label), "検索結果　　（ 取得件数 " + std::to_string(top.count) + " 件 ）");

    auto tokyo = listMatchingPlaces(sj("東京都 *"));
    EXPECT_TRUE(tokyo.listIsPartial);
    EXPECT_TRUE(contains(tokyo, "東京都 千代田区 "));

    auto towns = listMatchingPlaces(sj("東京都 千代田区 *"));
    EXPECT_FALSE(towns.listIsPartial);
    EXPECT_TRUE(contains(towns, "東京都 千代田区 霞が関(次のビルを除く)"));
    EXPECT_GT(towns.count, 50);

    // Readings in hiragana narrow the same way.
    auto reading = listMatchingPlaces(sj("とうきょうとち"));
    EXPECT_GT(reading.count, 0);
    EXPECT_TRUE(contains(reading, "東京都 千代田区 "));

    auto none = listMatchingPlaces(sj("架空県"));
    EXPECT_TRUE(none.lines.empty());
    EXPECT_EQ(u8(none.label), "検索結果");
}

TEST_F(RealListings, OfficeSearches) {
    ASSERT_EQ(KesCmpOpen(), 1);
    auto byCode = listOfficesByCode("4718571");
    ASSERT_EQ(byCode.count, 1);
    EXPECT_EQ(u8(byCode.lines[0]),
              "4718571    トヨタ自動車　株式会社\n            愛知県 豊田市 トヨタ町１");
    EXPECT_EQ(u8(byCode.label), "検索結果　（ 取得件数 1 件 ）");

    const std::string name = sj("トヨタ自動車");
    auto fuzzy = listOfficesByName(name, "", 0);
    auto exact = listOfficesByName(name, "", 1);
    auto ignoringWords = listOfficesByName(name, "", 2);
    EXPECT_GT(fuzzy.count, exact.count);
    EXPECT_GT(exact.count, 0);
    EXPECT_GT(ignoringWords.count, 0);
    auto aichi = listOfficesByName(name, sj("愛知県"), 0);
    EXPECT_GT(aichi.count, 0);
    EXPECT_LT(aichi.count, fuzzy.count);
    for (const auto& line : aichi.lines) {
        EXPECT_NE(line.find(sj("\n            愛知県 ")), std::string::npos) << u8(line);
    }

    for (const Listing& nothing :
         {listOfficesByCode(""), listOfficesByCode("0000000"), listOfficesByName("", "", 0)}) {
        ASSERT_EQ(nothing.lines.size(), 1u);
        EXPECT_EQ(u8(nothing.lines[0]), "住所は取得されませんでした。");
        EXPECT_EQ(u8(nothing.label), "検索結果");
    }
}
