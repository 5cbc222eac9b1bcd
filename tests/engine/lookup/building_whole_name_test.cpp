// A building's floor entries apply only when the address writes the
// building's whole name, not a longer name that holds its characters.
#include <gtest/gtest.h>

#include "src/town_pattern.h"
#include "town_test_helpers.h"

TEST(BuildingFloor, WholeNameOnly) {
    using testing_support::sj;
    const struct {
        const char* input;
        const char* pattern;
        bool building, floor;
    } cases[] = {
        {"丸ﾉ内1-5-1新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ5F", "丸ﾉ内新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ(5F)", true, true},
        {"丸ﾉ内新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ5F", "丸ﾉ内新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ(5F)", true, true},
        {"丸ﾉ内1-6-2*新丸ﾉ内ｾﾝﾀ-ﾋﾞﾙﾃﾞｲﾝｸﾞ5F", "丸ﾉ内新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ(5F)", false, false},
        {"日本橋2-8-1東京日本橋ﾀﾜ-ｱﾈﾂｸｽ3F", "日本橋東京日本橋ﾀﾜ-(3F)", false, false},
        {"丸ﾉ内1-5-1新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ", "丸ﾉ内丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ(地階･階層不明)", false, false},
        {"名駅4-7-1ﾐﾂﾄﾞﾗﾝﾄﾞｽｸｴｱ高層棟10F", "名駅ﾐﾂﾄﾞﾗﾝﾄﾞｽｸｴｱ(高層棟)(10F)", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keszip::buildingMatches(sj(c.input), sj(c.pattern)), c.building) << c.input;
        EXPECT_EQ(keszip::floorMatches(sj(c.input), sj(c.pattern)), c.floor) << c.input;
    }
}
