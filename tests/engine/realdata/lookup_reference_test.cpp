// The fast town matcher (towns folded once per municipality and pre-checked)
// against the straightforward one that folds every town at every
// comparison, over thousands of real addresses in several spellings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "real_towns.h"
#include "src/lookup.h"
#include "src/town_matcher.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

namespace {

struct Result {
    int flags = 0;
    std::string code7, oldCode, number;
    int jis = 0;
    bool operator==(const Result&) const = default;
};

Result look(keszip::ZipEngine& engine, const std::string& address, keszip::TownMatcher matcher) {
    char code7[16] = {}, oldCode[16] = {}, number[16] = {};
    Result r;
    r.flags = keszip::lookupAddress(engine, address, {code7, oldCode, number}, matcher);
    r.code7 = code7;
    r.oldCode = oldCode;
    r.number = number;
    r.jis = engine.currentJisCode;
    return r;
}

}  // namespace

TEST(RealLookup, FastMatcherAgreesWithTheStraightforwardOne) {
    KESZIP_REQUIRE_REAL_DATA();
    auto towns = bench::loadRealTowns(testing_support::dataPath("ken_all.zip"));
    keszip::ZipEngine fast(KESZIP_BIN_DIR), reference(KESZIP_BIN_DIR);
    ASSERT_TRUE(fast.open());
    ASSERT_TRUE(reference.open());
    const std::string endings[] = {"", testing_support::sj("1丁目2番3号"), "12-3",
                                   testing_support::sj("五丁目ビル3階")};
    std::size_t compared = 0;
    for (std::size_t i = 0; i < towns.size(); i += 97) {
        const auto& t = towns[i];
        for (const std::string& text :
             {t.prefName + t.cityName + t.townName, t.cityName + t.baseName(),
              t.prefReading + t.cityReading + t.baseReading()}) {
            std::string address = text + endings[i % 4];
            Result a = look(fast, address, keszip::matchTown);
            Result b = look(reference, address, keszip::matchTownUncached);
            EXPECT_EQ(a, b) << testing_support::u8(address) << ": " << a.code7 << " vs " << b.code7;
            ++compared;
        }
    }
    EXPECT_GT(compared, 3000u);
}

// Towns whose name ends in a numeral are also compared with the address
// split after the name: the same towns with house numbers in four forms.
TEST(RealLookup, MatchersAgreeOnNamesEndingInANumeral) {
    KESZIP_REQUIRE_REAL_DATA();
    auto towns = bench::loadRealTowns(testing_support::dataPath("ken_all.zip"));
    keszip::ZipEngine fast(KESZIP_BIN_DIR), reference(KESZIP_BIN_DIR);
    ASSERT_TRUE(fast.open());
    ASSERT_TRUE(reference.open());
    const std::string numerals =
        testing_support::sj("一二三四五六七八九十百千０１２３４５６７８９");
    const std::string endings[] = {"3-5", testing_support::sj("３－５"),
                                   testing_support::sj("3番5号"),
                                   testing_support::sj("三丁目五番")};
    std::size_t compared = 0;
    for (const auto& t : towns) {
        const std::string& name = t.townName;
        if (name.size() < 2) continue;
        const std::string last = name.substr(name.size() - 2);
        bool numeral = false;
        for (std::size_t i = 0; i + 1 < numerals.size(); i += 2)
            numeral = numeral || numerals.compare(i, 2, last) == 0;
        if (!numeral) continue;
        for (const std::string& ending : endings) {
            std::string address = t.prefName + t.cityName + name + ending;
            Result a = look(fast, address, keszip::matchTown);
            Result b = look(reference, address, keszip::matchTownUncached);
            EXPECT_EQ(a, b) << testing_support::u8(address) << ": " << a.code7 << " vs " << b.code7;
            ++compared;
        }
    }
    EXPECT_GT(compared, 400u);
}
