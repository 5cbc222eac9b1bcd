// Kanji in the character pass: built-in pairs, KESZIP.TBL pairs, the removal
// of ｶ, ｹ and ｶﾞ before kanji, the substitution report and the office variant.
#include <gtest/gtest.h>

#include "fold_helpers.h"

namespace {

using fold_test::fold;
using fold_test::literal;
using fold_test::withTable;
using testing_support::sj;
using testing_support::u8;

TEST(FoldKanji, SuffixPairsOnlyInTheMatchingForm) {
    EXPECT_EQ(fold("北海道札幌市中央区"), "北海ﾄﾞｳ札幌ｼ中央ｸ");
    EXPECT_EQ(fold("東京都"), "東京ﾄ");
    EXPECT_EQ(fold("東京都"), fold("東京と"));
    EXPECT_EQ(fold("府県郡町村島字乃之嶋"), "ﾌｹﾝｸﾞﾝﾏﾁﾑﾗﾝﾏｱｻﾞﾉﾉﾝﾏ");
    EXPECT_EQ(literal("北海道札幌市"), "北海道札幌市");
}

TEST(FoldKanji, VariantPairsInBothForms) {
    for (int mode : {keszip::kFoldLiteral, keszip::kFoldMatching}) {
        EXPECT_EQ(fold("澤", mode), "沢");
        EXPECT_EQ(fold("鰺竃齋斎槇己", mode), "鯵釜斉斉槙巳");
        EXPECT_EQ(fold("龍ケ崎", mode), fold("竜ヶ崎", mode));
    }
}

TEST(FoldKanji, KaKeAndGaBeforeKanjiAreRemoved) {
    EXPECT_EQ(fold("霞が関"), "霞関");
    EXPECT_EQ(fold("霞ヶ関"), fold("霞が関"));
    EXPECT_EQ(fold("霞ケ関"), fold("霞ヵ関"));
    EXPECT_EQ(fold("鬼ヶ島"), "鬼ﾝﾏ");
    EXPECT_EQ(fold("大ガ町"), "大ﾏﾁ");
    EXPECT_EQ(fold("日ノ出ヶ村"), "日ﾉ出ﾑﾗ");
    EXPECT_EQ(fold("ガ一丁目"), "1丁目");   // ｶﾞ goes even before a digit
    EXPECT_EQ(fold("ケ一丁目"), "ｹ1丁目");  // a lone ｹ stays before 一..九
    EXPECT_EQ(fold("ケ々"), "ｹ々");         // 々 is not a kanji of the removal
    EXPECT_EQ(literal("霞ヶ関"), "霞関");
    // Trail bytes that look like ｶ or ｹ (宛 ends in 0xB6, 飴 in 0xB9) stay.
    EXPECT_EQ(fold("宛山飴山"), "宛山飴山");
    EXPECT_EQ(fold("宛ﾞ山"), "宛ﾞ山");
}

TEST(FoldKanji, TablePairsFirstMatchWins) {
    const auto shortFirst = withTable({{"髙", "高"}, {"髙田", "鷹田"}});
    const auto longFirst = withTable({{"髙田", "鷹田"}, {"髙", "高"}});
    EXPECT_EQ(fold("髙田馬場", 1, shortFirst), "高田馬場");
    EXPECT_EQ(fold("髙田馬場", 1, longFirst), "鷹田馬場");
    EXPECT_EQ(fold("髙木", 1, longFirst), "高木");
    EXPECT_EQ(literal("髙田", longFirst), "鷹田");
    // A value is written as it stands: no suffix pair, no removal before it.
    EXPECT_EQ(fold("ヶ髙", 1, longFirst), "ｹ高");
    EXPECT_EQ(fold("髙", 1, withTable({{"髙", "市"}})), "市");
}

TEST(FoldKanji, BuiltInPairsComeBeforeTheTable) {
    const auto table = withTable({{"澤", "沢沢"}});
    EXPECT_EQ(fold("澤", 1, table), "沢");
    auto off = table;
    off.kanjiTableOff = 1;
    EXPECT_EQ(fold("澤", 1, off), "沢沢");
    off.kanjiSubstitutions.clear();
    EXPECT_EQ(fold("澤", 1, off), "澤");
    EXPECT_EQ(fold("東京都", 1, off), "東京都");
    EXPECT_EQ(fold("霞ヶ町", 1, off), "霞町");  // removal before any kanji remains
}

TEST(FoldKanji, SubstitutionReport) {
    const auto table = withTable({{"髙", "高"}});
    const auto reportOf = [&](const char* text, int mode) {
        unsigned report = 99;
        fold(text, mode, table, &report);
        return report;
    };
    EXPECT_EQ(reportOf("あ山", 1), 0u);
    EXPECT_EQ(reportOf("東京都", 1), keszip::kReportBuiltInPair);
    EXPECT_EQ(reportOf("東京都", 0), 0u);
    EXPECT_EQ(reportOf("澤", 0), keszip::kReportBuiltInPair);
    EXPECT_EQ(reportOf("髙", 0), keszip::kReportTablePair);
    EXPECT_EQ(reportOf("髙松市", 1), keszip::kReportBuiltInPair | keszip::kReportTablePair);
}

TEST(FoldKanji, OfficeVariant) {
    auto settings = withTable({{"髙", "高"}});
    const auto office = [&](const char* text) {
        return u8(keszip::foldOfficeText(sj(text), settings));
    };
    EXPECT_EQ(office("霞ヶ関 澤商事　東京都一"), "霞ｹ関沢商事東京都1");
    EXPECT_EQ(office("ガ町 ちょう 髙"), "ｶﾞ町ﾁﾖｳ髙");
    EXPECT_EQ(office("ａｂｃ　ｄ"), "ABC D");
    settings.kanjiTableOff = 1;
    EXPECT_EQ(office("澤"), "澤");
}

}  // namespace
