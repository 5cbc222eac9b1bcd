// Builds dictionaries from invented source rows and reads them back through
// the engine, so that the bytes are checked by their reader.
#include "dictionary_build.h"

#include <gtest/gtest.h>
#include <platform/profile.h>
#include <platform/sjis.h>
#include <zip.h>

#include <algorithm>
#include <ctime>

#include "build_error.h"
#include "default_kanji_table.h"
#include "ken_all_fixture.h"
#include "src/substitution_table.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using keszip::TownCandidate;
using keszip::ZipEngine;
using testing_support::readFile;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::u8;
using testing_support::writeFile;

namespace {

struct Built {
    TempDir dir;
    mkdic::BuildSummary summary;
    ZipEngine engine;
    std::string dic() const { return dir.file("KESZIP.DIC"); }
};

// Builds from the sample rows (plus `options` tweaks) and loads the result.
std::unique_ptr<Built> build(mkdic::BuildOptions options = {}) {
    auto b = std::make_unique<Built>();
    if (options.kenAllPath.empty()) {
        options.kenAllPath = b->dir.file("KEN_ALL.CSV");
        writeFile(options.kenAllPath, mkdic_test::csvText(mkdic_test::sampleRows()));
    }
    if (!options.dataDate) options.dataDate = "2026-05-29";
    options.outDir = b->dir.path();
    b->summary = mkdic::buildDictionaryFiles(options);
    EXPECT_TRUE(b->engine.loadMainDictionary(b->dic())) << b->engine.lastError();
    return b;
}

std::vector<TownCandidate> townsOf(ZipEngine& engine, std::size_t municipality) {
    std::vector<TownCandidate> towns;
    TownCandidate t;
    for (bool restart = true; engine.nextTown(restart, municipality, t); restart = false) {
        towns.push_back(t);
    }
    return towns;
}

std::size_t indexOf(const ZipEngine& engine, std::uint16_t code) {
    const auto& m = engine.municipalities();
    return static_cast<std::size_t>(
        std::find_if(m.begin(), m.end(), [&](const auto& r) { return r.code == code; }) -
        m.begin());
}

std::string errorOf(const mkdic::BuildOptions& options) {
    try {
        mkdic::buildDictionaryFiles(options);
    } catch (const mkdic::BuildError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(DictionaryBuild, TablesReadBackThroughTheEngine) {
    auto b = build();
    ZipEngine& e = b->engine;
    EXPECT_EQ(b->summary.rows, mkdic_test::sampleRows().size());
    ASSERT_EQ(e.prefectures().size(), 47u);
    ASSERT_EQ(e.cities().size(), 5u);
    ASSERT_EQ(e.municipalities().size(), 12u);

    const auto& tokyo = e.prefectures()[12];
    EXPECT_EQ(tokyo.code, 13);
    EXPECT_EQ(u8(tokyo.name), "東京都");
    EXPECT_EQ(u8(tokyo.reading), "ﾄｳｷｮｳﾄ");
    EXPECT_EQ(e.municipalities()[tokyo.firstMunicipality].code, 13101);
    EXPECT_EQ(e.municipalities()[tokyo.lastMunicipality].code, 13103);

    const auto& sapporo = e.cities()[0];
    EXPECT_EQ(u8(sapporo.name), "札幌市");
    EXPECT_EQ(u8(sapporo.reading), "ｻｯﾎﾟﾛｼ");
    EXPECT_EQ(sapporo.lowCode, 1101);
    EXPECT_EQ(sapporo.highCode, 1102);
    EXPECT_EQ(sapporo.firstMunicipality, 0);
    EXPECT_EQ(u8(e.cities()[4].name), "上川郡");
    EXPECT_EQ(e.cities()[4].lowCode, 1631);

    const auto& chuo = e.municipalities()[0];
    EXPECT_EQ(chuo.code, 1101);
    EXPECT_EQ(chuo.cityIndex, 0);
    EXPECT_EQ(u8(chuo.name), "中央区");
    EXPECT_EQ(u8(chuo.reading), "ﾁｭｳｵｳｸ");
    EXPECT_EQ(chuo.lowCode7, 600000u);
    EXPECT_EQ(chuo.highCode7, 640959u);
    EXPECT_EQ(chuo.lowOldCode, 6000u);
    EXPECT_EQ(chuo.highOldCode, 6409u);
    EXPECT_EQ(chuo.townCount, 4);  // a town continued over two rows is one record
    EXPECT_EQ(chuo.flags, 0);
    EXPECT_EQ(e.municipalities()[indexOf(e, 13103)].flags, keszip::dic::kMuniFlagHighRise);
    EXPECT_EQ(e.municipalities()[indexOf(e, 13101)].cityIndex, -1);
}

TEST(DictionaryBuild, TownsComeBackWithContinuationsMerged) {
    auto b = build();
    const auto towns = townsOf(b->engine, 0);
    ASSERT_EQ(towns.size(), 4u);
    EXPECT_EQ(u8(towns[0].name), "以下に掲載がない場合");
    EXPECT_EQ(towns[0].code7, 600000u);
    EXPECT_EQ(u8(towns[1].reading), "ｱｻﾋｶﾞｵｶ");
    EXPECT_EQ(u8(towns[2].name), "大通西(１～１９丁目、２０～２８丁目)");
    EXPECT_EQ(u8(towns[2].reading), "ｵｵﾄﾞｵﾘﾆｼ(1-19ﾁｮｳﾒ､20-28ﾁｮｳﾒ)");  // readings joined too
    EXPECT_EQ(towns[2].code7, 600042u);
    EXPECT_EQ(towns[2].oldCode, 6000u);
    EXPECT_EQ(towns[3].oldCode, 6409u);
    EXPECT_EQ(u8(towns[3].name), "北五条西");

    const auto minato = townsOf(b->engine, indexOf(b->engine, 13103));
    ASSERT_EQ(minato.size(), 11u);
    EXPECT_EQ(u8(minato[1].name), "赤坂(次のビルを除く)");
    EXPECT_EQ(u8(minato[2].name), "赤坂さくらタワー(地階・階層不明)");
    EXPECT_EQ(minato[2].code7, 1076090u);
}

TEST(DictionaryBuild, OverCapacitySplitReadsBackWhole) {
    auto whole = build();
    const std::size_t minato = indexOf(whole->engine, 13103);
    const auto all = townsOf(whole->engine, minato);
    const std::size_t limit = whole->engine.municipalities()[minato].blockSize * 2 / 3;

    mkdic::BuildOptions options;
    options.maxBlock = limit;
    auto b = build(options);
    ZipEngine& e = b->engine;
    ASSERT_EQ(b->summary.splits.size(), 1u);
    const std::size_t parts = b->summary.splits[0].partBytes.size();
    ASSERT_GE(parts, 2u);
    ASSERT_EQ(e.municipalities().size(), 11u + parts);

    std::vector<std::string> names;
    std::size_t largest = 0;
    for (std::size_t p = 0; p < parts; ++p) {
        const auto& m = e.municipalities()[minato + p];
        EXPECT_EQ(m.code, 13103);
        EXPECT_EQ(u8(m.name), "港区");
        EXPECT_EQ(m.cityIndex, -1);
        EXPECT_LE(m.blockSize, limit);
        largest = std::max<std::size_t>(largest, m.blockSize);
        const auto towns = townsOf(e, minato + p);
        for (const auto& t : towns) {
            EXPECT_TRUE(t.code7 >= m.lowCode7 && t.code7 <= m.highCode7);
            names.push_back(u8(t.name));
        }
        // Only the last part has the generic town, which the engine falls back on.
        EXPECT_EQ(u8(towns.front().name) == "以下に掲載がない場合", p + 1 == parts);
    }
    EXPECT_EQ(e.prefectures()[12].lastMunicipality, minato + parts - 1);
    const std::string bytes = readFile(b->dic());
    EXPECT_EQ(keszip::dic::getWord(reinterpret_cast<const unsigned char*>(bytes.data()) +
                                   keszip::dic::kHeaderBlockCapacity),
              largest);

    std::vector<std::string> expected;
    for (const auto& t : all) expected.push_back(u8(t.name));
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST(DictionaryBuild, InformationBlockEditionAndCodeList) {
    TempDir listDir;
    mkdic::BuildOptions options;
    options.codeListPath = listDir.file("codes.txt");
    writeFile(options.codeListPath, "# codes that score high\n1000001\n\n  105-0011  # 芝公園\r\n");
    auto b = build(options);
    EXPECT_EQ(b->engine.codeList(), (std::vector<std::uint32_t>{1000001, 1050011}));
    EXPECT_EQ(b->engine.edition(), 2605);  // YYMM of the data date

    const std::string bytes = readFile(b->dic());
    ASSERT_GT(bytes.size(), 548u);
    EXPECT_EQ(bytes.substr(0, 7), std::string("KesZip\0", 7));
    const auto text = [&](std::size_t offset) {
        return std::string(bytes.c_str() + keszip::dic::kMainHeaderSize + offset);
    };
    EXPECT_EQ(text(0), "2026-05-29");
    EXPECT_EQ(text(12).size(), 10u);  // the build date
    EXPECT_EQ(text(23), "1.0.0");
    EXPECT_EQ(text(34), "KEN_ALL.CSV 28 rows");
    EXPECT_NE(text(256).find(mkdic::kDownloadPage), std::string::npos);

    options = {};
    options.edition = 17;
    EXPECT_EQ(build(options)->engine.edition(), 17);

    writeFile(options.codeListPath = listDir.file("bad.txt"), "1000001\n100000\n");
    options.kenAllPath = b->dir.file("KEN_ALL.CSV");
    options.outDir = listDir.path();
    EXPECT_NE(errorOf(options).find("bad.txt line 2: \"100000\" is not a 7-digit postal code"),
              std::string::npos);
}

TEST(DictionaryBuild, SettingsFileAndSubstitutionTable) {
    auto b = build();
    const std::string prm = readFile(b->dir.file("KESZIP.PRM"));
    const std::string tbl = readFile(b->dir.file("KESZIP.TBL"));
    for (const std::string* text : {&prm, &tbl}) {
        for (std::size_t i = 0; i < text->size(); ++i) {
            if ((*text)[i] == '\n') {
                ASSERT_TRUE(i > 0 && (*text)[i - 1] == '\r') << "bare LF";
            }
        }
    }
    EXPECT_EQ(platform::profileLookup(prm, "KANJI", "KanSuujiConvLevel", "x", 9), "0");
    EXPECT_EQ(platform::profileLookup(prm, "KANJI", "KanjiTableOff", "x", 9), "0");
    EXPECT_NE(prm.find(';'), std::string::npos);  // the keys are explained

    std::string expected{std::string_view(mkdic::kDefaultKanjiTable)};
    expected.erase(std::remove(expected.begin(), expected.end(), '\r'), expected.end());
    std::string table = u8(tbl);
    table.erase(std::remove(table.begin(), table.end(), '\r'), table.end());
    if (!expected.empty() && expected.back() != '\n') expected += '\n';
    EXPECT_EQ(table, expected);
}

// A rebuild keeps the pairs the user wrote above the derived pairs, in
// their order and still above them; a table without the derived pairs'
// heading is replaced whole.
TEST(DictionaryBuild, RebuildKeepsTheUsersOwnPairs) {
    auto b = build();
    const std::string path = b->dir.file("KESZIP.TBL");
    const std::string fresh = readFile(path);
    const std::size_t mark = fresh.find(testing_support::sj("\r\n# 以下の組は Unicode"));
    ASSERT_NE(mark, std::string::npos);
    const std::size_t at = mark + 2;
    const std::string own = testing_support::sj("髙=高\r\n# 社内の表記\r\n") + "\xFA\xB1" +
                            testing_support::sj("=崎\r\n");
    writeFile(path, fresh.substr(0, at) + own + fresh.substr(at));
    mkdic::BuildOptions options;
    options.kenAllPath = b->dir.file("KEN_ALL.CSV");
    options.dataDate = "2026-05-29";
    options.outDir = b->dir.path();
    mkdic::buildDictionaryFiles(options);
    const std::string kept = readFile(path);
    EXPECT_EQ(kept, fresh.substr(0, at) + testing_support::sj("髙=高\r\n") + "\xFA\xB1" +
                        testing_support::sj("=崎\r\n\r\n") + fresh.substr(at));
    keszip::FoldSettings settings;
    settings.kanjiSubstitutions = keszip::parseSubstitutionTable(kept);
    ASSERT_FALSE(settings.kanjiSubstitutions.empty());
    EXPECT_EQ(settings.kanjiSubstitutions[0].key, testing_support::sj("髙"));

    writeFile(path, testing_support::sj("髙=高\r\n"));
    mkdic::buildDictionaryFiles(options);
    EXPECT_EQ(readFile(path), fresh);
}

namespace {

// A zip archive holding `bytes` as `entry`, stamped with the given local time.
void writeZip(const std::string& path, const std::string& entry, const std::string& bytes,
              std::time_t modified) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0);
    zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), modified, 0);
    ASSERT_EQ(zip_close(archive), 0);
}

}  // namespace

TEST(DictionaryBuild, ReadsJapanPostsZipDirectly) {
    TempDir dir;
    std::tm day{};
    day.tm_year = 2025 - 1900;
    day.tm_mon = 11;  // December
    day.tm_mday = 24;
    day.tm_hour = 10;
    day.tm_isdst = -1;
    const std::string csv = mkdic_test::csvText(mkdic_test::sampleRows());
    writeZip(dir.file("ken_all.zip"), "ken_all.csv", csv, std::mktime(&day));

    mkdic::BuildOptions options;
    options.kenAllPath = dir.file("ken_all.zip");
    options.dataDate = std::nullopt;
    options.outDir = dir.path();
    const mkdic::BuildSummary summary = mkdic::buildDictionaryFiles(options);
    EXPECT_EQ(summary.info.dataDate, "2025-12-24");  // the entry's date, not today's
    EXPECT_EQ(summary.info.edition, 2512);
    EXPECT_EQ(summary.rows, mkdic_test::sampleRows().size());

    writeZip(dir.file("other.zip"), "JIGYOSYO.CSV", csv, std::mktime(&day));
    options.kenAllPath = dir.file("other.zip");
    EXPECT_NE(
        errorOf(options).find("no entry KEN_ALL.CSV or utf_ken_all.csv (it holds JIGYOSYO.CSV)"),
        std::string::npos);
}

TEST(MkdicCommand, ReportsSummarySplitsAndFailures) {
    TempDir dir;
    const std::string tool = testing_support::binPath("keszip-mkdic");
    std::string output;
    EXPECT_EQ(testing_support::runCommand(
                  tool + " --ken-all " + dir.file("missing.zip") + " --out " + dir.path() + " 2>&1",
                  &output),
              1);
    EXPECT_NE(output.find("https://www.post.japanpost.jp/zipcode/download.html"), std::string::npos)
        << output;

    writeFile(dir.file("KEN_ALL.CSV"), mkdic_test::csvText(mkdic_test::sampleRows()));
    EXPECT_EQ(testing_support::runCommand(tool + " --ken-all " + dir.file("KEN_ALL.CSV") +
                                              " --out " + dir.file("out") +
                                              " --max-block 300 --data-date 2026-01-31 2>&1",
                                          &output),
              0)
        << output;
    EXPECT_NE(output.find("note: the towns of 13103 港区 exceed 300 bytes"), std::string::npos)
        << output;
    EXPECT_NE(output.find("28 rows, 47 prefectures, 5 cities"), std::string::npos) << output;
    EXPECT_TRUE(ZipEngine().loadMainDictionary(dir.file("out/KESZIP.DIC")));

    writeFile(dir.file("bad.csv"), mkdic_test::csvText(mkdic_test::sampleRows()) + "01101,\"x\n");
    EXPECT_EQ(
        testing_support::runCommand(
            tool + " --ken-all " + dir.file("bad.csv") + " --out " + dir.path() + " 2>&1", &output),
        1);
    EXPECT_NE(output.find("bad.csv line 29: unterminated quote"), std::string::npos) << output;
}
