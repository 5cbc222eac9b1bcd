// The office dictionary: building it from JIGYOSYO rows, loading it, the
// name search with its match conditions and company words, the narrowing by
// address and the search by code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jigyosyo.h"
#include "search_fixture.h"
#include "src/office_names.h"
#include "src/office_search.h"

using testing_support::sj;
using testing_support::u8;

namespace {

std::string officeRow(const char* jis, const char* reading, const char* name, const char* pref,
                      const char* city, const char* town, const char* rest, const char* code7,
                      const char* old) {
    return std::string(jis) + ",\"" + sj(reading) + "\",\"" + sj(name) + "\",\"" + sj(pref) +
           "\",\"" + sj(city) + "\",\"" + sj(town) + "\",\"" + sj(rest) + "\",\"" + code7 +
           "\",\"" + old + "\",\"" + sj("銀座") + "\",0,0,0\r\n";
}

std::string officeSource() {
    return officeRow("13101", "ｶﾌﾞｼｷｶｲｼﾔ ﾃｽﾄｼｮｳｼﾞ", "㈱　テスト商事", "東京都", "千代田区",
                     "霞が関", "１－１", "1008601", "100  ") +
           officeRow("13101", "ﾃｽﾄｼｮｳｼﾞ ﾕｳｹﾞﾝｶﾞｲｼﾔ", "テスト商事　有限会社", "東京都", "千代田区",
                     "永田町", "２－２", "1008602", "100  ") +
           officeRow("13103", "ﾐﾅﾄｺｳｷﾞﾖｳ", "港工業株式会社　本社", "東京都", "港区", "芝公園",
                     "３－３", "1058603", "105  ") +
           officeRow("01101", "ｻﾂﾎﾟﾛﾃｽﾄ", "（株）テスト商事　札幌支店", "北海道", "札幌市中央区",
                     "旭ケ丘", "４－４", "0648604", "064  ") +
           officeRow("14101", "ﾖｺﾊﾏｼﾖｳｼﾞ", "横浜商事", "神奈川県", "横浜市鶴見区", "鶴見中央",
                     "５－５", "2308605", "230  ");
}

class Offices : public search_test::SearchDictionary {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testing_support::TempDir;
        testing_support::writeFile(dir_->file("JIGYOSYO.CSV"), officeSource());
        ASSERT_EQ(
            testing_support::buildDictionary(*dir_, search_test::searchSource(),
                                             "--jigyosyo '" + dir_->file("JIGYOSYO.CSV") + "'"),
            0);
    }
    void SetUp() override {
        SearchDictionary::SetUp();
        ASSERT_TRUE(keszip::openOffices(engine_));
    }

    // Codes of every office found for the name (UTF-8), address and condition.
    std::vector<unsigned> byName(const char* name, int match, const char* address = "") {
        std::vector<unsigned> codes;
        const keszip::OfficeRecord* office = nullptr;
        for (bool first = true;
             keszip::nextOfficeByName(engine_, first, sj(name), sj(address), match, office);
             first = false)
            codes.push_back(office->code7);
        return codes;
    }
    std::vector<unsigned> byCode(const char* code) {
        std::vector<unsigned> codes;
        const keszip::OfficeRecord* office = nullptr;
        for (bool first = true; keszip::nextOfficeByCode(engine_, first, code, office);
             first = false)
            codes.push_back(office->code7);
        return codes;
    }
    using V = std::vector<unsigned>;
};

TEST_F(Offices, LoadsEveryRecordWithItsTexts) {
    const auto& offices = engine_.office.offices;
    ASSERT_EQ(offices.size(), 5u);
    EXPECT_EQ(offices[3].jisCode, 1101);
    EXPECT_EQ(offices[3].oldCode, 6400u);
    EXPECT_EQ(u8(offices[3].name), "（株）テスト商事　札幌支店");
    EXPECT_EQ(u8(offices[3].town), "旭ケ丘");
    EXPECT_EQ(u8(offices[3].remark), "４－４");
    EXPECT_GT(engine_.office.edition(), 0);
    EXPECT_STREQ(engine_.office.infoText(4), "JIGYOSYO.CSV 5 rows");
    EXPECT_EQ(keszip::closeOffices(engine_), 1);
    EXPECT_EQ(keszip::closeOffices(engine_), 0);
    EXPECT_EQ(engine_.lastError(), keszip::kErrNotOpen);
}

TEST_F(Offices, ExactMatchShortensCompanyWords) {
    // 株式会社 in the text finds ㈱ and (株) in the names; the rest must begin the name.
    EXPECT_EQ(byName("株式会社テスト商事", 1), (V{1008601, 648604}));
    EXPECT_EQ(byName("テスト商事", 1), (V{1008602}));
    EXPECT_EQ(byName("港工業㈱", 1), (V{1058603}));
    // A reading must equal the office's reading.
    EXPECT_EQ(byName("ﾐﾅﾄｺｳｷﾞﾖｳ", 1), (V{1058603}));
    EXPECT_EQ(byName("ﾐﾅﾄ", 1), V{});
}

TEST_F(Offices, IgnoringCompanyWordsBeforeOrAfterTheName) {
    EXPECT_EQ(byName("テスト商事", 2), (V{1008601, 1008602, 648604}));
    EXPECT_EQ(byName("テスト商事　有限会社", 2), (V{1008601, 1008602, 648604}));
    EXPECT_EQ(byName("株式会社 港工業", 2), (V{1058603}));
}

TEST_F(Offices, ContainsMatchesInsideNamesAndReadings) {
    EXPECT_EQ(byName("商事", 0), (V{1008601, 1008602, 648604, 2308605}));
    EXPECT_EQ(byName("ｺｳｷﾞﾖｳ", 0), (V{1058603}));
    EXPECT_EQ(byName("すと", 0), (V{1008601, 1008602, 648604}));
}

TEST_F(Offices, NarrowedByTheAddress) {
    EXPECT_EQ(byName("商事", 0, "北海道"), (V{648604}));
    EXPECT_EQ(byName("商事", 0, "横浜市"), (V{2308605}));
    EXPECT_EQ(byName("商事", 0, "東京都千代田区"), (V{1008601, 1008602}));
    // Without a prefecture, Tokyo is assumed first.
    EXPECT_EQ(byName("工業", 0, "港区"), (V{1058603}));
    EXPECT_EQ(byName("商事", 0, "どこでもない"), V{});
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
}

TEST_F(Offices, RefusedNames) {
    EXPECT_EQ(byName("", 0), V{});
    EXPECT_EQ(byName("　 _ ", 1), V{});
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
    EXPECT_EQ(byName(std::string(800, 'A').c_str(), 0), V{});
}

TEST_F(Offices, SearchByCode) {
    EXPECT_EQ(byCode("100-8601"), (V{1008601}));
    EXPECT_EQ(byCode("100"), (V{1008601, 1008602}));
    EXPECT_EQ(byCode("06400"), (V{648604}));
    EXPECT_EQ(byCode("000"), V{});
    EXPECT_EQ(byCode("1x0"), V{});
    EXPECT_EQ(engine_.lastError(), keszip::kErrCode);
}

TEST_F(Offices, NamesOfALocalGovernmentCode) {
    keszip::AddressParts p;
    keszip::jisCodeNames(engine_, 1101, p);
    EXPECT_EQ(u8(p.prefecture + "/" + p.city + "/" + p.ward), "北海道/札幌市/中央区");
    keszip::jisCodeNames(engine_, 13103, p);
    EXPECT_EQ(u8(p.prefecture + "/" + p.city + "/" + p.ward), "東京都/港区/");
    keszip::jisCodeNames(engine_, 14, p);
    EXPECT_EQ(u8(p.prefecture + "/" + p.city), "神奈川県/");
    keszip::jisCodeNames(engine_, 48001, p);
    EXPECT_EQ(p.prefecture, "");
}

TEST_F(Offices, DamagedFilesAreRefused) {
    std::string bytes = testing_support::readFile(dir_->file("KESCMP.DIC"));
    testing_support::TempDir broken;
    keszip::OfficeDictionary d;
    testing_support::writeFile(broken.file("KESCMP.DIC"), bytes.substr(0, bytes.size() - 3));
    EXPECT_EQ(keszip::loadOfficeDictionary(broken.file("KESCMP.DIC"), {}, d), 12);
    testing_support::writeFile(broken.file("KESCMP.DIC"), bytes.substr(0, 100));
    EXPECT_EQ(keszip::loadOfficeDictionary(broken.file("KESCMP.DIC"), {}, d), 11);
    testing_support::writeFile(broken.file("KESCMP.DIC"), "KesZip" + bytes.substr(6));
    EXPECT_EQ(keszip::loadOfficeDictionary(broken.file("KESCMP.DIC"), {}, d), -1);
    EXPECT_EQ(keszip::loadOfficeDictionary(broken.file("none"), {}, d), 2);
    EXPECT_FALSE(d.open);
}

TEST(JigyosyoRows, ClearErrorsForBadLines) {
    EXPECT_THROW(mkdic::parseJigyosyoLine("13101,\"a\",\"b\"", 1), std::exception);
    EXPECT_THROW(
        mkdic::parseJigyosyoLine(
            "1310x,\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"1000000\",\"100  \",\"g\",0,0,0", 2),
        std::exception);
    auto row = mkdic::parseJigyosyoLine(
        "13101,\"a\",\"b\",\"c\",\"d\",\"\",\"\",\"1000000\",\"100  \",\"g\",0,0,0", 3);
    EXPECT_EQ(row.oldCode, 10000u);
}

}  // namespace
