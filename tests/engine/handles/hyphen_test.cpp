#include "src/hyphen.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::string code7(const char* text) {
    char buffer[9] = {};
    std::strcpy(buffer, text);
    keszip::insertCode7Hyphen(buffer);
    return buffer;
}
std::string oldCode(const char* text) {
    char buffer[7] = {};
    std::strcpy(buffer, text);
    keszip::insertOldCodeHyphen(buffer);
    return buffer;
}
}  // namespace

TEST(Hyphen, SevenDigitCodesAndErrorTexts) {
    EXPECT_EQ(code7("1234567"), "123-4567");
    EXPECT_EQ(code7("ERR-003"), "ERR--003");
    EXPECT_EQ(code7(""), "");
}

TEST(Hyphen, OldCodes) {
    EXPECT_EQ(oldCode("12345"), "123-45");
    EXPECT_EQ(oldCode("060  "), "060   ");  // the three-digit form
    EXPECT_EQ(oldCode(""), "");
}
