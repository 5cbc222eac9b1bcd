// Barcode data to symbols: hyphen handling, letters, padding and the check symbol.
#include <gtest/gtest.h>

#include <string>

#include "src/barcode_encoding.h"

using kesbar::Barcode;
using kesbar::Result;

namespace {

// Prepares and encodes `data` as the exports do for ready data.
Result encodeData(std::string data, Barcode& barcode) {
    Result prepared = kesbar::finishData(data);
    if (prepared != Result::Success) return prepared;
    return kesbar::encode(data, barcode);
}

std::string textOf(const std::string& data) {
    Barcode barcode{};
    EXPECT_EQ(encodeData(data, barcode), Result::Success) << data;
    return kesbar::barcodeText(barcode);
}

std::string repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

}  // namespace

TEST(BarcodeEncoding, PostalCodeWithHyphenPadsAndChecks) {
    Barcode barcode{};
    ASSERT_EQ(encodeData("123-4567", barcode), Result::Success);
    const Barcode expected = {19, 1,  2,  3,  4,  5,  6,  7,  14, 14, 14, 14,
                              14, 14, 14, 14, 14, 14, 14, 14, 14, 18, 20};
    EXPECT_EQ(barcode, expected);
    EXPECT_EQ(kesbar::barcodeText(barcode), "[STC]1234567" + repeat("[CC4]", 13) + "[CC8][SPC]");
}

TEST(BarcodeEncoding, CheckSymbolIsZeroOnWholeMultiples) {
    // Twenty zeros sum to 0.
    Barcode barcode{};
    ASSERT_EQ(kesbar::encode("0000000" + std::string(13, '0'), barcode), Result::Success);
    EXPECT_EQ(barcode[21], 0);
    // 1 + 3 + 0*18 = 4: the check value makes the sum a multiple of 19.
    ASSERT_EQ(kesbar::encode("1300000" + std::string(13, '0'), barcode), Result::Success);
    EXPECT_EQ(barcode[21], 15);
    EXPECT_EQ(kesbar::barcodeText(barcode).substr(25, 5), "[CC5]");
}

TEST(BarcodeEncoding, LettersTakeAControlCodeAndAnOffset) {
    EXPECT_EQ(textOf("1000013A9-Z"), "[STC]1000013[CC1]09-[CC3]5" + repeat("[CC4]", 7) + "1[SPC]");
    EXPECT_EQ(textOf("2900001JKTU"),
              "[STC]2900001[CC1]9[CC2]0[CC2]9[CC3]0" + repeat("[CC4]", 5) + "4[SPC]");
}

TEST(BarcodeEncoding, DataBeyondTwentyPositionsAreDropped) {
    Barcode tenLetters{};
    ASSERT_EQ(encodeData("ABCDEFGHIJ123", tenLetters), Result::Success);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(tenLetters[1 + 2 * i], kesbar::kCC1);
        EXPECT_EQ(tenLetters[2 + 2 * i], i);
    }
    // One digit and ten letters: the tenth letter keeps only its control code.
    Barcode shifted{};
    ASSERT_EQ(encodeData("1KLMNOPQRST", shifted), Result::Success);
    EXPECT_EQ(shifted[1], 1);
    EXPECT_EQ(shifted[18], kesbar::kCC2);
    EXPECT_EQ(shifted[19], 8);
    EXPECT_EQ(shifted[20], kesbar::kCC2);
    EXPECT_EQ(shifted[22], kesbar::kStop);
    // Characters after the last position are not looked at; long data are fine.
    EXPECT_EQ(encodeData("12345678901234567890abc", shifted), Result::Success);
    EXPECT_EQ(encodeData(std::string(500, '7') + "?", shifted), Result::Success);
}

TEST(BarcodeEncoding, BadCharactersAndShortData) {
    Barcode barcode{};
    EXPECT_EQ(encodeData("1000013a", barcode), Result::BadCharacter);
    EXPECT_EQ(encodeData("1000013 1", barcode), Result::BadCharacter);
    EXPECT_EQ(encodeData("100\x82\xa0"
                         "0013",
                         barcode),
              Result::BadCharacter);
    EXPECT_EQ(encodeData("", barcode), Result::TooShort);
    EXPECT_EQ(encodeData("123", barcode), Result::TooShort);
    // Only a hyphen at index 3 is dropped.
    EXPECT_EQ(encodeData("12-45", barcode), Result::TooShort);
    EXPECT_EQ(encodeData("123-456", barcode), Result::TooShort);
    EXPECT_EQ(encodeData("123456", barcode), Result::TooShort);
    EXPECT_EQ(encodeData("12-4567", barcode), Result::Success);
    EXPECT_EQ(barcode[3], kesbar::kHyphen);
}
