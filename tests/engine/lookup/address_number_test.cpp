// The customer-barcode address number of the rest of an address.
#include "src/address_number.h"

#include <gtest/gtest.h>

#include <cstring>

#include "src/fold.h"
#include "support/test_support.h"

using testing_support::sj;

namespace {

// Address number of the UTF-8 text after the municipality name, folded as
// the lookup folds it.
std::string number(const char* rest, std::size_t townDigits = 0) {
    std::string folded = keszip::foldText(sj(rest), keszip::kFoldMatching, {});
    char out[keszip::kAddressNumberLength + 1];
    std::memset(out, 'x', sizeof out);
    keszip::addressNumber(folded, townDigits, out);
    return out;
}

}  // namespace

TEST(AddressNumber, DistrictLotAndHouse) {
    EXPECT_EQ(number("赤坂1丁目2番3号"), "1-2-3");
    EXPECT_EQ(number("赤坂一丁目二番三号"), "1-2-3");
    EXPECT_EQ(number("赤坂１－２－３"), "1-2-3");
    EXPECT_EQ(number("見本123番地"), "123");
    EXPECT_EQ(number("見本字ナントカ５番地の２"), "5-2");
    // Separators written several times count once.
    EXPECT_EQ(number("赤坂1丁目-2番-3号"), "1-2-3");
}

TEST(AddressNumber, DigitsOfTheTownNameAreSkipped) {
    EXPECT_EQ(number("北1条西5丁目3-2", 1), "5-3-2");
    EXPECT_EQ(number("北一条西五丁目3-2", 1), "5-3-2");
    // More digits than the text has.
    EXPECT_EQ(number("北1条", 4), "");
}

TEST(AddressNumber, BuildingsFloorsAndLetters) {
    EXPECT_EQ(number("赤坂1-2-3ABCビル10F"), "1-2-3-10");
    EXPECT_EQ(number("赤坂1-2-3ビル10階"), "1-2-3-10");
    EXPECT_EQ(number("赤坂1-2-3 ABC"), "1-2-3");
    // A single letter belongs to the number and takes the separator's place.
    EXPECT_EQ(number("見本3-12A"), "3-12A");
    EXPECT_EQ(number("見本3-12-A"), "3-12A");
    EXPECT_EQ(number("見本A棟3-12"), "A3-12");
    // "&", "/", "." and "･" are not separators.
    EXPECT_EQ(number("見本3/12"), "312");
}

TEST(AddressNumber, AtMostThirteenCharacters) {
    EXPECT_EQ(number("見本1234-5678-9012-3456"), "1234-5678-901");
    std::string longText(10000, '7');
    char out[keszip::kAddressNumberLength + 1];
    keszip::addressNumber(longText, 0, out);
    EXPECT_EQ(std::string(out), "7777777777777");
    std::string junk;
    for (int i = 0; i < 10000; ++i) junk += static_cast<char>((i * 91) & 0xFF);
    junk += '\x81';
    keszip::addressNumber(junk, 3, out);
    EXPECT_LE(std::strlen(out), keszip::kAddressNumberLength);
}
