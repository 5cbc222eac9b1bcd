// The drill-down search and the address splitting over the small dictionary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search_fixture.h"
#include "src/inc_search.h"
#include "src/separate_address.h"

using keszip::AddressParts;
using testing_support::sj;
using testing_support::u8;

namespace {

TEST(PrefixCompare, ResultsByWhichSideEndsFirst) {
    std::string_view rest;
    EXPECT_EQ(keszip::prefixCompare("*", "ABC", nullptr), keszip::kPrefixTextShorter);
    EXPECT_EQ(keszip::prefixCompare("AB", "ABC", nullptr), keszip::kPrefixTextShorter);
    EXPECT_EQ(keszip::prefixCompare("AB*", "ABC", nullptr), keszip::kPrefixTextShorter);
    EXPECT_EQ(keszip::prefixCompare("ABC", "ABC(X)", nullptr), keszip::kPrefixEqual);
    EXPECT_EQ(keszip::prefixCompare("ABCD", "ABC", &rest), keszip::kPrefixEntryShorter);
    EXPECT_EQ(rest, "D");
    EXPECT_EQ(keszip::prefixCompare("ABC*", "ABC", &rest), keszip::kPrefixEntryShorter);
    EXPECT_EQ(rest, "*");
    EXPECT_EQ(keszip::prefixCompare("ABD", "ABC", nullptr), keszip::kPrefixDiffers);
    EXPECT_EQ(keszip::prefixCompare("A B", "AB", nullptr), keszip::kPrefixEqual);
}

class IncSearch : public search_test::SearchDictionary {
  protected:
    // Every entry as "prefecture/city/municipality/town/note" in UTF-8.
    std::vector<std::string> all(const char* utf8) {
        std::vector<std::string> out;
        AddressParts parts;
        std::string text = sj(utf8);
        for (bool first = true; keszip::nextIncAddress(engine_, first, text, parts); first = false)
            out.push_back(u8(parts.prefecture) + "/" + u8(parts.city) + "/" + u8(parts.ward) + "/" +
                          u8(parts.town) + "/" + u8(parts.note));
        return out;
    }
};

TEST_F(IncSearch, DrillsDownFromPrefectureToTown) {
    EXPECT_EQ(all("東京"), std::vector<std::string>{"東京都////"});
    EXPECT_EQ(all("東京都*"), (std::vector<std::string>{"東京都//千代田区//", "東京都//港区//",
                                                        "東京都//三宅島三宅村//"}));
    EXPECT_EQ(
        all("東京都千代田区*"),
        (std::vector<std::string>{"東京都//千代田区/霞が関/", "東京都//千代田区/永田町/",
                                  "東京都//千代田区/丸の内/(次のビルを除く)",
                                  "東京都//千代田区/永田町二/", "東京都//千代田区/永田町三/"}));
    EXPECT_EQ(all("東京都千代田区永田"),
              (std::vector<std::string>{"東京都//千代田区/永田町/", "東京都//千代田区/永田町二/",
                                        "東京都//千代田区/永田町三/"}));
    EXPECT_EQ(all("北海道札幌市*"),
              (std::vector<std::string>{"北海道/札幌市/中央区//", "北海道/札幌市/北区//"}));
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
}

TEST_F(IncSearch, ReadingsAndTextsWithoutPrefecture) {
    // Hiragana of a reading, without the prefecture, reaches the ward itself.
    EXPECT_EQ(all("ちよだ"), std::vector<std::string>{"東京都//千代田区//"});
    EXPECT_EQ(all("よこはまし"), std::vector<std::string>{"神奈川県/横浜市///"});
    EXPECT_EQ(all("千代田区かすみ"), std::vector<std::string>{"東京都//千代田区/霞が関/"});
    EXPECT_TRUE(all("存在しない").empty());
    EXPECT_TRUE(all("").empty());
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
}

TEST(FoldInPlace, KeepsEveryBytePosition) {
    std::string text = sj("東京都　千代田区カスミが関１－２ a&b");
    std::string copy = keszip::foldInPlace(text);
    ASSERT_EQ(copy.size(), text.size());
    EXPECT_EQ(copy.substr(0, 6), text.substr(0, 6));
    EXPECT_EQ(copy.substr(6, 2), "**");
    EXPECT_EQ(copy.substr(16), sj("ｶ*ｽ*ﾐ*ｶﾞ関1*-*2**A*B"));
}

class Separate : public search_test::SearchDictionary {
  protected:
    std::vector<std::string> split(const char* utf8) {
        keszip::SeparatedAddress out;
        int flags = keszip::separateAddress(engine_, sj(utf8), out);
        return {std::to_string(flags), out.oldCode,  out.code7,    u8(out.prefecture),
                u8(out.city),          u8(out.ward), u8(out.town), u8(out.rest)};
    }
};

TEST_F(Separate, PartsInTheUsersOwnSpelling) {
    EXPECT_EQ(split("東京都千代田区霞が関１－２－３"),
              (std::vector<std::string>{"1", "100  ", "1000013", "東京都", "千代田区", "", "霞が関",
                                        "１－２－３"}));
    EXPECT_EQ(split("東京都　千代田区　かすみがせき　１丁目"),
              (std::vector<std::string>{"1", "100  ", "1000013", "東京都", "千代田区", "",
                                        "かすみがせき", "１丁目"}));
    EXPECT_EQ(split("北海道札幌市中央区旭ケ丘5"),
              (std::vector<std::string>{"1", "064  ", "0640941", "北海道", "札幌市", "中央区",
                                        "旭ケ丘", "5"}));
    // Without the prefecture, the city is written as the user wrote it.
    EXPECT_EQ(
        split("千代田区永田町二"),
        (std::vector<std::string>{"9", "100  ", "1000015", "", "千代田区", "", "永田町二", ""}));
}

TEST_F(Separate, UnknownTownTakesTheTextUpToTheNumber) {
    auto parts = split("東京都港区虎ノ門３ー１");
    EXPECT_EQ(parts[0], "5");
    EXPECT_EQ(parts[4], "港区");
    EXPECT_EQ(parts[6], "虎ノ門");
    EXPECT_EQ(parts[7], "３ー１");
}

TEST_F(Separate, NotFoundClearsEverything) {
    auto parts = split("どこでもない");
    EXPECT_EQ(parts, (std::vector<std::string>{"0", "", "", "", "", "", "", ""}));
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
}

}  // namespace
