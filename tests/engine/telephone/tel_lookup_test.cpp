// Telephone number to towns: the code texts, reading KESTEL.DIC and the two
// number lookups over a small invented dictionary.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "telephone/tel_codes.h"
#include "telephone/tel_engine.h"

using namespace keszip;
using namespace keszip::tel;
using testing_support::kenAllRow;
using testing_support::sj;
using testing_support::TempDir;

namespace {

TEST(TelCodes, WrittenFormAndKey) {
    EXPECT_EQ(formatTelCode(27312u | (5u << 20)), "0273-12");
    EXPECT_EQ(formatTelCode(27312u | (5u << 20), false), "027312");
    EXPECT_EQ(formatTelCode(124u), "0124");
    EXPECT_EQ(formatTelCode(31u | (3u << 20)), "03-1");
    EXPECT_EQ(telKey("0273-12"), 27312u);
    EXPECT_EQ(telKey("03-1234-5678"), 31234567u);  // nine digits at most
    EXPECT_EQ(telKey("02a73"), 2u);
    EXPECT_EQ(telKey(""), 0u);
    EXPECT_EQ(prefectureName(1), sj("北海道"));
    EXPECT_EQ(prefectureName(47), sj("沖縄県"));
    EXPECT_EQ(prefectureName(0), "");
    EXPECT_EQ(prefectureName(48), "");
}

TEST(TelCodes, NumbersUnderACode) {
    // The code itself, or a leading part of it.
    for (const char* n : {"0273", "0273-12", "027312", "02 73-12", "0273 12"})
        EXPECT_TRUE(matchesTelCode(n, "0273-12")) << n;
    // Whole numbers inside the code's band.
    for (const char* n : {"0273-123", "0273123", "0273-12-3456", "0273123456", "0273 12 3456"})
        EXPECT_TRUE(matchesTelCode(n, "0273-12")) << n;
    for (const char* n : {"02731", "0273-1", "0274", "027-312", "027-312-3456", "0273-13-3456"})
        EXPECT_FALSE(matchesTelCode(n, "0273-12")) << n;
    EXPECT_TRUE(matchesTelCode("03", "03-1"));
    EXPECT_TRUE(matchesTelCode("03-3211-4321", "03-3"));
    EXPECT_TRUE(matchesTelCode("0332114321", "03-3"));
    EXPECT_FALSE(matchesTelCode("03-5211-4321", "03-3"));
    EXPECT_TRUE(matchesTelCode("0124", "0124"));
    EXPECT_TRUE(matchesTelCode("01245", "0124"));
    EXPECT_TRUE(matchesTelCode("01547-6-1234", "01547"));
    EXPECT_FALSE(matchesTelCode("01547-6-1234", "0154-7"));
}

TEST(TelCodes, KeyRangeCompareByLeadingCharacters) {
    // The municipality serves the keys "27312" to "2742" in text order.
    for (const char* key : {"27", "273", "2731", "27312", "2731299", "274", "2742"})
        EXPECT_TRUE(keyRangeCovers(key, "27312", "2742")) << key;
    // Whole numbers: a leading part of the key lies in the range (a code
    // 0274 would lie there).
    for (const char* key : {"273123456", "274223456", "2743"})
        EXPECT_TRUE(keyRangeCovers(key, "27312", "2742")) << key;
    for (const char* key : {"272", "2730", "275", "3", "0", "275123456", "273023456"})
        EXPECT_FALSE(keyRangeCovers(key, "27312", "2742")) << key;
    // A range of one short code and a longer number under it.
    EXPECT_TRUE(keyRangeCovers("33211432", "33", "33"));
    EXPECT_FALSE(keyRangeCovers("35211432", "33", "33"));
}

std::string csvFile(const std::string& header, const std::vector<std::string>& rows) {
    std::string text = header;
    for (const auto& r : rows) text += r + "\n";
    return text;
}

// 高崎市 is served by 0273-12/0273-13 except 新町 (0274-2); 熊谷市 in another
// prefecture shares 0273; 桐生市 and 伊勢崎市 share 0277-1; 前橋市 has no
// service at all.
class TelLookup : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        testing_support::writeFile(
            dir_->file("compartments.csv"),
            csvFile("compartment,ma_number,pref,ma_name,area_code\n",
                    {"1,1,群馬県,高崎,0273", "2,2,群馬県,藤岡,0274", "3,3,群馬県,桐生,0277"}));
        testing_support::writeFile(
            dir_->file("municipality_compartments.csv"),
            csvFile("jis_code,distinct,pref,county,county_type,name,name_type,compartment,"
                    "zone_note\n",
                    {"10202,1,群馬県,,,高崎,市,1,新町を除く。", "10202,2,群馬県,,,高崎,市,2,新町",
                     "10203,1,群馬県,,,桐生,市,3,", "10204,1,群馬県,,,伊勢崎,市,3,",
                     "10201,1,群馬県,,,前橋,市,-,", "11202,1,埼玉県,,,熊谷,市,1,"}));
        testing_support::writeFile(dir_->file("number_bands.csv"),
                                   csvFile("ma_name,area_code,band_start,band_end,eliminate\n",
                                           {"高崎,0273,027312,027313,0", "藤岡,0274,02742,02742,0",
                                            "桐生,0277,02771,02771,0"}));
        const std::string csv =
            kenAllRow("10201", "371  ", "3710000", "ｸﾞﾝﾏｹﾝ", "ﾏｴﾊﾞｼｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "群馬県",
                      "前橋市", "以下に掲載がない場合") +
            kenAllRow("10202", "370  ", "3700000", "ｸﾞﾝﾏｹﾝ", "ﾀｶｻｷｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "群馬県",
                      "高崎市", "以下に掲載がない場合") +
            kenAllRow("10202", "370  ", "3701301", "ｸﾞﾝﾏｹﾝ", "ﾀｶｻｷｼ", "ｼﾝﾏﾁ", "群馬県", "高崎市",
                      "新町") +
            kenAllRow("10202", "370  ", "3700811", "ｸﾞﾝﾏｹﾝ", "ﾀｶｻｷｼ", "ｱｲｵｲﾁｮｳ", "群馬県", "高崎市",
                      "相生町（１丁目、２丁目") +
            kenAllRow("10202", "370  ", "3700811", "ｸﾞﾝﾏｹﾝ", "ﾀｶｻｷｼ", "ｱｲｵｲﾁｮｳ", "群馬県", "高崎市",
                      "、３丁目）") +
            kenAllRow("10202", "370  ", "3700812", "ｸﾞﾝﾏｹﾝ", "ﾀｶｻｷｼ", "ｱｶｻｶﾏﾁ", "群馬県", "高崎市",
                      "赤坂町") +
            kenAllRow("10203", "376  ", "3760000", "ｸﾞﾝﾏｹﾝ", "ｷﾘｭｳｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "群馬県",
                      "桐生市", "以下に掲載がない場合") +
            kenAllRow("10204", "372  ", "3720000", "ｸﾞﾝﾏｹﾝ", "ｲｾｻｷｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "群馬県",
                      "伊勢崎市", "以下に掲載がない場合") +
            kenAllRow("11202", "360  ", "3600000", "ｻｲﾀﾏｹﾝ", "ｸﾏｶﾞﾔｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "埼玉県",
                      "熊谷市", "以下に掲載がない場合");
        ASSERT_EQ(
            testing_support::buildDictionary(*dir_, csv, "--telephone '" + dir_->path() + "'"), 0);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    // Every town of the number: "code7 city town note count codes" per town.
    static std::vector<std::string> towns(TelephoneEngine& engine, const std::string& number,
                                          int baseDate = 0) {
        std::vector<std::string> out;
        TelAddress a;
        for (bool first = true; engine.nextAddress(first, number, baseDate, a) != 0; first = false)
            out.push_back(std::to_string(a.code7) + " " + a.parts.city + " " + a.parts.town +
                          a.parts.note + " " + std::to_string(a.codes.count) + " " + a.codes.text);
        return out;
    }

    static std::unique_ptr<TempDir> dir_;
};

std::unique_ptr<TempDir> TelLookup::dir_;

TEST_F(TelLookup, ReadsTownsWithTheirCodes) {
    TelephoneEngine engine(dir_->path());
    ASSERT_TRUE(engine.open());
    // Reading the dictionary town by town: continuation records merged, the
    // n = 255 records given the codes of the record before.
    ZipEngine& d = engine.dictionary();
    std::vector<std::string> read;
    for (std::size_t m = 0; m < d.municipalities().size(); ++m) {
        TownCandidate t;
        for (bool restart = true; d.nextTown(restart, m, t); restart = false)
            read.push_back(t.name + " " + listTelCodes(t, 0).text);
    }
    // 赤坂町 is stored with n = 255; 相生町 runs over two records.
    EXPECT_EQ(read, (std::vector<std::string>{
                        sj("以下に掲載がない場合 "),
                        sj("以下に掲載がない場合 0273-12,0273-13"),
                        sj("新町 0274-2"),
                        sj("相生町(１丁目、２丁目、３丁目) 0273-12,0273-13"),
                        sj("赤坂町 0273-12,0273-13"),
                        sj("以下に掲載がない場合 0277-1"),
                        sj("以下に掲載がない場合 0277-1"),
                        sj("以下に掲載がない場合 0273-12,0273-13"),
                    }));
}

TEST_F(TelLookup, AreaCodeEnumeratesEveryTownAcrossMunicipalities) {
    TelephoneEngine engine(dir_->path());
    const std::string all = "0273-12,0273-13";
    const std::vector<std::string> expected = {
        sj("3700000 高崎市 以下に掲載がない場合 2 ") + all,
        sj("3700811 高崎市 相生町(１丁目、２丁目、３丁目) 2 ") + all,
        sj("3700812 高崎市 赤坂町 2 ") + all,
        sj("3600000 熊谷市 以下に掲載がない場合 2 ") + all,
    };
    EXPECT_EQ(towns(engine, "0273"), expected);
    EXPECT_EQ(towns(engine, "0273-12"), expected);
    EXPECT_EQ(towns(engine, "027313"), expected);
    EXPECT_TRUE(towns(engine, "02731").empty());
    EXPECT_EQ(towns(engine, "0274"), std::vector<std::string>{sj("3701301 高崎市 新町 1 0274-2")});
    // Whole numbers find the towns of their code.
    EXPECT_EQ(towns(engine, "0273-12-3456"), expected);
    EXPECT_EQ(towns(engine, "0273133456"), expected);
    EXPECT_EQ(towns(engine, "0274-22-3456"),
              std::vector<std::string>{sj("3701301 高崎市 新町 1 0274-2")});
    EXPECT_TRUE(towns(engine, "0273-14-3456").empty());

    TelAddress a;
    EXPECT_NE(engine.nextAddress(true, "0277", 0, a), 0);
    EXPECT_EQ(a.parts.prefecture, sj("群馬県"));
    EXPECT_EQ(a.parts.city, sj("桐生市"));
    EXPECT_EQ(engine.nextAddress(false, "", 0, a), 5);  // 伊勢崎市's generic town
    EXPECT_EQ(a.parts.city, sj("伊勢崎市"));
    EXPECT_EQ(engine.nextAddress(false, "", 0, a), 0);
    EXPECT_EQ(engine.lastError(), kErrCode);
    EXPECT_EQ(engine.nextAddress(false, "", 0, a), 0);  // nothing running any more
}

TEST_F(TelLookup, NumberLengthOutsideTwoToEleven) {
    TelephoneEngine engine(dir_->path());
    TelAddress a;
    AddressParts p;
    EXPECT_EQ(engine.nextAddress(true, "0", 0, a), 0);
    EXPECT_EQ(engine.lastError(), kErrCode);
    EXPECT_EQ(engine.nextAddress(true, "027312345678", 0, a), 0);
    EXPECT_EQ(engine.decision("0", p), 0);
    EXPECT_EQ(engine.decision("027312345678", p), 0);
    // Blanks count towards the length but are skipped in the comparison;
    // hyphens do not count.
    EXPECT_NE(engine.nextAddress(true, "027312     ", 0, a), 0);
    EXPECT_EQ(engine.nextAddress(true, "027312      ", 0, a), 0);
    EXPECT_NE(engine.nextAddress(true, "0273-12-3456", 0, a), 0);
    EXPECT_EQ(engine.decision("0274-22-3456", p), 1);
    EXPECT_EQ(engine.nextAddress(true, "0273-12-34567-8", 0, a), 0);
}

TEST_F(TelLookup, BaseDateListsTheRenumberedCodes) {
    TelephoneEngine engine(dir_->path());
    const auto found = towns(engine, "0273-12", 19980101);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], sj("3700000 高崎市 以下に掲載がない場合 2 027-312,027-313"));
    EXPECT_EQ(towns(engine, "0273-12", 19970101)[0],
              sj("3700000 高崎市 以下に掲載がない場合 2 0273-12,0273-13"));
}

TEST_F(TelLookup, DecisionClearsTheLevelsThatDiffer) {
    TelephoneEngine engine(dir_->path());
    AddressParts p;
    EXPECT_EQ(engine.decision("0274-2", p), 1);
    EXPECT_EQ(p, (AddressParts{sj("群馬県"), sj("高崎市"), "", sj("新町"), ""}));
    EXPECT_EQ(engine.decision("0274-22-3456", p), 1);
    EXPECT_EQ(p, (AddressParts{sj("群馬県"), sj("高崎市"), "", sj("新町"), ""}));
    EXPECT_EQ(engine.decision("0277-12-3456", p), 1);
    EXPECT_EQ(p, (AddressParts{sj("群馬県"), "", "", "", ""}));
    // Two cities: the prefecture only.
    EXPECT_EQ(engine.decision("0277", p), 1);
    EXPECT_EQ(p, (AddressParts{sj("群馬県"), "", "", "", ""}));
    // Two prefectures: nothing.
    EXPECT_EQ(engine.decision("0273", p), 0);
    EXPECT_EQ(p, AddressParts{});
    EXPECT_EQ(engine.decision("0299", p), 0);
}

TEST_F(TelLookup, CloseAndReopen) {
    TelephoneEngine engine(dir_->path());
    EXPECT_EQ(engine.close(), 0);
    EXPECT_EQ(engine.lastError(), kErrNotOpen);
    ASSERT_TRUE(engine.open());
    EXPECT_TRUE(engine.open());
    TelAddress a;
    ASSERT_NE(engine.nextAddress(true, "0273", 0, a), 0);
    EXPECT_EQ(engine.close(), 1);
    EXPECT_FALSE(engine.isOpen());
    // The enumeration ended with the dictionary; a new lookup opens it again.
    EXPECT_EQ(engine.nextAddress(false, "", 0, a), 0);
    EXPECT_EQ(towns(engine, "0274").size(), 1u);
    EXPECT_TRUE(engine.isOpen());
}

TEST(TelLookupFiles, MissingOrWrongDictionary) {
    TempDir empty;
    TelephoneEngine engine(empty.path());
    TelAddress a;
    AddressParts p;
    EXPECT_FALSE(engine.open());
    EXPECT_EQ(engine.lastError(), kErrFile);
    EXPECT_EQ(engine.nextAddress(true, "0273", 0, a), 0);
    EXPECT_EQ(engine.decision("0273", p), 0);
    // A postal dictionary under the telephone name is refused by its signature.
    testing_support::buildDictionary(
        empty, kenAllRow("10202", "370  ", "3700000", "ｸﾞﾝﾏｹﾝ", "ﾀｶｻｷｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                         "群馬県", "高崎市", "以下に掲載がない場合"));
    std::rename(empty.file("KESZIP.DIC").c_str(), empty.file("KESTEL.DIC").c_str());
    EXPECT_FALSE(engine.open());
    EXPECT_EQ(engine.lastError(), keszip::kErrSignature);
}

}  // namespace

namespace {

// A written list cut to a buffer of exactly `size` bytes: the text and the
// count of codes it holds.
std::pair<std::string, int> cutList(const std::string& list, std::size_t size) {
    auto out = std::make_unique<char[]>(size);  // exact size: the sanitizer sees any overrun
    const int count = keszip::tel::writeCodeList(list, out.get(), size);
    return {std::string(out.get()), count};
}

TEST(TelCodeLists, CutAfterTheLastWholeCodeThatFits) {
    const std::string list = "0273-12,0274,03-1";  // 17 bytes
    EXPECT_EQ(cutList(list, 18), std::make_pair(list, 3));
    EXPECT_EQ(cutList(list, 17), std::make_pair(std::string("0273-12,0274"), 2));
    EXPECT_EQ(cutList(list, 13), std::make_pair(std::string("0273-12,0274"), 2));
    EXPECT_EQ(cutList(list, 12), std::make_pair(std::string("0273-12"), 1));
    EXPECT_EQ(cutList(list, 8), std::make_pair(std::string("0273-12"), 1));
    EXPECT_EQ(cutList(list, 7), std::make_pair(std::string(), 0));
    EXPECT_EQ(cutList("", 1), std::make_pair(std::string(), 0));
    EXPECT_EQ(keszip::tel::writeCodeList(list, nullptr, 13), 2);  // the count alone

    // A list far beyond the exported limit stops just below it.
    std::string longList;
    for (int i = 0; longList.size() < 3 * KESZIP_TEL_CODES_SIZE; ++i)
        longList += (longList.empty() ? "" : ",") + std::to_string(100000 + i);
    const auto [text, count] = cutList(longList, KESZIP_TEL_CODES_SIZE);
    EXPECT_LT(text.size(), std::size_t{KESZIP_TEL_CODES_SIZE});
    EXPECT_GT(text.size(), std::size_t{KESZIP_TEL_CODES_SIZE} - 8);
    EXPECT_EQ(longList.compare(0, text.size() + 1, text + ","), 0);
    EXPECT_EQ(count, static_cast<int>(text.size() + 1) / 7);
}

}  // namespace
