// What the dialogs hand on from a chosen line or a confirmed text, and the
// detail dialog's split of an office hit.
#include <gtest/gtest.h>

#include "search/core/office_hit_split.h"
#include "search/core/search_choices.h"
#include "support/test_support.h"

using namespace converter::search;
using testing_support::sj;
using testing_support::u8;

TEST(SearchChoices, CodeLineChoice) {
    auto chosen = chosenCodeAddress(sj(" 1000013:東京都 千代田区 霞が関(次のビルを除く)"));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(u8(*chosen), "東京都 千代田区 霞が関 次のビルを除く ");
    // Only the first ":" separates the code.
    EXPECT_EQ(u8(*chosenCodeAddress(sj("100-0013:a:b"))), "a:b");
    // The not-found line has no ":" and hands nothing back.
    EXPECT_FALSE(chosenCodeAddress(sj("住所は取得されませんでした。")));
    EXPECT_FALSE(chosenCodeAddress(""));
}

TEST(SearchChoices, PickAndConfirm) {
    EXPECT_EQ(u8(pickedSearchText(sj("東京都 "), true)), "東京都 *");
    EXPECT_EQ(u8(pickedSearchText(sj("東京都 *"), true)), "東京都 *");
    EXPECT_EQ(pickedSearchText("", true), "");
    EXPECT_EQ(u8(pickedSearchText(sj("東京都 千代田区 霞が関"), false)), "東京都 千代田区 霞が関");

    EXPECT_EQ(u8(*confirmedSearchText(sj("東京都*"))), "東京都");
    EXPECT_EQ(u8(*confirmedSearchText(sj("東京都**"))), "東京都*");  // one "*" only
    EXPECT_EQ(u8(*confirmedSearchText(sj("霞が関(次のビルを除く)"))), "霞が関 次のビルを除く ");
    EXPECT_FALSE(confirmedSearchText(""));
    // A lone "*" is a text: it confirms as empty, since only parentheses count.
    EXPECT_EQ(*confirmedSearchText("*"), "");

    EXPECT_EQ(u8(withoutBuildingExclusion(sj("東京都 千代田区 霞が関 次のビルを除く "))),
              "東京都 千代田区 霞が関");
    EXPECT_EQ(u8(withoutBuildingExclusion(sj("東京都千代田区霞が関"))), "東京都千代田区霞が関");
    // Without the leading blank the words are part of the address.
    EXPECT_EQ(u8(withoutBuildingExclusion(sj("霞が関次のビルを除く"))), "霞が関次のビルを除く");
}

TEST(SearchChoices, LimitBytesKeepsCharactersWhole) {
    const std::string text = sj("ab東京");  // 2 + 2 x 2 bytes
    EXPECT_EQ(limitBytes(text, 6), text);
    EXPECT_EQ(limitBytes(text, 5), sj("ab東"));
    EXPECT_EQ(limitBytes(text, 3), "ab");
    EXPECT_EQ(limitBytes(std::string("a\x82", 2), 8), "a");  // a dangling lead byte goes
    EXPECT_EQ(limitBytes(std::string(3000, 'x'), kAddressTextLimit).size(), 2047u);
}

TEST(OfficeHitSplit, CodeNameAndAddress) {
    auto parts = splitOfficeHit(
        sj("4718571    トヨタ 自動車　株式会社\n            愛知県 豊田市 トヨタ町１"));
    EXPECT_EQ(parts.code, "4718571");
    // Blanks inside the name stay, as does the ideographic space.
    EXPECT_EQ(u8(parts.name), "トヨタ 自動車　株式会社");
    EXPECT_EQ(u8(parts.address), "愛知県 豊田市 トヨタ町１");

    parts = splitOfficeHit(sj("  471-8571    名前\n住所"));
    EXPECT_EQ(parts.code, "471-8571");
    EXPECT_EQ(u8(parts.name), "名前");
    EXPECT_EQ(u8(parts.address), "住所");

    // No second line: the address is empty; the name keeps trailing blanks.
    parts = splitOfficeHit(sj("1008050 名前 "));
    EXPECT_EQ(u8(parts.name), "名前 ");
    EXPECT_EQ(parts.address, "");

    parts = splitOfficeHit("");
    EXPECT_EQ(parts.code + parts.name + parts.address, "");
    // A lead byte cut off at the end is kept as it is, never read past.
    parts = splitOfficeHit(std::string("1 a\x82", 4));
    EXPECT_EQ(parts.name, std::string("a\x82", 2));
    // A lead byte before a blank or line feed does not swallow it.
    parts = splitOfficeHit(std::string("1\x82 N\x82\nA", 7));
    EXPECT_EQ(parts.code, "1\x82");
    EXPECT_EQ(parts.name, "N\x82");
    EXPECT_EQ(parts.address, "A");
}

TEST(SearchChoices, CodeTypedInFullWidthIsReadAsItsDigits) {
    // An input method in full-width mode types ０-９ and －.
    EXPECT_EQ(codeText(sj("１００－００１３")), "100-0013");
    EXPECT_EQ(codeText(sj("１００００１３")), "1000013");
    EXPECT_EQ(codeText("100-0013"), "100-0013");
    // Only 8 characters count, as for a half-width code.
    EXPECT_EQ(codeText(sj("１００－００１３９")), "100-0013");
    EXPECT_EQ(codeText("100-00139"), "100-0013");
    // Other characters stay as typed (and the engine refuses them); a
    // second byte that looks like a digit's is left alone.
    EXPECT_EQ(u8(codeText(sj("〒１"))), "〒1");
    EXPECT_EQ(codeText(std::string("\x88\x82\x4F", 3)), std::string("\x88\x82O", 3));
}

TEST(SearchChoices, FullWidthAsteriskIsTheWildcard) {
    EXPECT_EQ(u8(wildcardText(sj("東京都＊"))), "東京都*");
    EXPECT_EQ(u8(wildcardText(sj("＊＊"))), "**");
    // A second byte that looks like the asterisk's is left alone.
    EXPECT_EQ(wildcardText(std::string("\x88\x81\x96", 3)), std::string("\x88\x81\x96", 3));
    EXPECT_EQ(u8(*confirmedSearchText(sj("東京都＊"))), "東京都");
}
