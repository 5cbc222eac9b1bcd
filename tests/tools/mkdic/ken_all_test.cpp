#include "ken_all.h"

#include <gtest/gtest.h>

#include "build_error.h"
#include "ken_all_fixture.h"
#include "support/test_support.h"

using mkdic::BuildError;
using mkdic::parseKenAll;
using mkdic::parseKenAllLine;
using testing_support::sj;

namespace {

// The message of the BuildError thrown by `f`, or "" when nothing is thrown.
template <typename F>
std::string errorOf(F&& f) {
    try {
        f();
    } catch (const BuildError& e) {
        return e.what();
    }
    return "";
}

const mkdic_test::Row kRow{"01101",   "060  ",        "0600000",
                           "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                           "北海道",  "札幌市中央区", "以下に掲載がない場合"};

}  // namespace

TEST(KenAllParse, ReadsFieldsAndBothOldCodeForms) {
    const std::string text = mkdic_test::csvLine(kRow) +
                             sj("01101,06409,\"0640941\",ﾎｯｶｲﾄﾞｳ,ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ,"
                                "\"ｱｻﾋ,ｶﾞｵｶ\",北海道,札幌市中央区,\"旭\"\"ケ丘\",0,0,1,0,0,0\n");
    const auto rows = parseKenAll(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].localCode, 1101u);
    EXPECT_EQ(rows[0].prefectureCode(), 1u);
    EXPECT_EQ(rows[0].oldCode, 6000u);  // "060  " is 060 followed by two zeros
    EXPECT_EQ(rows[0].code7, 600000u);
    EXPECT_EQ(rows[0].cityName, sj("札幌市中央区"));
    EXPECT_EQ(rows[0].townReading, sj("ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ"));
    // Unquoted fields, a comma inside quotes, a doubled quote, LF line end.
    EXPECT_EQ(rows[1].oldCode, 6409u);
    EXPECT_EQ(rows[1].townReading, sj("ｱｻﾋ,ｶﾞｵｶ"));
    EXPECT_EQ(rows[1].townName, sj("旭\"ケ丘"));
    EXPECT_EQ(rows[1].line, 2u);
}

TEST(KenAllParse, SkipsBlankLinesAndEndOfFileMark) {
    const std::string text = "\r\n" + mkdic_test::csvLine(kRow) + "\r\n\x1a";
    const auto rows = parseKenAll(text);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].line, 2u);
    EXPECT_NE(errorOf([] { parseKenAll("\r\n"); }).find("no rows"), std::string::npos);
}

TEST(KenAllParse, MalformedRowsNameLineAndFault) {
    const std::string good = mkdic_test::csvLine(kRow);
    const auto errorAtLine3 = [&](const std::string& bad) {
        return errorOf([&] { parseKenAll(good + good + bad + good); });
    };
    struct Case {
        std::string line, expected;
    };
    const Case cases[] = {
        {"01101,\"060  \",\"0600000\",a,b,c,d,e,f,0,0,0,0,0\r\n", "expected 15 columns, found 14"},
        {"01101,\"060  \",\"0600000\",a,b,c,d,e,f,0,0,0,0,0,0,0\r\n", "found 16"},
        {"0110X,\"060  \",\"0600000\",a,b,c,d,e,f,0,0,0,0,0,0\r\n",
         "local-government code \"0110X\" is not 5 digits"},
        {"01101,\"060  \",\"060000\",a,b,c,d,e,f,0,0,0,0,0,0\r\n", "postal code \"060000\""},
        {"01101,\"06 0 \",\"0600000\",a,b,c,d,e,f,0,0,0,0,0,0\r\n", "old code"},
        {"01101,\"060  \",\"0600000\",\"a,b,c,d,e,f,0,0,0,0,0,0\r\n",
         "unterminated quote in column 4"},
        {"01101,\"060  \",\"0600000\",\"a\"x,b,c,d,e,f,0,0,0,0,0,0\r\n",
         "text after the closing quote in column 4"},
        {"48101,\"060  \",\"0600000\",a,b,c,d,e,f,0,0,0,0,0,0\r\n", "names no prefecture"},
        {"01101,\"060  \",\"0600000\",a,b,c,d,e,\"\",0,0,0,0,0,0\r\n", "town name is empty"},
        {"01101,\"060  \",\"0600000\",a,b,c,d,e,f,0,0,x,0,0,0\r\n", "flag in column 12"},
        {"01101,\"060  \",\"0600000\",a,b,c,d,e," + std::string(256, 'x') + ",0,0,0,0,0,0\r\n",
         "longer than 255 bytes"},
    };
    for (const Case& c : cases) {
        const std::string message = errorAtLine3(c.line);
        EXPECT_NE(message.find("KEN_ALL.CSV line 3: "), std::string::npos) << message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    }
}
