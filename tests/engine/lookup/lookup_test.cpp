// The address lookup over small hand-written dictionaries: the directory
// levels, the retries, the flags and the error texts.
#include "src/lookup.h"

#include <gtest/gtest.h>

#include "src/zip_engine.h"
#include "support/test_support.h"

using keszip::ZipEngine;
using testing_support::kenAllRow;
using testing_support::sj;
using testing_support::TempDir;

namespace {

std::string lookupSource() {
    std::string csv;
    auto row = [&](const char* jis, const char* old, const char* code, const char* prefReading,
                   const char* cityReading, const char* townReading, const char* pref,
                   const char* city, const char* town) {
        csv += kenAllRow(jis, old, code, prefReading, cityReading, townReading, pref, city, town);
    };
    const char* generic = "以下に掲載がない場合";
    const char* genericReading = "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ";
    row("01101", "060  ", "0600000", "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", genericReading, "北海道",
        "札幌市中央区", generic);
    row("01101", "064  ", "0640941", "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｱｻﾋｶﾞｵｶ", "北海道", "札幌市中央区",
        "旭ケ丘");
    // One municipality name in two prefectures.
    row("01233", "052  ", "0520000", "ﾎｯｶｲﾄﾞｳ", "ﾀﾞﾃｼ", genericReading, "北海道", "伊達市",
        generic);
    row("01233", "052  ", "0520001", "ﾎｯｶｲﾄﾞｳ", "ﾀﾞﾃｼ", "ﾀﾃﾔﾏﾁｮｳ", "北海道", "伊達市", "館山町");
    row("04103", "983  ", "9830000", "ﾐﾔｷﾞｹﾝ", "ｾﾝﾀﾞｲｼﾐﾔｷﾞﾉｸ", genericReading, "宮城県",
        "仙台市宮城野区", generic);
    row("04103", "983  ", "9830851", "ﾐﾔｷﾞｹﾝ", "ｾﾝﾀﾞｲｼﾐﾔｷﾞﾉｸ", "ﾂﾂｼﾞｶﾞｵｶ", "宮城県",
        "仙台市宮城野区", "榴ケ岡");
    row("07213", "960  ", "9600000", "ﾌｸｼﾏｹﾝ", "ﾀﾞﾃｼ", genericReading, "福島県", "伊達市", generic);
    row("07213", "96007", "9600756", "ﾌｸｼﾏｹﾝ", "ﾀﾞﾃｼ", "ﾔﾅｶﾞﾜﾏﾁｱｵﾊﾞﾁｮｳ", "福島県", "伊達市",
        "梁川町青葉町");
    row("13101", "100  ", "1000000", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", genericReading, "東京都", "千代田区",
        generic);
    row("13101", "100  ", "1000013", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐｶﾞｾｷ", "東京都", "千代田区", "霞が関");
    row("13101", "10001", "1000014", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾅｶﾞﾀﾁｮｳ", "東京都", "千代田区", "永田町");
    row("13102", "104  ", "1040000", "ﾄｳｷｮｳﾄ", "ﾁｭｳｵｳｸ", genericReading, "東京都", "中央区",
        generic);
    row("13206", "183  ", "1830000", "ﾄｳｷｮｳﾄ", "ﾌﾁｭｳｼ", genericReading, "東京都", "府中市",
        generic);
    row("13206", "183  ", "1830027", "ﾄｳｷｮｳﾄ", "ﾌﾁｭｳｼ", "ﾎﾝﾏﾁ", "東京都", "府中市", "本町");
    row("23201", "441  ", "4410000", "ｱｲﾁｹﾝ", "ﾄﾖﾊｼｼ", genericReading, "愛知県", "豊橋市", generic);
    row("23201", "44113", "4411335", "ｱｲﾁｹﾝ", "ﾄﾖﾊｼｼ", "ﾉﾖﾘﾁｮｳ", "愛知県", "豊橋市", "野依町");
    row("26104", "604  ", "6040000", "ｷｮｳﾄﾌ", "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", genericReading, "京都府",
        "京都市中京区", generic);
    row("26104", "604  ", "6040801", "ｷｮｳﾄﾌ", "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", "ﾐｿﾞﾉﾁｮｳ", "京都府", "京都市中京区",
        "御園町");
    // Street descriptions: a town, another whose note lists descriptions,
    // and towns named like streets.
    row("26104", "604  ", "6048071", "ｷｮｳﾄﾌ", "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", "ｴｲﾗｸﾁｮｳ", "京都府", "京都市中京区",
        "永楽町");
    row("26104", "604  ", "6048036", "ｷｮｳﾄﾌ", "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", "ｲｼﾊﾞｼﾁｮｳ", "京都府", "京都市中京区",
        "石橋町（寺町通三条下る、寺町通三条上る）");
    row("26104", "604  ", "6040823", "ｷｮｳﾄﾌ", "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", "ﾀｹﾔﾁｮｳ", "京都府", "京都市中京区",
        "竹屋町");
    row("26104", "604  ", "6040971", "ｷｮｳﾄﾌ", "ｷｮｳﾄｼﾅｶｷﾞｮｳｸ", "ﾏｽﾔﾁｮｳ", "京都府", "京都市中京区",
        "桝屋町（竹屋町通富小路東入、竹屋町通富小路西入）");
    row("28204", "663  ", "6630000", "ﾋｮｳｺﾞｹﾝ", "ﾆｼﾉﾐﾔｼ", genericReading, "兵庫県", "西宮市",
        generic);
    row("28204", "663  ", "6638170", "ﾋｮｳｺﾞｹﾝ", "ﾆｼﾉﾐﾔｼ", "ｺｳｼｴﾝﾁｮｳ", "兵庫県", "西宮市",
        "甲子園町");
    row("34208", "726  ", "7260000", "ﾋﾛｼﾏｹﾝ", "ﾌﾁｭｳｼ", genericReading, "広島県", "府中市",
        generic);
    row("34208", "726  ", "7260005", "ﾋﾛｼﾏｹﾝ", "ﾌﾁｭｳｼ", "ﾓﾄﾏﾁ", "広島県", "府中市", "元町");
    return csv;
}

class Lookup : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        ASSERT_EQ(testing_support::buildDictionary(*dir_, lookupSource()), 0);
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override { ASSERT_TRUE(engine_.open()); }

    // Looks the UTF-8 address up; code_ and old_ receive the written codes.
    int look(const char* address) {
        code_[0] = old_[0] = '\0';
        return keszip::lookupAddress(engine_, sj(address), {code_, old_, nullptr});
    }

    static TempDir* dir_;
    ZipEngine engine_{dir_->path()};
    char code_[16] = {};
    char old_[16] = {};
};

TempDir* Lookup::dir_ = nullptr;

}  // namespace

TEST_F(Lookup, LevelsAndTheirFlags) {
    EXPECT_EQ(look("東京都千代田区霞が関1-2-3"), 1);
    EXPECT_STREQ(code_, "1000013");
    EXPECT_EQ(engine_.currentJisCode, 13101);
    // Readings and kana spellings reach the same town.
    EXPECT_EQ(look("とうきょうと ちよだく かすみがせき"), 1);
    EXPECT_STREQ(code_, "1000013");
    // No prefecture: Tokyo is assumed for a ward of Tokyo.
    EXPECT_EQ(look("千代田区永田町1"), 1 | 8);
    EXPECT_STREQ(code_, "1000014");
    EXPECT_STREQ(old_, "10001");
    // The city of a ward left out.
    EXPECT_EQ(look("北海道中央区旭ケ丘5"), 1 | 16);
    EXPECT_STREQ(code_, "0640941");
    EXPECT_EQ(look("北海道札幌市中央区旭ケ丘5"), 1);
    EXPECT_STREQ(old_, "064  ");
    // A town the dictionary does not list: the generic code of the municipality.
    EXPECT_EQ(look("東京都千代田区存在しない町"), 1 | 4);
    EXPECT_STREQ(code_, "1000000");
    // No prefecture and no city: a municipality is looked for everywhere.
    EXPECT_EQ(look("豊橋市野依町1"), 1 | 8);
    EXPECT_EQ(engine_.currentJisCode, 23201);
}

TEST_F(Lookup, ErrorTexts) {
    EXPECT_EQ(look("東京都存在区1"), 0);
    EXPECT_STREQ(code_, "ERR-003");
    EXPECT_EQ(look(""), 0);
    EXPECT_STREQ(code_, "ERR-003");
    // These codes stand for city names found in two prefectures.
    EXPECT_EQ(look("府中市本町1"), 0);
    EXPECT_STREQ(code_, "ERR-005");
    EXPECT_EQ(look("東京都府中市本町1"), 1);
    EXPECT_STREQ(code_, "1830027");

    ZipEngine closed(dir_->path());
    char code[16] = {};
    EXPECT_EQ(keszip::lookupAddress(closed, sj("東京都千代田区"), {code, nullptr, nullptr}), 0);
    EXPECT_STREQ(code, "ERR-001");
}

TEST_F(Lookup, RetriesInHiroshimaAndKyoto) {
    // 府中市 without a prefecture first lands on Tokyo's generic code, then
    // is looked up inside Hiroshima.
    EXPECT_EQ(look("府中市元町2-1"), 1 | 8);
    EXPECT_STREQ(code_, "7260005");
    EXPECT_EQ(engine_.currentJisCode, 34208);
    // A Kyoto address that only reaches the generic code is tried a second
    // time and ends there.
    EXPECT_EQ(look("京都府京都市中京区知らない通"), 1 | 4);
    EXPECT_STREQ(code_, "6040000");
    EXPECT_EQ(engine_.firstAttempt, 0);
}

// In a Kyoto street description the town is the name after the last
// direction, whatever town the dictionary lists the description for and
// however the direction is written; a street name is never the town then.
TEST_F(Lookup, KyotoTownAfterTheStreetDescription) {
    const struct {
        const char* address;
        const char* code;
        const char* number;
    } cases[] = {
        {"京都市中京区寺町通三条下る永楽町33番地", "6048071", "33"},
        {"京都市中京区寺町通り三条下ル永楽町33", "6048071", "33"},
        {"京都市中京区寺町通三条上がる永楽町1-2", "6048071", "1-2"},
        {"京都市中京区竹屋町通富小路東入ル桝屋町5", "6040971", "5"},
        {"京都市中京区竹屋町通り寺町西入る永楽町", "6048071", ""},
        {"京都市中京区竹屋町通富小路西入下る永楽町", "6048071", ""},
        // Without a town after it the description places the address.
        {"京都市中京区寺町通三条下る", "6048036", nullptr},
        {"京都市中京区竹屋町通富小路東入", "6040971", nullptr},
        {"京都市中京区竹屋町2", "6040823", "2"},
    };
    for (const auto& c : cases) {
        char code[16] = {}, number[16] = {};
        EXPECT_NE(keszip::lookupAddress(engine_, sj(c.address), {code, nullptr, number}), 0)
            << c.address;
        EXPECT_STREQ(code, c.code) << c.address;
        if (c.number) {
            EXPECT_STREQ(number, c.number) << c.address;
        }
    }
}

// A postal code before the address is passed over, and flagged when the
// address is placed at another code.
TEST_F(Lookup, LeadingPostalCodeAgainstTheAnswer) {
    const struct {
        const char* address;
        int flags;
    } cases[] = {
        {"〒100-0013東京都千代田区霞が関1-2-3", 1},
        {"100-0013 東京都千代田区霞が関1", 1},
        {"〒1000013 東京都千代田区霞が関", 1},
        {"〒100-0014東京都千代田区霞が関1-2-3", 1 | 128},
        {"「100-0014 東京都千代田区霞が関」", 1 | 128},
        {"100-0013 東京都千代田区存在しない町", 1 | 4 | 128},
        {"東京都千代田区霞が関1-2-3", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(look(c.address), c.flags) << c.address;
}

TEST_F(Lookup, FixedCorrectionsLookAtTheAddressAsWritten) {
    EXPECT_EQ(look("宮城県仙台市宮城野区榴ケ岡1"), 1);
    EXPECT_STREQ(code_, "9830851");
    EXPECT_EQ(look("宮城県仙台市宮城野区榴岡1"), 1);
    EXPECT_STREQ(code_, "9830852");
    EXPECT_EQ(look("愛知県豊橋市野依町屋敷1"), 1);
    EXPECT_STREQ(code_, "4411336");
    EXPECT_EQ(look("兵庫県西宮市甲子園町1-1"), 1);
    EXPECT_STREQ(code_, "6638152");
}

TEST_F(Lookup, OneMunicipalityNameInSeveralPrefectures) {
    // Without its prefecture 伊達市 is Hokkaido's first; the town is only
    // known in Fukushima's.
    EXPECT_EQ(look("伊達市梁川町青葉町1"), 1 | 8);
    EXPECT_STREQ(code_, "9600756");
    EXPECT_STREQ(old_, "96007");
    EXPECT_EQ(engine_.currentJisCode, 7213);
    EXPECT_EQ(look("伊達市館山町1"), 1 | 8);
    EXPECT_STREQ(code_, "0520001");
    EXPECT_EQ(engine_.currentJisCode, 1233);
    // Known in neither: the first one's generic code, as before.
    EXPECT_EQ(look("伊達市無い町"), 1 | 4 | 8);
    EXPECT_STREQ(code_, "0520000");
    EXPECT_EQ(engine_.currentJisCode, 1233);
    // A prefecture written is kept.
    EXPECT_EQ(look("北海道伊達市梁川町青葉町"), 1 | 4);
    EXPECT_STREQ(code_, "0520000");
    EXPECT_EQ(look("福島県伊達市梁川町青葉町"), 1);
    EXPECT_STREQ(code_, "9600756");
    // A ward of the same name in a city: Tokyo's 中央区 is assumed first.
    EXPECT_EQ(look("中央区旭ケ丘5"), 1 | 8 | 16);
    EXPECT_STREQ(code_, "0640941");
    EXPECT_EQ(engine_.currentJisCode, 1101);
    EXPECT_EQ(look("中央区無い町"), 1 | 4 | 8);
    EXPECT_STREQ(code_, "1040000");
}
