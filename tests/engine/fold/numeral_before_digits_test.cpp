// A kanji numeral run that meets digits: a kanji digit ends its number (the
// name's 二 in 第二6119番地), a multiplier joins them (二十3番 is 23番).
#include <gtest/gtest.h>

#include "fold_helpers.h"

TEST(FoldMatching, KanjiDigitBeforeDigits) {
    const struct {
        const char* input;
        const char* expected;
    } cases[] = {
        {"政和第二6119番地", "政和第二6119番地"},
        {"第三12-4", "第三12-4"},
        {"二十3番", "23番"},
        {"百5番", "105番"},
        {"三丁目二番", "3丁目2番"},
    };
    for (const auto& c : cases) EXPECT_EQ(fold_test::fold(c.input), c.expected) << c.input;
}
