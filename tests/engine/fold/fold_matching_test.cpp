// The finishes: reading rules and kanji numerals of the matching form, and
// the digit conversion of the literal form.
#include <gtest/gtest.h>

#include "fold_helpers.h"

namespace {

using fold_test::Case;
using fold_test::fold;
using fold_test::literal;

void expectMatching(std::initializer_list<Case> cases, const keszip::FoldSettings& settings = {}) {
    for (const Case& c : cases) EXPECT_EQ(fold(c.input, 1, settings), c.expected) << c.input;
}

TEST(FoldMatching, ReadingRules) {
    expectMatching({
        {"ちょう", "ﾏﾁ"},
        {"そん", "ﾑﾗ"},
        {"とう", "ﾝﾏ"},
        {"じま", "ﾝﾏ"},
        {"烏丸通り四条上る", "烏丸通4条上"},
        {"下る入る", "下入"},
        {"ツヅミ", "ﾂｽﾞﾐ"},
        {"サンシャイン６０", "ｻﾝｼﾔｲﾝﾝﾝ"},
        {"みなとみらい２１", "ﾐﾅﾄﾐﾗｲﾆｲ"},
        {"まつざかし", "ﾏﾂｻｶｼ"},
        {"ＳＳ３０", "SSｻﾝ"},
        {"ちょうそん", "ﾏﾁﾑﾗ"},  // scanning goes on after a replacement
    });
    EXPECT_EQ(fold("まつざか市"), fold("まつざかし"));
    EXPECT_EQ(literal("ちょう"), "ﾁﾖｳ");
}

TEST(FoldMatching, KanjiNumeralsBeforeUnitWords) {
    expectMatching({
        {"三丁目", "3丁目"},
        {"十三番地", "13番地"},
        {"二十三号", "23号"},
        {"百番", "100番"},
        {"千番", "1000番"},
        {"三百五番", "305番"},
        {"千二百三十四番", "1234番"},
        {"壱番弐拾伍号参号", "1番25号3号"},
        {"拾番零号", "10番0号"},
        {"五地割", "5地割"},
        {"十線", "10線"},
        {"北三條", "北3条"},
        {"三の五号", "3ﾉ5号"},
        {"三ー五号", "3-5号"},
        {"1-三A", "1-3A"},                          // preceded by "-"
        {"二十3番", "23番"},                        // ASCII digits inside the run
        {"一二三四五六七八九一番", "123456789番"},  // at most nine digits per group
    });
}

TEST(FoldMatching, KanjiNumeralsLeftAlone) {
    expectMatching({
        {"三好", "三好"},
        {"九十九里", "九十九里"},
        {"五地", "五地"},
        {"三 丁目", "三丁目"},  // not directly before the unit word
        {"麻布十番", "麻布十番"},
        {"麻布十番一丁目", "麻布十番1丁目"},
        {"十番", "10番"},
        // A building name after the house number: the numeral follows a
        // digit, not the "-", so it is part of the name.
        {"1-2-3三井ビル", "1-2-3三井ﾋﾞﾙ"},
        {"6-10-1六本木", "6-10-1六本木"},
    });
}

TEST(FoldMatching, FloorsAndOrdinals) {
    expectMatching({
        {"第3階", "|3F"},
        {"第三階", "第三階"},
        {"第二号", "|2号"},
        {"3階", "3F"},
        {"第 5", "|5"},
    });
}

TEST(FoldMatching, NumeralsAtTheEndDependOnTheLevel) {
    keszip::FoldSettings level1;
    level1.kanSuujiConvLevel = 1;
    expectMatching({{"番地三", "番地三"}, {"1-二", "1-二"}, {"一の二", "1ﾉ二"}});
    expectMatching({{"番地三", "番地3"}, {"1-二", "1-2"}, {"一の二", "1ﾉ2"}}, level1);
}

TEST(FoldMatching, LiteralFormConvertsDigitsOneByOne) {
    EXPECT_EQ(literal("東京都千代田区一番町"), "東京都千代田区1番町");
    EXPECT_EQ(literal("二十三 番地三"), "2十3番地3");
    EXPECT_EQ(literal("壱弐参伍零"), "12350");
    EXPECT_EQ(literal("第3階"), "第3階");
}

}  // namespace
