// Town names that end in a numeral, followed by a house number: the lookup
// must find the town and start the address number after its name, whatever
// way the house number is written.
#include <gtest/gtest.h>

#include <string>

#include "src/lookup.h"
#include "src/town_matcher.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using keszip::ZipEngine;
using testing_support::sj;
using testing_support::TempDir;

namespace {

std::string numeralSource() {
    std::string csv;
    auto town = [&](const char* code, const char* reading, const char* name) {
        csv += testing_support::kenAllRow("15999", "959  ", code, "ﾆｲｶﾞﾀｹﾝ", "ﾐﾎﾝｼ", reading,
                                          "新潟県", "見本市", name);
    };
    town("9599900", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "以下に掲載がない場合");
    town("9599901", "ﾃﾗﾄﾞﾏﾘ", "寺泊");
    town("9599902", "ﾃﾗﾄﾞﾏﾘｺﾞﾌﾞｲﾁ", "寺泊五分一");
    town("9599903", "ｼﾝﾄﾖﾌﾀ", "新十余二");
    town("9599904", "ｳﾗｳｽﾀﾞｲ1", "浦臼第１");
    town("9599905", "ｳﾗｳｽﾀﾞｲ2", "浦臼第２");
    town("9599906", "ｼﾞｭｳｿｳ", "十三");
    town("9599907", "ｼﾁﾌﾞｲﾁ(1-3ﾁｮｳﾒ)", "七分一（１～３丁目）");
    town("9599908", "ｲｯｼｷ", "一色");
    return csv;
}

struct Answer {
    int flags = 0;
    std::string code7, number;
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& a) {
    return out << a.flags << " " << a.code7 << " " << a.number;
}

Answer lookUp(ZipEngine& engine, const std::string& address,
              keszip::TownMatcher matcher = keszip::matchTown) {
    char code7[16] = {}, number[16] = {};
    Answer a;
    a.flags = keszip::lookupAddress(engine, sj(address), {code7, nullptr, number}, matcher);
    a.code7 = code7;
    a.number = number;
    return a;
}

class NumeralTown : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        ASSERT_EQ(testing_support::buildDictionary(*dir_, numeralSource()), 0);
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override { ASSERT_TRUE(engine_.open()); }

    static TempDir* dir_;
    ZipEngine engine_{dir_->path()};
};

TempDir* NumeralTown::dir_ = nullptr;

const char* const kHouseNumbers[] = {"3-5",  "３－５", "3番5号",     "三丁目五番",
                                     " 3-5", "-3-5",   "３番地５号", "3丁目5番地"};

}  // namespace

TEST_F(NumeralTown, FoundWithTheHouseNumberInEveryForm) {
    const std::pair<const char*, const char*> towns[] = {
        {"寺泊五分一", "9599902"}, {"新十余二", "9599903"}, {"浦臼第１", "9599904"},
        {"浦臼第２", "9599905"},   {"十三", "9599906"},
    };
    for (const auto& [name, code] : towns) {
        for (const char* number : kHouseNumbers) {
            const std::string address = std::string("新潟県見本市") + name + number;
            EXPECT_EQ(lookUp(engine_, address), (Answer{1, code, "3-5"})) << address;
            // The straightforward matcher agrees.
            EXPECT_EQ(lookUp(engine_, address, keszip::matchTownUncached), lookUp(engine_, address))
                << address;
        }
    }
}

TEST_F(NumeralTown, OtherTownsKeepTheirAnswers) {
    EXPECT_EQ(lookUp(engine_, "新潟県見本市寺泊五分一"), (Answer{1, "9599902", ""}));
    EXPECT_EQ(lookUp(engine_, "新潟県見本市寺泊8-14"), (Answer{1, "9599901", "8-14"}));
    EXPECT_EQ(lookUp(engine_, "新潟県見本市寺泊八番地"), (Answer{1, "9599901", "8"}));
    EXPECT_EQ(lookUp(engine_, "新潟県見本市一色3-5"), (Answer{1, "9599908", "3-5"}));
    EXPECT_EQ(lookUp(engine_, "新潟県見本市浦臼第１"), (Answer{1, "9599904", ""}));
    // Half-width digits run together are one number: 第13 is no town here.
    EXPECT_EQ(lookUp(engine_, "新潟県見本市浦臼第13-5").code7, "9599900");
}

TEST_F(NumeralTown, TheNoteOfTheTownStillApplies) {
    EXPECT_EQ(lookUp(engine_, "新潟県見本市七分一二丁目5"), (Answer{1, "9599907", "2-5"}));
    EXPECT_EQ(lookUp(engine_, "新潟県見本市七分一2-5"), (Answer{1, "9599907", "2-5"}));
    // 5丁目 lies outside the town's range.
    EXPECT_EQ(lookUp(engine_, "新潟県見本市七分一五丁目3").code7, "9599900");
}

TEST_F(NumeralTown, KanjiNumeralsAtTheEndReadAsNumbers) {
    // With KanSuujiConvLevel=1 the names' final numerals fold to digits.
    TempDir dir;
    ASSERT_EQ(testing_support::buildDictionary(dir, numeralSource()), 0);
    testing_support::writeFile(dir.file("KESZIP.PRM"), "[KANJI]\r\nKanSuujiConvLevel=1\r\n");
    ZipEngine engine(dir.path());
    ASSERT_TRUE(engine.open());
    ASSERT_EQ(engine.foldSettings().kanSuujiConvLevel, 1);
    EXPECT_EQ(lookUp(engine, "新潟県見本市寺泊五分一3-5"), (Answer{1, "9599902", "3-5"}));
    EXPECT_EQ(lookUp(engine, "新潟県見本市寺泊五分一三丁目五番"), (Answer{1, "9599902", "3-5"}));
    EXPECT_EQ(lookUp(engine, "新潟県見本市七分一二丁目5"), (Answer{1, "9599907", "2-5"}));
}
