#include <gtest/gtest.h>
#include <platform/profile.h>

#include <climits>

#include "support/test_support.h"

using platform::getPrivateProfileString;
using platform::profileLookup;
using platform::textToInt;

TEST(Profile, FindsKeysWithWindowsRules) {
    const std::string text =
        "; settings\r\n"
        "[Other]\r\n"
        "KanjiTableOff=7\r\n"
        "  [ kanji ]  \r\n"
        "  kansuujiconvlevel  =  1  \r\n"
        "Quoted=\"  spaced \"\r\n"
        "KanSuujiConvLevel=2\r\n"
        "NoValue\r\n"
        "Empty=\r\n"
        "[KANJI]\r\n"
        "Late=1\r\n";
    // Section and key compare case-insensitively, blanks around them drop.
    EXPECT_EQ(profileLookup(text, "KANJI", "KanSuujiConvLevel", "0", 9), "1");
    // The first occurrence wins, in the section asked for.
    EXPECT_EQ(profileLookup(text, "Other", "KanjiTableOff", "0", 9), "7");
    EXPECT_EQ(profileLookup(text, "KANJI", "KanjiTableOff", "0", 9), "0");
    // Matching quotes are removed, the blanks inside kept.
    EXPECT_EQ(profileLookup(text, "KANJI", "Quoted", "", 20), "  spaced ");
    EXPECT_EQ(profileLookup(text, "KANJI", "Empty", "d", 9), "");
    EXPECT_EQ(profileLookup(text, "KANJI", "NoValue", "d", 9), "");
    // Only the first section of a name is read.
    EXPECT_EQ(profileLookup(text, "KANJI", "Late", "none", 9), "none");
    EXPECT_EQ(profileLookup(text, "Missing", "Key", " def ", 9), "def");
}

TEST(Profile, CutsValuesToTheCallersSize) {
    EXPECT_EQ(profileLookup("[A]\nK=1234567890123\n", "A", "K", "", 9), "123456789");
    // A double-byte character is never split.
    const std::string value = testing_support::sj("１２３４５");
    EXPECT_EQ(profileLookup("[A]\nK=" + value + "\n", "A", "K", "", 9), value.substr(0, 8));
    EXPECT_EQ(profileLookup("[A]\nK=5", "A", "K", "", 9), "5");  // no final line end
}

TEST(Profile, ReadsFilesAndMissingFilesGiveTheDefault) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir.file("KESZIP.PRM"), "[KANJI]\r\nKanjiTableOff=1\r\n");
    EXPECT_EQ(getPrivateProfileString("KANJI", "KanjiTableOff", "0", 9, dir.file("KESZIP.PRM")),
              "1");
    EXPECT_EQ(getPrivateProfileString("KANJI", "KanjiTableOff", "0", 9, dir.file("none.prm")), "0");
}

TEST(Profile, TextToIntReadsLikeAtoi) {
    EXPECT_EQ(textToInt("  42abc"), 42);
    EXPECT_EQ(textToInt("-7"), -7);
    EXPECT_EQ(textToInt("+3"), 3);
    EXPECT_EQ(textToInt("abc"), 0);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("99999999999999"), 2147483647);
    // Numbers beyond int give the nearest int, however many digits follow.
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483647", -INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999999999999", INT_MIN},
        {"000000000000000000000012", 12},
        {"\t\r\n 5", 5},
        {"--5", 0},
        {"+-5", 0},
        {"- 5", 0},
        {"5\x82\x4f", 5},  // a double-byte digit ends the number
    };
    for (const auto& c : cases) EXPECT_EQ(textToInt(c.text), c.value) << c.text;
}
