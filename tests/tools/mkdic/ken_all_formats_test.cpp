// Japan Post's data in its two formats: the UTF-8 file converts to the
// Shift-JIS forms of KEN_ALL.CSV, and both files of one date give the same
// dictionary bytes.
#include <gtest/gtest.h>

#include "build_error.h"
#include "dictionary_build.h"
#include "ken_all_source.h"
#include "layout/dic_format.h"
#include "support/test_support.h"
#include "utf8_ken_all.h"

using testing_support::sj;
using testing_support::TempDir;
using testing_support::u8;
using testing_support::writeFile;

namespace {

std::string utf8Row(const std::string& code7, const std::string& townReading,
                    const std::string& town) {
    return "01101,\"060  \",\"" + code7 + "\",\"ホッカイドウ\",\"サッポロシチュウオウク\",\"" +
           townReading + "\",\"北海道\",\"札幌市中央区\",\"" + town + "\",0,0,1,0,0,0\r\n";
}

std::string sjisRow(const std::string& code7, const std::string& townReading,
                    const std::string& town) {
    return sj("01101,\"060  \",\"" + code7 + "\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"" + townReading +
              "\",\"北海道\",\"札幌市中央区\",\"" + town + "\",0,0,1,0,0,0\r\n");
}

std::string errorOf(const std::string& text) {
    try {
        mkdic::parseKenAllSource(text, "utf_ken_all.csv");
    } catch (const mkdic::BuildError& e) {
        return e.what();
    }
    return "";
}

// A number list long enough that the town takes two records of the dictionary.
std::string longList(const char* dash) {
    std::string list;
    for (int i = 100; i < 150; ++i) list += "１" + std::string(dash) + "２、";
    return list;
}

}  // namespace

// Each character class of the UTF-8 file and the Shift-JIS text it stands for
// (readings half-width, as in KEN_ALL.CSV).
TEST(Utf8KenAll, ConvertsAsJapanPostMeansTheCharacters) {
    struct Case {
        const char* utf8;
        bool reading;
        const char* sjisHex;  // expected bytes, or "" to compare with sj(want)
        const char* want;
    } cases[] = {
        {"大通西（１〜１９丁目）", false, "", "大通西（１～１９丁目）"},
        {"\xE3\x80\x9C", false, "\x81\x60", ""},  // U+301C WAVE DASH
        {"\xEF\xBD\x9E", false, "\x81\x60", ""},  // U+FF5E FULLWIDTH TILDE
        {"\xE2\x88\x92", false, "\x81\x7C", ""},  // U+2212 MINUS SIGN
        {"\xEF\xBC\x8D", false, "\x81\x7C", ""},  // U+FF0D FULLWIDTH HYPHEN-MINUS
        {"\xE2\x80\x96", false, "\x81\x61", ""},  // U+2016 DOUBLE VERTICAL LINE
        {"\xE2\x80\x94", false, "\x81\x5C", ""},  // U+2014 EM DASH
        {"\xC2\xA2\xC2\xA3\xC2\xAC", false, "\x81\x91\x81\x92\x81\xCA", ""},
        {"㈱髙﨑", false, "", "㈱髙﨑"},
        {"ガギグゲゴパピプペポヴ", true, "", "ｶﾞｷﾞｸﾞｹﾞｺﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ"},
        {"ァィゥェォャュョッヲンー・、", true, "", "ｧｨｩｪｫｬｭｮｯｦﾝｰ･､"},
        {"ヰヱヮヵヶ", true, "", "ｲｴﾜｶｹ"},
        {"（１−１９チョウメ）＜ＡＢＣ＞．", true, "", "(1-19ﾁｮｳﾒ)<ABC>."},
        {"ｱｲｳ", true, "", "ｱｲｳ"},
    };
    mkdic::Utf8ToSjis convert;
    for (const Case& c : cases) {
        std::string out, problem;
        const bool ok =
            c.reading ? convert.reading(c.utf8, out, problem) : convert.name(c.utf8, out, problem);
        EXPECT_TRUE(ok) << c.utf8 << ": " << problem;
        EXPECT_EQ(out, *c.sjisHex ? std::string(c.sjisHex) : sj(c.want)) << c.utf8;
    }
}

// A character with no Shift-JIS form, or bytes that are no UTF-8, stop the
// build with the line and the character; nothing becomes a silent "?".
TEST(Utf8KenAll, RefusesWhatHasNoShiftJisFormWithItsLine) {
    const std::string good = utf8Row("0600041", "オオドオリヒガシ", "大通東");
    struct Case {
        std::string text, message;
    } cases[] = {
        {good + utf8Row("0600042", "ヨシ", "𠮷野"), "line 2: town name: character U+20BB7"},
        {good + good + utf8Row("0600042", "ヨシ", "☃"), "line 3: town name: character U+2603"},
        {utf8Row("0600042", "𠮷", "吉野"), "line 1: town reading: character U+20BB7"},
        {good + utf8Row("0600042", "ヨシ", "吉\xE9\x87"), "line 2: town name: invalid UTF-8"},
        {good + utf8Row("0600042", "ヨシ", "吉\xED\xA0\x80"), "line 2: town name: invalid UTF-8"},
        {good + utf8Row("0600042", "ヨシ", "吉\xC0\xAF"), "line 2: town name: invalid UTF-8"},
        {good + "01101,\"060  \",\"0600042\"\r\n", "line 2: expected 15 columns"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(errorOf(c.text).find("utf_ken_all.csv " + c.message), std::string::npos)
            << c.message << " -> " << errorOf(c.text);
    }
}

// The same towns written in each format, a continued name, wave dashes,
// minus signs and a town longer than one record among them, give the same
// rows and the same dictionary file, the information block aside.
TEST(KenAllFormats, BothFormatsGiveTheSameDictionary) {
    const std::string utf8 =
        "\xEF\xBB\xBF" + utf8Row("0600000", "イカニケイサイガナイバアイ", "以下に掲載がない場合") +
        utf8Row("0600042", "オオドオリニシ（１−１９チョウメ、２０−２８チョウメ）",
                "大通西（１〜１９丁目、２０〜２８丁目）") +
        utf8Row("0600043", "キョウワ（１−２、", "協和（" + longList("−") + "）") +
        utf8Row("0640941", "アサヒガオカ", "旭ケ丘");
    const std::string sjis =
        sjisRow("0600000", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "以下に掲載がない場合") +
        sjisRow("0600042", "ｵｵﾄﾞｵﾘﾆｼ(1-19ﾁｮｳﾒ､", "大通西（１～１９丁目、") +
        sjisRow("0600042", "20-28ﾁｮｳﾒ)", "２０～２８丁目）") +
        sjisRow("0600043", "ｷｮｳﾜ(1-2､", "協和（" + longList("－").substr(0, 12 * 20)) +
        sjisRow("0600043", "ｷｮｳﾜ(1-2､", longList("－").substr(12 * 20) + "）") +
        sjisRow("0640941", "ｱｻﾋｶﾞｵｶ", "旭ケ丘");

    const mkdic::KenAllSource a = mkdic::parseKenAllSource(utf8, "utf_ken_all.csv");
    const mkdic::KenAllSource b = mkdic::parseKenAllSource(sjis, "KEN_ALL.CSV");
    EXPECT_EQ(a.format, mkdic::KenAllFormat::Utf8);
    EXPECT_EQ(b.format, mkdic::KenAllFormat::ShiftJis);
    EXPECT_EQ(a.sourceRows, 4u);
    EXPECT_EQ(b.sourceRows, 6u);
    ASSERT_EQ(a.towns.size(), 4u);
    ASSERT_EQ(b.towns.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(u8(a.towns[i].townName), u8(b.towns[i].townName));
        EXPECT_EQ(u8(a.towns[i].townReading), u8(b.towns[i].townReading));
    }
    // The long town is cut into records inside its parentheses.
    const auto records = a.records();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_LE(records[2].townName.size(), mkdic::kMaxTextBytes);
    EXPECT_EQ(records[2].townName + records[3].townName, a.towns[2].townName);

    TempDir dir;
    std::string dictionaries[2];
    for (int i = 0; i < 2; ++i) {
        mkdic::BuildOptions options;
        options.kenAllPath = dir.file(i == 0 ? "utf_ken_all.csv" : "KEN_ALL.CSV");
        writeFile(options.kenAllPath, i == 0 ? utf8 : sjis);
        options.outDir = dir.file(std::to_string(i));
        options.dataDate = "2026-05-29";
        mkdic::buildDictionaryFiles(options);
        dictionaries[i] = testing_support::readFile(options.outDir + "/KESZIP.DIC");
        dictionaries[i].replace(keszip::dic::kMainHeaderSize, keszip::dic::kInfoBlockSize,
                                keszip::dic::kInfoBlockSize, '\0');
    }
    EXPECT_EQ(dictionaries[0].size(), dictionaries[1].size());
    EXPECT_TRUE(dictionaries[0] == dictionaries[1]);
}
