// Renumbering of old telephone numbers by base date, in the number's own
// written form.
#include "telephone/renumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/test_support.h"

using keszip::tel::parseBaseDate;
using keszip::tel::renumber;
using testing_support::sj;
using testing_support::u8;

namespace {

// The renumbered number in UTF-8, or "-" when nothing converts it.
std::string conv(const std::string& utf8, int baseDate) {
    const auto out = renumber(sj(utf8), baseDate);
    return out ? u8(*out) : "-";
}

TEST(BaseDate, AcceptsEightCharacterDatesAndZero) {
    EXPECT_EQ(parseBaseDate("19990101"), 19990101);
    EXPECT_EQ(parseBaseDate("29999999"), 29999999);
    EXPECT_EQ(parseBaseDate("0"), 0);
    EXPECT_EQ(parseBaseDate(""), 0);
    EXPECT_EQ(parseBaseDate("abc"), 0);
    EXPECT_EQ(parseBaseDate("  -0"), 0);
}

TEST(BaseDate, RefusesWrongLengthOrRange) {
    EXPECT_EQ(parseBaseDate("1999010"), std::nullopt);    // 7 characters
    EXPECT_EQ(parseBaseDate("30000101"), std::nullopt);   // beyond 29999999
    EXPECT_EQ(parseBaseDate("18991231"), std::nullopt);   // before 19000000
    EXPECT_EQ(parseBaseDate(" 1999010"), std::nullopt);   // 8 characters, value too small
    EXPECT_EQ(parseBaseDate("199901011"), std::nullopt);  // 9 characters
    EXPECT_EQ(parseBaseDate("99999999999999999999"), std::nullopt);  // no overflow
}

TEST(Renumber, NothingWithoutBaseDate) {
    EXPECT_EQ(conv("030-12-34567", 0), "-");
    EXPECT_EQ(conv("0273-12-3456", 0), "-");
}

TEST(Renumber, DateDependentRules) {
    // The 0720 rule needs 20000101.
    EXPECT_EQ(conv("0720-12-3456", 19990101), "-");
    EXPECT_EQ(conv("0720-12-3456", 20000101), "072-812-3456");
    EXPECT_EQ(conv("030-12-34567", 19990101), "090-312-34567");
    EXPECT_EQ(conv("030-12-34567", 19981231), "-");
    EXPECT_EQ(conv("050-12-34567", 19990101), "070-512-34567");
    EXPECT_EQ(conv("06-123-4567", 19990101), "06-6123-4567");
    // Table rows apply from their own date; the rows are not in date order.
    EXPECT_EQ(conv("0429-12-3456", 19980430), "042-912-3456");
    EXPECT_EQ(conv("0236-12-3456", 19980430), "023-612-3456");
    EXPECT_EQ(conv("0177-12-3456", 19980430), "-");
    EXPECT_EQ(conv("0177-12-3456", 20000228), "-");
    EXPECT_EQ(conv("0177-12-3456", 20000301), "017-712-3456");
}

TEST(Renumber, TableShapes) {
    EXPECT_EQ(conv("0273-12-3456", 19980101), "027-312-3456");
    EXPECT_EQ(conv("07475-1-2345", 19980101), "0747-51-2345");
    EXPECT_EQ(conv("074762-1234", 19980101), "0747-62-1234");
    // The digit count must be 6 or 10.
    EXPECT_EQ(conv("0273-1-3456", 19980101), "-");
}

TEST(Renumber, NewFormsAndStrangersAreLeftAlone) {
    EXPECT_EQ(conv("06-1234-5678", 20260101), "-");
    EXPECT_EQ(conv("090-1234-5678", 20260101), "-");
    EXPECT_EQ(conv("03-1234-5678", 20260101), "-");
    EXPECT_EQ(conv("", 20260101), "-");
    EXPECT_EQ(conv("TEL", 20260101), "-");
}

TEST(Renumber, WrittenFormSurvives) {
    EXPECT_EQ(conv("０３０－１２－３４５６７", 19990101), "０９０－３１２－３４５６７");
    EXPECT_EQ(conv("０６（１２３）４５６７", 19990101), "０６（６１２３）４５６７");
    EXPECT_EQ(conv("０２７３－１２－３４５６", 19980101), "０２７－３１２－３４５６");
    EXPECT_EQ(conv("０７４７６２－１２３４", 19980101), "０７４７－６２－１２３４");
    EXPECT_EQ(conv("０７２０－１２－３４５６", 20000101), "０７２－８１２－３４５６");
    // Mixed widths: each edit takes the width of the character it lands on.
    EXPECT_EQ(conv("03０-12-34567", 19990101), "09０-312-34567");
    // Text before the first digit, brackets and blanks stay as written.
    EXPECT_EQ(conv("TEL (0273) 12-3456", 19980101), "TEL (027) 312-3456");
    EXPECT_EQ(conv("電話：（０６）１２３－４５６７", 19990101), "電話：（０６）６１２３－４５６７");
    EXPECT_EQ(conv("06 - 123 - 4567 内線", 19990101), "06 - 6123 - 4567 内線");
}

TEST(Renumber, GrowsByAtMostTwoBytes) {
    for (const char* number :
         {"０６１２３４５６７", "06-123-4567", "030-12-34567", "074762-1234", "0720-12-3456"}) {
        const std::string in = sj(number);
        const auto out = renumber(in, 20260101);
        ASSERT_TRUE(out) << number;
        EXPECT_LE(out->size(), in.size() + keszip::tel::kRenumberGrowth) << number;
    }
}

}  // namespace
