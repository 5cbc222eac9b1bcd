#include "src/substitution_table.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

using keszip::parseSubstitutionTable;
using testing_support::sj;

namespace {
const std::string kEmpty = "\x81\x51";  // "＿"
}

TEST(SubstitutionTable, GrammarOfLines) {
    auto pairs = parseSubstitutionTable(
        "# comment line\r\n"
        "\r\n"
        "   \t\r\n" +
        sj("髙=高") + "  # a comment after a pair takes its blanks along\r\n" + "  " +
        sj("ヶ丘 = ケ丘 ") + "\r\n" +  // blanks inside are kept
        sj("鄕") + "\r\n" +            // no "=": the value is "＿"
        "=" + sj("空") + "\n" +        // empty key
        sj("壱=") + "\n");             // empty value
    ASSERT_EQ(pairs.size(), 5u);
    EXPECT_EQ(pairs[0].key, sj("髙"));
    EXPECT_EQ(pairs[0].value, sj("高"));
    EXPECT_EQ(pairs[1].key, sj("ヶ丘 "));
    EXPECT_EQ(pairs[1].value, sj(" ケ丘 "));
    EXPECT_EQ(pairs[2].key, sj("鄕"));
    EXPECT_EQ(pairs[2].value, kEmpty);
    EXPECT_EQ(pairs[3].key, kEmpty);
    EXPECT_EQ(pairs[3].value, sj("空"));
    EXPECT_EQ(pairs[4].value, kEmpty);
}

TEST(SubstitutionTable, EndMarkAndEmptyTables) {
    auto pairs = parseSubstitutionTable(sj("亜=阿") + "\n\x1A" + sj("伊=井") + "\n");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_TRUE(parseSubstitutionTable("").empty());
    EXPECT_TRUE(parseSubstitutionTable("# only\n\n  \n").empty());
}

TEST(SubstitutionTable, EscapesStandForOneCharacter) {
    auto pairs = parseSubstitutionTable(
        "\\x889F=\\j3021\n"  // both are 亜
        "\\j3121=\\x8940\n"  // an odd JIS row converts as well
        "\\q12=\\x\n"        // not an escape: kept as written
        "\\x889F=\\xzz\n");
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0].key, sj("亜"));
    EXPECT_EQ(pairs[0].value, sj("亜"));
    EXPECT_EQ(pairs[1].key, pairs[1].value);
    EXPECT_EQ(pairs[2].key, "\\q12");
    EXPECT_EQ(pairs[2].value, "\\x");
    EXPECT_EQ(pairs[3].value, "\\xzz");
}

TEST(SubstitutionTable, LoadingKeepsThePreviousTableOnFailure) {
    testing_support::TempDir dir;
    std::vector<keszip::SubstitutionPair> table{{"a", "b"}};
    EXPECT_FALSE(keszip::loadSubstitutionTable(dir.file("missing.tbl"), table));
    testing_support::writeFile(dir.file("empty.tbl"), "# nothing\n");
    EXPECT_FALSE(keszip::loadSubstitutionTable(dir.file("empty.tbl"), table));
    ASSERT_EQ(table.size(), 1u);
    testing_support::writeFile(dir.file("one.tbl"), sj("﨑=崎"));
    EXPECT_TRUE(keszip::loadSubstitutionTable(dir.file("one.tbl"), table));
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].key, sj("﨑"));
}
