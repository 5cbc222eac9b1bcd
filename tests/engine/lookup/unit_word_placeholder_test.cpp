// Towns listed by 丁目 or by 番地 (見本(丁目), 見本(番地)) against numbers
// written without their unit word, as address lists write them.
#include <gtest/gtest.h>

#include "src/town_pattern.h"
#include "town_test_helpers.h"

namespace {

struct Case {
    const char* pattern;
    const char* input;
    int result;
    int score;  // when matched
};

// Patterns and inputs in matching form.
const Case kCases[] = {
    // The word written matches best.
    {"見本(丁目)", "見本5丁目2-5", 1, 4 + 1 + 4},
    {"見本(番地)", "見本123番地", 1, 4 + 1 + 4},
    // Three numbers joined by "-": 丁目, 番 and 号.
    {"見本(丁目)", "見本5-2-5", 1, 4 + 1},
    {"見本(番地)", "見本5-2-5", 0, 0},
    // One or two numbers: a lot, below any town that names the number.
    {"見本(番地)", "見本123", 1, 4},
    {"見本(番地)", "見本123-4", 1, 4},
    {"見本(番地)", "見本123番4号", 1, 4},
    {"見本(丁目)", "見本5-2", 0, 0},
    {"見本(丁目)", "見本5", 0, 0},
    // A section name between the town and a lot written with 番地.
    {"見本(番地)", "見本寺山3147番地", 1, 4 + 1 + 4},
    {"見本(番地)", "見本寺山3147", 0, 0},
    {"見本(丁目)", "見本寺山3丁目", 0, 0},
    // The lot number right after the municipality, or after a town name.
    {"ﾉ次ﾆ番地ｶﾞｸﾙ場合", "123", 1, 0},
    {"ﾉ次ﾆ番地ｶﾞｸﾙ場合", "123-4", 1, 0},
    {"大ﾝﾏﾏﾁ(ﾉ次ﾆ番地ｶﾞｸﾙ場合)", "大ﾝﾏﾏﾁ123", 1, 6},
    {"大ﾝﾏﾏﾁ(ﾉ次ﾆ番地ｶﾞｸﾙ場合)", "大ﾝﾏﾏﾁ大ﾝﾏ123", 0, 0},
};

}  // namespace

TEST(TownPattern, NumbersWithoutTheirUnitWord) {
    for (const Case& c : kCases) {
        keszip::PatternMatch m;
        const std::string input = testing_support::sj(c.input);
        m.setInput(input);
        m.municipalityCode = 13101;
        const int result = keszip::townPatternMatch(m, testing_support::sj(c.pattern));
        EXPECT_EQ(result, c.result) << c.pattern << " / " << c.input;
        if (result == c.result && result != 0) {
            EXPECT_EQ(m.score, c.score) << c.pattern << " / " << c.input;
        }
    }
}
