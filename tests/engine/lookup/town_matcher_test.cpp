// The town matcher over small dictionaries built from hand-written rows.
#include "src/town_matcher.h"

#include <gtest/gtest.h>

#include "src/fold.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using keszip::LookupTargets;
using keszip::ZipEngine;
using testing_support::kenAllRow;
using testing_support::sj;
using testing_support::TempDir;

namespace {

const std::string kTokyo = "ﾄｳｷｮｳﾄ";

std::string row(const char* jis, const char* old, const char* code, const char* cityReading,
                const char* townReading, const char* pref, const char* city, const char* town,
                const std::string& prefReading = kTokyo) {
    return kenAllRow(jis, old, code, prefReading, cityReading, townReading, pref, city, town);
}

std::string fixtureSource() {
    std::string csv;
    // A ward with ranges, a note list, building entries and a code-list town.
    auto ward = [&](const char* old, const char* code, const char* reading, const char* town) {
        csv += row("13113", old, code, "ﾐﾎﾝｸ", reading, "東京都", "見本区", town);
    };
    ward("151  ", "1510000", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "以下に掲載がない場合");
    ward("15101", "1510001", "ｱｶｻｶ(1-3ﾁｮｳﾒ)", "赤坂（１～３丁目）");
    ward("15101", "1510002", "ｱｶｻｶ(4ﾁｮｳﾒｲｼﾞｮｳ)", "赤坂（４丁目以上）");
    ward("151  ", "1510010", "ﾐﾎﾝ(1-3ﾊﾞﾝﾁ､5ﾊﾞﾝﾁ)", "見本（１～３番地、５番地）");
    ward("151  ", "1510011", "ﾐﾎﾝ(ｿﾉﾀ)", "見本（その他）");
    ward("151  ", "1510020", "ﾁｭｳｵｳ(ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ)", "中央（次のビルを除く）");
    ward("151  ", "1516090", "ﾁｭｳｵｳﾐﾎﾝﾀﾜｰ(ﾁｶｲ･ｶｲｿｳﾌﾒｲ)", "中央ミホンタワー（地階・階層不明）");
    ward("151  ", "1516001", "ﾁｭｳｵｳﾐﾎﾝﾀﾜｰ(1ｶｲ)", "中央ミホンタワー（１階）");
    ward("151  ", "1516023", "ﾁｭｳｵｳﾐﾎﾝﾀﾜｰ(23ｶｲ)", "中央ミホンタワー（２３階）");
    ward("151  ", "1510021", "ﾁｭｳｵｳﾁｮｳ", "中央町");
    ward("151  ", "1510030", "ｼﾝﾔｼｷ(ﾊﾞﾝﾁ)", "新屋敷（番地）");
    ward("151  ", "1510031", "ｼﾝﾔｼｷ(ﾁｮｳﾒ)", "新屋敷（丁目）");
    ward("151  ", "1510040", "ｱｻﾋ", "旭");
    ward("151  ", "1510041", "ｱｻﾋﾁｮｳ", "旭町");
    ward("151  ", "1510050", "ｺｳ", "甲");
    ward("151  ", "1510051", "ｺｳﾁｮｳ", "甲町");
    // A ward without a generic town.
    csv += row("13114", "152  ", "1520001", "ｼｹﾝｸ", "ｵﾂ", "東京都", "試験区", "乙");
    csv += row("13114", "152  ", "1520002", "ｼｹﾝｸ", "ﾍｲ", "東京都", "試験区", "丙");
    // A village of one town.
    csv += row("13401", "100  ", "1001501", "ﾐﾎﾝﾑﾗ", "ﾐﾎﾝｼﾞﾏ", "東京都", "見本村", "見本島");
    // Hokkaido, where 条 may be left out.
    const std::string hokkaido = "ﾎｯｶｲﾄﾞｳ";
    csv += row("01101", "060  ", "0600001", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｷﾀ1ｼﾞｮｳﾆｼ(1-19ﾁｮｳﾒ)", "北海道",
               "札幌市中央区", "北一条西（１～１９丁目）", hokkaido);
    csv += row("01101", "060  ", "0600002", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｷﾀ2ｼﾞｮｳﾆｼ(1-19ﾁｮｳﾒ)", "北海道",
               "札幌市中央区", "北二条西（１～１９丁目）", hokkaido);
    // A Kyoto ward: towns named by street descriptions.
    const std::string kyoto = "ｷｮｳﾄﾌ";
    auto kyotoTown = [&](const char* code, const char* reading, const char* town) {
        csv += row("26104", "604  ", code, "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", reading, "京都府", "京都市中京区", town,
                   kyoto);
    };
    kyotoTown("6040000", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "以下に掲載がない場合");
    kyotoTown("6048001", "ﾊﾞﾉﾁｮｳ", "場之町");
    kyotoTown("6048002", "ｲｯﾁｮｳﾒ", "一町目（上長者町通堀川東入、東堀川通上長者町上る）");
    // A village whose addresses write 字 before the section name.
    auto village = [&](const char* code, const char* reading, const char* town) {
        csv += row("47999", "904  ", code, "ﾐﾎﾝｿﾝ", reading, "沖縄県", "見本村", town, "ｵｷﾅﾜｹﾝ");
    };
    village("9049900", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "以下に掲載がない場合");
    village("9049901", "ﾁﾊﾗ", "千原");
    village("9049902", "ﾐﾅﾐﾅｶﾞﾉ(ﾊﾊﾞｼﾀ)", "南長野（幅下）");
    village("9049903", "ｼﾞｭｳｼﾞ", "十字");
    village("9049904", "ｱｻﾞﾊﾏ", "字浜");
    village("9049905", "ﾊﾏ", "浜");
    // Two lots of one town with codes of their own, in either order.
    const std::string aichi = "ｱｲﾁｹﾝ";
    csv += row("23235", "498  ", "4980018", "ﾔﾄﾐｼ", "ｺﾞﾉｻﾝｶﾜﾋﾗ", "愛知県", "弥富市", "五之三川平",
               aichi);
    csv +=
        row("23235", "498  ", "4980012", "ﾔﾄﾐｼ", "ｺﾞﾉｻﾝﾁｮｳ", "愛知県", "弥富市", "五之三町", aichi);
    csv +=
        row("23999", "498  ", "4980012", "ﾐﾎﾝｼ", "ｺﾞﾉｻﾝﾁｮｳ", "愛知県", "見本市", "五之三町", aichi);
    csv += row("23999", "498  ", "4980018", "ﾐﾎﾝｼ", "ｺﾞﾉｻﾝｶﾜﾋﾗ", "愛知県", "見本市", "五之三川平",
               aichi);
    // Two codes the matcher corrects from the address.
    csv += row("23223", "474  ", "4740000", "ｵｵﾌﾞｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "愛知県", "大府市",
               "以下に掲載がない場合", "ｱｲﾁｹﾝ");
    csv +=
        row("23223", "474  ", "4740024", "ｵｵﾌﾞｼ", "ｱｻﾋﾁｮｳ", "愛知県", "大府市", "朝日町", "ｱｲﾁｹﾝ");
    csv += row("21201", "502  ", "5020000", "ｷﾞﾌｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "岐阜県", "岐阜市",
               "以下に掲載がない場合", "ｷﾞﾌｹﾝ");
    csv += row("21201", "502  ", "5020082", "ｷﾞﾌｼ", "ﾅｶﾞﾗ", "岐阜県", "岐阜市", "長良", "ｷﾞﾌｹﾝ");
    return csv;
}

struct Result {
    int flags = 0;
    std::string code7, oldCode, number;
    bool operator==(const Result&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Result& r) {
    return out << r.flags << " " << r.code7 << " [" << r.oldCode << "] " << r.number;
}

class TownMatcher : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        testing_support::writeFile(dir_->file("codes.txt"), "1510040\n");
        ASSERT_EQ(testing_support::buildDictionary(*dir_, fixtureSource(),
                                                   "--code-list '" + dir_->file("codes.txt") + "'"),
                  0);
    }
    static void TearDownTestSuite() { delete dir_; }

    void SetUp() override { ASSERT_TRUE(engine_.open()); }

    std::size_t muni(int code) const {
        const auto& m = engine_.municipalities();
        for (std::size_t i = 0; i < m.size(); ++i)
            if (m[i].code == code) return i;
        ADD_FAILURE() << "no municipality " << code;
        return 0;
    }

    // Matches the UTF-8 rest of an address (after the municipality name);
    // `address` is the whole address as written, for the corrections.
    Result match(int municipality, const char* rest, const char* address = "", bool cached = true) {
        std::string folded =
            keszip::foldText(sj(rest), keszip::kFoldMatching, engine_.foldSettings());
        char code7[12] = "?", oldCode[8] = "?", number[16] = "?";
        LookupTargets targets{code7, oldCode, number};
        std::string written = sj(address);
        Result r;
        r.flags = cached ? keszip::matchTown(engine_, muni(municipality), folded, written, targets)
                         : keszip::matchTownUncached(engine_, muni(municipality), folded, written,
                                                     targets);
        r.code7 = code7;
        r.oldCode = oldCode;
        r.number = number;
        return r;
    }
    std::string code(int municipality, const char* rest) { return match(municipality, rest).code7; }

    static TempDir* dir_;
    ZipEngine engine_{dir_->path()};
};

TempDir* TownMatcher::dir_ = nullptr;

}  // namespace

TEST_F(TownMatcher, RangesNotesAndFallbacks) {
    EXPECT_EQ(match(13113, "赤坂1丁目2番3号"), (Result{1, "1510001", "15101", "1-2-3"}));
    EXPECT_EQ(code(13113, "赤坂３丁目"), "1510001");
    EXPECT_EQ(code(13113, "赤坂4丁目5"), "1510002");
    EXPECT_EQ(code(13113, "赤坂十二丁目"), "1510002");
    EXPECT_EQ(code(13113, "見本5番地"), "1510010");
    EXPECT_EQ(code(13113, "見本4番地"), "1510011");
    // The longer name scores higher.
    EXPECT_EQ(code(13113, "甲町1"), "1510051");
    EXPECT_EQ(code(13113, "新屋敷12番地"), "1510030");
    EXPECT_EQ(code(13113, "新屋敷2丁目"), "1510031");
    // Nothing matches: the generic town, with an empty address number.
    EXPECT_EQ(match(13113, "無い町1-2"), (Result{1, "1510000", "151  ", ""}));
    // The reading form.
    EXPECT_EQ(code(13113, "あかさか2ちょうめ"), "1510001");
}

TEST_F(TownMatcher, CodeListTownsWin) {
    // 旭 is in the code list and wins over the longer 旭町.
    EXPECT_EQ(code(13113, "旭町1"), "1510040");
}

TEST_F(TownMatcher, BuildingExceptionsAndFloors) {
    EXPECT_EQ(code(13113, "中央1-1ミホンタワー23階"), "1516023");
    EXPECT_EQ(code(13113, "中央1-1ミホンタワー二十三階"), "1516023");
    EXPECT_EQ(code(13113, "中央1-1ミホンタワー1F"), "1516001");
    EXPECT_EQ(match(13113, "中央1-1ミホンタワー1F").number, "1-1-1");
    // Basement, no floor, or a floor without its own code.
    EXPECT_EQ(code(13113, "中央1-1ミホンタワー地下1階"), "1516090");
    EXPECT_EQ(code(13113, "中央1-1ミホンタワーB1"), "1516090");
    EXPECT_EQ(code(13113, "中央1-1ミホンタワー"), "1516090");
    EXPECT_EQ(code(13113, "中央1-1ミホンタワー99階"), "1516090");
    // Not in a listed building: the town that excludes them.
    EXPECT_EQ(code(13113, "中央1-1"), "1510020");
    EXPECT_EQ(code(13113, "中央町3"), "1510021");
}

TEST_F(TownMatcher, SingleTownMunicipality) {
    EXPECT_EQ(match(13401, "なんでも1-2"), (Result{1, "1001501", "100  ", "1-2"}));
}

TEST_F(TownMatcher, Errors) {
    EXPECT_EQ(match(13114, "甲1"), (Result{0, "ERR-999", "?", "?"}));
    EXPECT_EQ(code(13114, "丙1"), "1520002");
    // The generic code of 大府市 for an address in 共和町.
    EXPECT_EQ(match(23223, "共和町1", "愛知県大府市共和町1").code7, "ERR-006");
    EXPECT_EQ(match(23223, "朝日町1", "愛知県大府市朝日町1").code7, "4740024");
    EXPECT_EQ(match(21201, "長良東町1", "岐阜県岐阜市長良東町1").code7, "5020043");
    EXPECT_EQ(match(21201, "長良1", "岐阜県岐阜市長良1").code7, "5020082");
}

TEST_F(TownMatcher, HokkaidoDistrictsWithoutJo) {
    EXPECT_EQ(match(1101, "北1条西5丁目3"), (Result{1, "0600001", "060  ", "5-3"}));
    EXPECT_EQ(code(1101, "北2西5"), "0600002");
}

TEST_F(TownMatcher, KyotoStreetDescriptions) {
    EXPECT_EQ(match(26104, "東堀川通上長者町上る一町目5").flags, 1);
    EXPECT_EQ(match(26104, "東堀川通上長者町上る一町目5").code7, "6048002");
    // The description alone: result 3.
    EXPECT_EQ(match(26104, "東堀川通上長者町上る5"), (Result{3, "6048002", "604  ", "5"}));
    // A short town name after the description.
    EXPECT_EQ(code(26104, "烏丸通三条上る場之町600"), "6048001");
    // Without the rewriting (the retry) the description is not understood.
    engine_.firstAttempt = 0;
    EXPECT_EQ(match(26104, "東堀川通上長者町上る5").code7, "6040000");
    engine_.firstAttempt = 1;
}

TEST_F(TownMatcher, SectionMark) {
    // 字 before the name, or between the name and the section of its note.
    EXPECT_EQ(match(47999, "字千原1"), (Result{1, "9049901", "904  ", "1"}));
    EXPECT_EQ(match(47999, "千原1"), (Result{1, "9049901", "904  ", "1"}));
    EXPECT_EQ(match(47999, "南長野字幅下692-2"), (Result{1, "9049902", "904  ", "692-2"}));
    EXPECT_EQ(match(47999, "字南長野字幅下692-2").code7, "9049902");
    // Names with 字 in them keep it.
    EXPECT_EQ(code(47999, "十字1"), "9049903");
    EXPECT_EQ(code(47999, "字浜2"), "9049904");
    EXPECT_EQ(code(47999, "浜2"), "9049905");
    // Still nothing: the generic town.
    EXPECT_EQ(code(47999, "字無い所1"), "9049900");
    EXPECT_EQ(match(47999, "字千原1", "", false), match(47999, "字千原1"));
}

TEST_F(TownMatcher, LotsWithCodesOfTheirOwn) {
    for (int municipality : {23235, 23999}) {
        EXPECT_EQ(match(municipality, "五之三川平1"), (Result{1, "4980018", "498  ", "1"}));
        EXPECT_EQ(match(municipality, "五之三町123"), (Result{1, "4980012", "498  ", "123"}));
        EXPECT_EQ(match(municipality, "五之三町1丁目23").number, "1-23");
        EXPECT_EQ(match(municipality, "五之三1-2"), (Result{1, "4980012", "498  ", "1-2"}));
    }
}

TEST_F(TownMatcher, CachedAndUncachedAgree) {
    const std::pair<int, const char*> cases[] = {
        {13113, "赤坂1丁目2番3号"},
        {13113, "中央1-1ミホンタワー23階"},
        {13113, "中央1-1"},
        {13113, "見本4番地"},
        {13113, "旭町1"},
        {13114, "甲1"},
        {26104, "東堀川通上長者町上る5"},
        {1101, "北2西5"},
        {13113, "ｱｶｻｶ2"},
    };
    for (const auto& [municipality, rest] : cases)
        EXPECT_EQ(match(municipality, rest, "", true), match(municipality, rest, "", false))
            << testing_support::u8(sj(rest));
}

TEST_F(TownMatcher, UnreadableBlockGivesNoErrorText) {
    // A block capacity of one byte makes every town block unreadable.
    TempDir damaged;
    std::string dic = testing_support::readFile(dir_->file("KESZIP.DIC"));
    dic[30] = 1;
    dic[31] = 0;
    testing_support::writeFile(damaged.file("KESZIP.DIC"), dic);
    ZipEngine engine(damaged.path());
    ASSERT_TRUE(engine.open());
    char code7[12] = "?";
    std::string rest = sj("場之町1");
    EXPECT_EQ(keszip::matchTown(engine, muni(26104), rest, "", {code7, nullptr, nullptr}), 0);
    EXPECT_STREQ(code7, "?");
    EXPECT_EQ(engine.lastError(), keszip::kErrTownBlock);
    EXPECT_EQ(keszip::matchTownUncached(engine, muni(26104), rest, "", {code7, nullptr, nullptr}),
              0);
    EXPECT_STREQ(code7, "?");
}
