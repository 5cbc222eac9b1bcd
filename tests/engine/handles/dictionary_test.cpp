// Loading KESZIP.DIC, reading town blocks and the error of each kind of
// damaged file. Dictionaries are built from small hand-written sources.
#include <gtest/gtest.h>

#include "layout/dic_format.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using keszip::TownCandidate;
using keszip::ZipEngine;
using testing_support::kenAllRow;
using testing_support::readFile;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const std::string kHokkaido = "ﾎｯｶｲﾄﾞｳ";
const std::string kTokyo = "ﾄｳｷｮｳﾄ";

std::string fixtureSource() {
    std::string csv;
    csv += kenAllRow("01101", "060  ", "0600000", kHokkaido, "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                     "北海道", "札幌市中央区", "以下に掲載がない場合");
    csv += kenAllRow("01101", "064  ", "0640941", kHokkaido, "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｱｻﾋｶﾞｵｶ", "北海道",
                     "札幌市中央区", "旭ケ丘");
    csv += kenAllRow("13101", "100  ", "1000000", kTokyo, "ﾁﾖﾀﾞｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "東京都",
                     "千代田区", "以下に掲載がない場合");
    csv += kenAllRow("13101", "102  ", "1020072", kTokyo, "ﾁﾖﾀﾞｸ", "ｲｲﾀﾞﾊﾞｼ", "東京都", "千代田区",
                     "飯田橋");
    // A long name over three rows, then a town of its own with the same code.
    csv += kenAllRow("13101", "101  ", "1010099", kTokyo, "ﾁﾖﾀﾞｸ", "ﾐﾎﾝ(1-3ﾊﾞﾝﾁ､", "東京都",
                     "千代田区", "見本（１～３番地、");
    csv += kenAllRow("13101", "101  ", "1010099", kTokyo, "ﾁﾖﾀﾞｸ", "5ﾊﾞﾝﾁ､7ﾊﾞﾝﾁ", "東京都",
                     "千代田区", "５番地、７番地");
    csv += kenAllRow("13101", "101  ", "1010099", kTokyo, "ﾁﾖﾀﾞｸ", "､9ﾊﾞﾝﾁ)", "東京都", "千代田区",
                     "、９番地）");
    csv += kenAllRow("13101", "101  ", "1010099", kTokyo, "ﾁﾖﾀﾞｸ", "ﾐﾎﾝ(ｿﾉﾀ)", "東京都", "千代田区",
                     "見本（その他）");
    csv += kenAllRow("13101", "100  ", "1006090", kTokyo, "ﾁﾖﾀﾞｸ", "ｵｵﾃﾏﾁｼﾞｴｲﾋﾞﾙ(ﾁｶｲ･ｶｲｿｳﾌﾒｲ)",
                     "東京都", "千代田区", "大手町ＪＡビル（地階・階層不明）");
    csv += kenAllRow("13101", "100  ", "1006801", kTokyo, "ﾁﾖﾀﾞｸ", "ｵｵﾃﾏﾁｼﾞｴｲﾋﾞﾙ(1ｶｲ)", "東京都",
                     "千代田区", "大手町ＪＡビル（１階）");
    return csv;
}

// A dictionary built once from the fixture; each test works on a copy.
class Dictionary : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        source_ = new TempDir;
        ASSERT_EQ(testing_support::buildDictionary(*source_, fixtureSource()), 0);
        bytes_ = new std::string(readFile(source_->file("KESZIP.DIC")));
    }
    static void TearDownTestSuite() {
        delete source_;
        delete bytes_;
    }

    const std::string& bytes() const { return *bytes_; }
    std::uint32_t word(std::size_t offset) const {
        return keszip::dic::getWord(reinterpret_cast<const unsigned char*>(bytes().data()) +
                                    offset);
    }
    std::uint32_t dword(std::size_t offset) const {
        return keszip::dic::getDword(reinterpret_cast<const unsigned char*>(bytes().data()) +
                                     offset);
    }
    std::size_t dataStart() const { return word(10) == 1 ? 548 : 36; }
    std::size_t prefEnd() const { return dataStart() + dword(14); }
    std::size_t cityEnd() const { return prefEnd() + dword(20); }
    std::size_t muniEnd() const { return cityEnd() + dword(26); }

    // Loads `data` as KESZIP.DIC into a fresh engine; returns the result.
    bool load(const std::string& data) {
        writeFile(work_.file("KESZIP.DIC"), data);
        return engine_.loadMainDictionary(work_.file("KESZIP.DIC"));
    }

    std::size_t municipalityIndex(int code) const {
        const auto& m = engine_.municipalities();
        for (std::size_t i = 0; i < m.size(); ++i)
            if (m[i].code == code) return i;
        ADD_FAILURE() << "no municipality " << code;
        return 0;
    }

    std::vector<std::string> townNames(std::size_t index) {
        std::vector<std::string> names;
        TownCandidate town;
        for (bool restart = true; engine_.nextTown(restart, index, town); restart = false)
            names.push_back(testing_support::u8(town.name));
        return names;
    }

    static TempDir* source_;
    static std::string* bytes_;
    TempDir work_;
    ZipEngine engine_{work_.path()};
};

TempDir* Dictionary::source_ = nullptr;
std::string* Dictionary::bytes_ = nullptr;

}  // namespace

TEST_F(Dictionary, LoadsTablesAndMergesContinuations) {
    ASSERT_TRUE(load(bytes()));
    EXPECT_TRUE(engine_.isOpen());
    ASSERT_GE(engine_.prefectures().size(), 13u);
    EXPECT_EQ(testing_support::u8(engine_.prefectures()[12].name), "東京都");
    EXPECT_EQ(engine_.prefectures()[12].code, 13);

    std::size_t tokyo = municipalityIndex(13101);
    EXPECT_EQ(townNames(tokyo),
              (std::vector<std::string>{"以下に掲載がない場合", "飯田橋",
                                        "見本(１～３番地、５番地、７番地、９番地)", "見本(その他)",
                                        "大手町ＪＡビル(地階・階層不明)", "大手町ＪＡビル(１階)"}));
    TownCandidate town;
    ASSERT_TRUE(engine_.nextTown(true, tokyo, town));
    EXPECT_EQ(town.code7, 1000000u);
    EXPECT_EQ(town.oldCode, 10000u);
    EXPECT_EQ(town.reading, sj("ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ"));

    // Moving to another municipality replaces the block; coming back reads it again.
    std::size_t sapporo = municipalityIndex(1101);
    EXPECT_EQ(townNames(sapporo), (std::vector<std::string>{"以下に掲載がない場合", "旭ケ丘"}));
    EXPECT_EQ(townNames(tokyo).size(), 6u);

    // The city record carries the part the municipality leaves out.
    const auto& ward = engine_.municipalities()[sapporo];
    ASSERT_GE(ward.cityIndex, 0);
    EXPECT_EQ(testing_support::u8(engine_.cities()[ward.cityIndex].name), "札幌市");
    EXPECT_EQ(testing_support::u8(ward.name), "中央区");
    EXPECT_EQ(engine_.municipalities()[tokyo].cityIndex, -1);
    EXPECT_EQ(engine_.municipalities()[tokyo].flags & 1, 1);
    EXPECT_EQ(ward.flags & 1, 0);
}

TEST_F(Dictionary, InformationBlockIsOptional) {
    ASSERT_EQ(word(10), 1u);
    ASSERT_TRUE(load(bytes()));
    std::uint16_t edition = engine_.edition();
    EXPECT_STRNE(engine_.infoText(1), "");
    std::size_t prefCount = engine_.prefectures().size();

    // Without the block the tables start at offset 36 and the texts are empty.
    std::string plain = bytes().substr(0, 36) + bytes().substr(548);
    plain[10] = 0;
    ASSERT_TRUE(load(plain));
    EXPECT_EQ(engine_.edition(), edition);
    EXPECT_EQ(engine_.prefectures().size(), prefCount);
    for (unsigned item = 1; item <= 5; ++item) EXPECT_STREQ(engine_.infoText(item), "");
    EXPECT_EQ(townNames(municipalityIndex(13101)).size(), 6u);
}

TEST_F(Dictionary, EachDamageHasItsError) {
    struct Case {
        const char* what;
        std::size_t keep;  // bytes kept of the file
        int error;
    };
    const Case cases[] = {
        {"no file content", 0, keszip::kErrHeader},
        {"short header", 20, keszip::kErrHeader},
        {"short information block", 36 + 100, keszip::kErrHeader},
        {"short prefecture table", prefEnd() - 1, keszip::kErrPrefectureTable},
        {"short city table", cityEnd() - 1, keszip::kErrCityTable},
        {"short municipality table", muniEnd() - 1, keszip::kErrMunicipalityTable},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(load(bytes().substr(0, c.keep))) << c.what;
        EXPECT_EQ(engine_.lastError(), c.error) << c.what;
        EXPECT_FALSE(engine_.isOpen()) << c.what;
        EXPECT_TRUE(engine_.prefectures().empty()) << c.what;
    }

    EXPECT_FALSE(engine_.loadMainDictionary(work_.file("absent.dic")));
    EXPECT_EQ(engine_.lastError(), keszip::kErrFile);

    // A code list the header promises but the file lacks.
    std::string codes = bytes();
    codes[32] = 1;
    codes[34] = 4;
    EXPECT_FALSE(load(codes));
    EXPECT_EQ(engine_.lastError(), keszip::kErrCodeList);

    // A wrong signature is refused with an error of its own.
    std::string wrong = bytes();
    wrong[5] = 'q';
    EXPECT_FALSE(load(wrong));
    EXPECT_EQ(engine_.lastError(), keszip::kErrSignature);
    EXPECT_FALSE(engine_.isOpen());
    wrong = bytes();
    wrong[6] = 'X';  // "KesZipX": the text up to the NUL must be exact
    EXPECT_FALSE(load(wrong));
}

TEST_F(Dictionary, DamagedTownBlocksFailWithError16) {
    // The last block cut short: the tables load, the block does not.
    ASSERT_EQ(word(32), 0u);
    std::size_t last = 0;
    ASSERT_TRUE(load(bytes()));
    last = engine_.municipalities().size() - 1;
    std::string cut = bytes().substr(0, bytes().size() - 3);
    ASSERT_TRUE(load(cut));
    TownCandidate town;
    EXPECT_FALSE(engine_.nextTown(true, last, town));
    EXPECT_EQ(engine_.lastError(), keszip::kErrTownBlock);

    // A block larger than the header's capacity is refused, not read.
    std::string small = bytes();
    small[30] = 4;
    small[31] = 0;
    ASSERT_TRUE(load(small));
    EXPECT_FALSE(engine_.loadTownBlock(0));
    EXPECT_EQ(engine_.lastError(), keszip::kErrTownBlock);
}

TEST_F(Dictionary, IndexesOutsideTheirTablesAreRefused) {
    ASSERT_TRUE(load(bytes()));
    // The first prefecture record's last-municipality index points far away.
    std::string bad = bytes();
    bad[dataStart() + 7] = static_cast<char>(0xF0);
    bad[dataStart() + 8] = static_cast<char>(0xFF);
    EXPECT_FALSE(load(bad));
    EXPECT_EQ(engine_.lastError(), keszip::kErrPrefectureTable);
}

TEST(Engine, OpensOnceReadsSettingsAndCloses) {
    TempDir dir;
    ASSERT_EQ(testing_support::buildDictionary(dir, fixtureSource()), 0);
    writeFile(dir.file("KESZIP.PRM"), "[KANJI]\r\nKanSuujiConvLevel=1\r\nKanjiTableOff= 3 \r\n");
    writeFile(dir.file("KESZIP.TBL"), sj("髙=高\r\n﨑=崎\r\n"));
    ZipEngine engine(dir.path());

    EXPECT_EQ(engine.close(), 0);
    EXPECT_EQ(engine.lastError(), keszip::kErrNotOpen);

    ASSERT_TRUE(engine.open());
    ASSERT_TRUE(engine.open());
    EXPECT_EQ(engine.loadCount(), 1);
    EXPECT_EQ(engine.foldSettings().kanSuujiConvLevel, 1);
    EXPECT_EQ(engine.foldSettings().kanjiTableOff, 3);
    EXPECT_EQ(engine.foldSettings().kanjiSubstitutions.size(), 2u);

    EXPECT_EQ(engine.close(), 1);
    EXPECT_EQ(engine.lastError(), 0);
    EXPECT_FALSE(engine.isOpen());
    EXPECT_TRUE(engine.prefectures().empty());

    // Settings survive a reopen; a missing table leaves the loaded one.
    std::remove(dir.file("KESZIP.TBL").c_str());
    std::remove(dir.file("KESZIP.PRM").c_str());
    ASSERT_TRUE(engine.open());
    EXPECT_EQ(engine.loadCount(), 2);
    EXPECT_EQ(engine.foldSettings().kanSuujiConvLevel, 0);  // missing file: the defaults
    EXPECT_EQ(engine.foldSettings().kanjiSubstitutions.size(), 2u);

    // With no dictionary the open fails with error 2 and is tried again later.
    ZipEngine empty(dir.file("nowhere"));
    EXPECT_FALSE(empty.open());
    EXPECT_EQ(empty.lastError(), keszip::kErrFile);
    EXPECT_FALSE(empty.isOpen());
}
