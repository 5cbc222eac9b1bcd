// KESTEL.DIC from the telephone area data: parsing the CSV files, the codes of
// number bands, zone notes of split municipalities and the code areas of towns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build_error.h"
#include "ken_all.h"
#include "layout/dic_format.h"
#include "support/test_support.h"
#include "telephone_codes.h"
#include "telephone_csv.h"
#include "telephone_dictionary.h"

using namespace mkdic;
using testing_support::kenAllRow;
using testing_support::sj;

namespace {

const std::string kCompartmentHeader = "compartment,ma_number,pref,ma_name,area_code\n";
const std::string kMuniHeader =
    "jis_code,distinct,pref,county,county_type,name,name_type,compartment,zone_note\n";
const std::string kBandHeader = "ma_name,area_code,band_start,band_end,eliminate\n";

TEST(TelephoneCsv, ParsesRowsAndRejectsBadOnes) {
    const auto c = parseCompartments(kCompartmentHeader + "4-2,4,北海道,栗山,0123\r\n", "c");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].id, "4-2");
    EXPECT_EQ(c[0].areaCode, "0123");
    const auto m = parseMunicipalityCompartments(
        kMuniHeader + "01206,1,北海道,,,釧路,市,50,音別町を除く。\n", "m");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].jisCode, 1206u);
    EXPECT_EQ(m[0].zoneNote, "音別町を除く。");
    const auto b = parseNumberBands(kBandHeader + "大町,0261,02611,02619,26177\n", "b");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].eliminate, "026177");

    EXPECT_THROW(parseCompartments("", "c"), BuildError);
    EXPECT_THROW(parseCompartments("wrong,header\n", "c"), BuildError);
    EXPECT_THROW(parseCompartments(kCompartmentHeader + "1,1,北海道,札幌\n", "c"), BuildError);
    EXPECT_THROW(parseCompartments(kCompartmentHeader + "1,1,北海道,札幌,11\n", "c"), BuildError);
    EXPECT_THROW(parseMunicipalityCompartments(kMuniHeader + "1206,1,a,,,b,c,50,\n", "m"),
                 BuildError);
    // A band outside its area code, and an eliminated prefix outside its band.
    EXPECT_THROW(parseNumberBands(kBandHeader + "x,0123,01241,01244,0\n", "b"), BuildError);
    EXPECT_THROW(parseNumberBands(kBandHeader + "x,0123,01231,01234,12357\n", "b"), BuildError);
    EXPECT_THROW(parseNumberBands(kBandHeader + "x,0123,01234,01231,0\n", "b"), BuildError);
}

TEST(TelephoneCodes, BandsGiveWrittenCodes) {
    EXPECT_EQ(bandCodes({"東京", "03", "031", "033", ""}),
              (std::vector<std::string>{"03-1", "03-2", "03-3"}));
    EXPECT_EQ(bandCodes({"芦別", "0124", "0124", "0124", ""}), (std::vector<std::string>{"0124"}));
    EXPECT_EQ(bandCodes({"夕張", "0123", "012390", "012391", ""}),
              (std::vector<std::string>{"0123-90", "0123-91"}));
    // 0261-77 belongs elsewhere: 0261-7 is listed as its other nine children.
    const auto codes = bandCodes({"大町", "0261", "02616", "02617", "026177"});
    EXPECT_EQ(codes,
              (std::vector<std::string>{"0261-6", "0261-70", "0261-71", "0261-72", "0261-73",
                                        "0261-74", "0261-75", "0261-76", "0261-78", "0261-79"}));
}

TEST(TelephoneCodes, StoredForm) {
    EXPECT_EQ(encodeTelCode("0273-12"), 27312u | (5u << 20));
    EXPECT_EQ(encodeTelCode("0124"), 124u);
    EXPECT_EQ(encodeTelCode("03-1"), 31u | (3u << 20));
    EXPECT_THROW(encodeTelCode("9999-999"), BuildError);    // no leading zero
    EXPECT_THROW(encodeTelCode("01234-5678"), BuildError);  // too many digits
}

TEST(ZoneRules, NamedExceptedAndPartialTowns) {
    const ZoneRule all = ZoneRule::parse("");
    const ZoneRule only = ZoneRule::parse("音別町");
    const ZoneRule except = ZoneRule::parse("音別町を除く。");
    EXPECT_TRUE(all.serves(sj("阿寒町")));
    EXPECT_TRUE(only.serves(sj("音別町尺別")));
    EXPECT_FALSE(only.serves(sj("阿寒町")));
    EXPECT_FALSE(except.serves(sj("音別町尺別")));
    EXPECT_TRUE(except.serves(sj("以下に掲載がない場合")));

    const ZoneRule list = ZoneRule::parse("天売相影、天売富磯及び焼尻白浜に限る｡");
    EXPECT_TRUE(list.serves(sj("焼尻白浜")));
    EXPECT_FALSE(list.serves(sj("焼尻西浦")));

    // Towns named by districts only are served from both sides.
    const ZoneRule partOnly =
        ZoneRule::parse("石神一丁目及び三丁目から五丁目まで並びに栗原に限る。");
    const ZoneRule partExcept =
        ZoneRule::parse("石神一丁目及び三丁目から五丁目まで並びに栗原を除く。");
    EXPECT_TRUE(partOnly.serves(sj("石神")));
    EXPECT_TRUE(partExcept.serves(sj("石神")));
    EXPECT_TRUE(partOnly.serves(sj("栗原")));
    EXPECT_FALSE(partExcept.serves(sj("栗原")));
    EXPECT_FALSE(partOnly.serves(sj("新堀")));
}

std::vector<KenAllRow> rows(const std::string& csv) { return parseKenAll(csv); }

// The decoded codes of one town record's code area.
std::vector<std::uint32_t> codesOf(const Town& t) {
    std::vector<std::uint32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(t.tail.data());
    if (t.tail.empty() || p[0] == kSameCodes) return out;
    for (unsigned i = 0; i < p[0]; ++i) out.push_back(keszip::dic::get24(p + 1 + 3 * i));
    return out;
}

TEST(TelephoneModel, SplitMunicipalityAndRepeatedCodes) {
    TelephoneSources s;
    s.compartments = {{"50", "釧路", "0154"}, {"51", "白糠", "01547"}};
    s.bands = {{"釧路", "0154", "01542", "01543", ""}, {"白糠", "01547", "01547", "01547", ""}};
    s.municipalities = {{1206, "50", "音別町を除く。"}, {1206, "51", "音別町"}};
    const std::string csv =
        kenAllRow("01206", "085  ", "0850000", "ﾎｯｶｲﾄﾞｳ", "ｸｼﾛｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "北海道",
                  "釧路市", "以下に掲載がない場合") +
        kenAllRow("01206", "085  ", "0850001", "ﾎｯｶｲﾄﾞｳ", "ｸｼﾛｼ", "ｱｶﾝﾁｮｳ", "北海道", "釧路市",
                  "阿寒町") +
        kenAllRow("01206", "088  ", "0880100", "ﾎｯｶｲﾄﾞｳ", "ｸｼﾛｼ", "ｵﾝﾍﾞﾂﾁｮｳｼｬｸﾍﾞﾂ", "北海道",
                  "釧路市", "音別町尺別") +
        kenAllRow("01207", "080  ", "0800000", "ﾎｯｶｲﾄﾞｳ", "ｵﾋﾞﾋﾛｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "北海道",
                  "帯広市", "以下に掲載がない場合");
    const DictionaryModel model = buildTelephoneModel(rows(csv), s);
    ASSERT_EQ(model.municipalities.size(), 2u);
    const Municipality& kushiro = model.municipalities[0];
    ASSERT_EQ(kushiro.towns.size(), 3u);
    const std::uint32_t c1 = encodeTelCode("0154-2"), c2 = encodeTelCode("0154-3");
    EXPECT_EQ(codesOf(kushiro.towns[0]), (std::vector<std::uint32_t>{c1, c2}));
    // The same codes as the record before: n = 255 and nothing else.
    EXPECT_EQ(kushiro.towns[1].tail, std::string(1, '\xFF'));
    EXPECT_EQ(codesOf(kushiro.towns[2]), (std::vector<std::uint32_t>{encodeTelCode("01547")}));
    // Keys in text order: "1542" < "1543" < "1547".
    EXPECT_EQ(kushiro.lowOldCode, 1542u);
    EXPECT_EQ(kushiro.highOldCode, 1547u);
    // A municipality no compartment serves carries no codes and an empty range.
    const Municipality& obihiro = model.municipalities[1];
    EXPECT_EQ(obihiro.towns[0].tail, std::string(1, '\0'));
    EXPECT_EQ(obihiro.highOldCode, 0u);
}

TEST(TelephoneModel, NewWardTakesItsCityAsAWhole) {
    TelephoneSources s;
    s.compartments = {{"268", "浜松", "053"}};
    s.bands = {{"浜松", "053", "0534", "0534", ""}};
    s.municipalities = {{22130, "268", "", true}, {22131, "268", "", false}};
    const std::string csv =
        kenAllRow("22138", "430  ", "4300000", "ｼｽﾞｵｶｹﾝ", "ﾊﾏﾏﾂｼﾁｭｳｵｳｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                  "静岡県", "浜松市中央区", "以下に掲載がない場合");
    const DictionaryModel model = buildTelephoneModel(rows(csv), s);
    ASSERT_EQ(model.municipalities.size(), 1u);
    EXPECT_EQ(codesOf(model.municipalities[0].towns[0]),
              (std::vector<std::uint32_t>{encodeTelCode("053-4")}));
}

TEST(TelephoneModel, UnknownCompartmentIsAnError) {
    TelephoneSources s;
    s.municipalities = {{1206, "50", ""}};
    const std::string csv = kenAllRow("01206", "085  ", "0850001", "ﾎｯｶｲﾄﾞｳ", "ｸｼﾛｼ", "ｱｶﾝﾁｮｳ",
                                      "北海道", "釧路市", "阿寒町");
    EXPECT_THROW(buildTelephoneModel(rows(csv), s), BuildError);
}

}  // namespace
