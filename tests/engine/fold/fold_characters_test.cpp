// The character pass, seen through the literal form (which only drops the
// filler marks and turns kanji digits into digits afterwards).
#include <gtest/gtest.h>

#include "fold_helpers.h"

namespace {

using fold_test::Case;
using fold_test::literal;

void expectLiteral(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(literal(c.input), c.expected) << c.input;
}

TEST(FoldCharacters, BlanksAndSeparatorsBecomeFillers) {
    expectLiteral({
        {"東京　港", "東京港"},
        {"東京 港", "東京港"},
        {"1&2/3.4\t5", "12345"},
        {"ab c", "AB C"},   // a blank after a Latin letter stays
        {"Ａ　Ｂ", "A B"},  // so does a full-width one, as a half-width blank
        {"A  B", "A B"},    // only directly after the letter
        {"A\tB", "AB"},     // other control bytes do not count as blanks
        {"1 2", "12"},
    });
}

TEST(FoldCharacters, HalfWidthSmallKanaAndLongVowel) {
    expectLiteral({{"ｧｨｩｪｫｬｭｮｯｰ", "ｱｲｳｴｵﾔﾕﾖﾂ-"}, {"ｶﾞﾊﾟ｡", "ｶﾞﾊﾟ｡"}});
}

TEST(FoldCharacters, FullWidthSymbols) {
    expectLiteral({
        {"、。，：；？！゛゜´｀＾￣＿", "､｡,:;?!ﾞﾟ``^~_"},
        {"ー―‐～｜‘’“”″", "---~|''\"\"\""},
        {"（）［］｛｝〈〉「」", "()[]{}<>｢｣"},
        {"＋－＝＜＞°′￥＄％＃＠", "+-=<>ﾟ'\\$%#@"},
        {"＊", ""},  // the full-width asterisk becomes the filler mark
    });
}

TEST(FoldCharacters, DroppedSymbolsAndTheIterationMark) {
    expectLiteral({
        {"〇．・¨ヽヾゝゞ〃仝〆／＼∥…‥", ""},
        {"〔〕《》『』【】±×÷≠≦≧∞∴♂♀℃￠￡＆", ""},
        {"二〇五", "25"},
        {"佐々木", "佐々木"},
    });
}

TEST(FoldCharacters, FullWidthDigitsAndLetters) {
    expectLiteral({{"ＡＢＣ", "ABC"}, {"abc", "ABC"}, {"ａｂｃ", "ABC"}, {"０１２９", "0129"}});
}

TEST(FoldCharacters, KanaBecomeHalfWidthKatakana) {
    expectLiteral({
        {"ガ", "ｶﾞ"},
        {"が", "ｶﾞ"},
        {"あいうえおアイウエオ", "ｱｲｳｴｵｱｲｳｴｵ"},
        {"ぁぃぅぇぉっゃゅょゎ", "ｱｲｳｴｵﾂﾔﾕﾖﾜ"},
        {"ァィゥェォッャュョヮ", "ｱｲｳｴｵﾂﾔﾕﾖﾜ"},
        {"ぱぴぷぺぽバビブベボ", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"},
        {"ゐゑをんヰヱヲンヴヵヶ", "ｲｴｦﾝｲｴｦﾝｳﾞｶｹ"},
        {"づムメモ", "ﾂﾞﾑﾒﾓ"},  // katakana after the gap at 0x837F
    });
}

}  // namespace
