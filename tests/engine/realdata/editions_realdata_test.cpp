// Japan Post's data as published, edition after edition: today's data in its
// two formats gives the same dictionary, and every edition in
// KESZIP_DATA/editions/ builds and finds its own towns as today's does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "dictionary_build.h"
#include "edition_changes.h"
#include "ken_all_source.h"
#include "layout/dic_format.h"
#include "real_towns.h"
#include "src/lookup.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using testing_support::dataPath;

namespace {

// Builds KESZIP.DIC from `source` into `dir`; returns its bytes without the
// information block (which names the source file and dates).
std::string buildWithoutInfo(const std::string& source, const testing_support::TempDir& dir) {
    mkdic::BuildOptions options;
    options.kenAllPath = source;
    options.outDir = dir.path();
    options.dataDate = "2026-05-29";
    mkdic::buildDictionaryFiles(options);
    std::string bytes = testing_support::readFile(dir.file("KESZIP.DIC"));
    bytes.replace(keszip::dic::kMainHeaderSize, keszip::dic::kInfoBlockSize,
                  keszip::dic::kInfoBlockSize, '\0');
    return bytes;
}

// Shares of the towns that name one place found with their own code, written
// in kanji and in readings, as the accuracy report counts them.
struct Shares {
    double kanji = 0, reading = 0;
};

Shares sharesFound(const std::string& source, const std::string& dictionaryDir) {
    const auto towns = bench::townsNamingOnePlace(bench::loadRealTowns(source));
    keszip::ZipEngine engine(dictionaryDir);
    EXPECT_TRUE(engine.open()) << engine.lastError();
    std::size_t kanji = 0, reading = 0;
    for (const auto& t : towns) {
        for (bool byReading : {false, true}) {
            const std::string address = byReading ? t.prefReading + t.cityReading + t.baseReading()
                                                  : t.prefName + t.cityName + t.baseName();
            char code7[16] = {};
            const int flags = keszip::lookupAddress(engine, address, {code7, nullptr, nullptr});
            if (flags != 0 && std::strtoul(code7, nullptr, 10) == t.code7) {
                ++(byReading ? reading : kanji);
            }
        }
    }
    const double n = static_cast<double>(std::max<std::size_t>(towns.size(), 1));
    return {static_cast<double>(kanji) / n, static_cast<double>(reading) / n};
}

}  // namespace

TEST(KenAllFormatsRealData, UtfKenAllGivesTheSameDictionaryAsKenAll) {
    KESZIP_REQUIRE_REAL_DATA();
    if (!std::filesystem::exists(dataPath("utf_ken_all.zip"))) {
        GTEST_SKIP() << "needs utf_ken_all.zip in KESZIP_DATA";
    }
    testing_support::TempDir a, b;
    const std::string fromShiftJis = buildWithoutInfo(dataPath("ken_all.zip"), a);
    const std::string fromUtf8 = buildWithoutInfo(dataPath("utf_ken_all.zip"), b);
    EXPECT_EQ(fromShiftJis.size(), fromUtf8.size());
    EXPECT_TRUE(fromShiftJis == fromUtf8) << "the dictionaries differ";
}

// Today's share, with a margin of 0.1 points for what an edition changes.
TEST(EditionsRealData, EveryEditionBuildsAndFindsItsTowns) {
    KESZIP_REQUIRE_REAL_DATA();
    std::vector<std::string> sources;
    const std::filesystem::path folder = dataPath("editions");
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".zip") sources.push_back(entry.path().string());
        }
    }
    if (sources.empty()) GTEST_SKIP() << "needs earlier editions in KESZIP_DATA/editions/";
    std::sort(sources.begin(), sources.end());
    sources.push_back(dataPath("ken_all.zip"));

    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        testing_support::TempDir dir;
        mkdic::BuildOptions options;
        options.kenAllPath = source;
        options.outDir = dir.path();
        const mkdic::BuildSummary summary = mkdic::buildDictionaryFiles(options);
        EXPECT_GT(summary.rows, 124000u);
        EXPECT_EQ(summary.prefectures, 47u);
        const Shares shares = sharesFound(source, dir.path());
        EXPECT_GE(shares.kanji, 0.9975);
        EXPECT_GE(shares.reading, 0.9965);
    }
}

TEST(EditionsRealData, ChangesSinceTheOldestEdition) {
    KESZIP_REQUIRE_REAL_DATA();
    const std::string oldest = dataPath("editions/ken_all_2024-12-24.zip");
    if (!std::filesystem::exists(oldest)) GTEST_SKIP() << "needs " << oldest;
    const auto changes =
        mkdic::compareEditions(mkdic::readKenAllSource(oldest).towns,
                               mkdic::readKenAllSource(dataPath("ken_all.zip")).towns);
    const std::string summary = mkdic::changeSummary(changes);
    EXPECT_NE(summary.find("code disappeared\t15\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("code appeared\t87\n"), std::string::npos) << summary;
    EXPECT_NE(testing_support::u8(mkdic::changeLines(changes))
                  .find("town renamed\t0391513\t0391513\t青森県三戸郡五戸町\t古館\t古舘\n"),
              std::string::npos);
}

// The dictionary beside the programs holds the former names of the editions in
// KESZIP_DATA/editions/ and of the table of municipal changes: every town
// renamed since the oldest edition is found by its old name, and addresses of
// municipalities and wards that no longer exist are found in the ones they
// became part of.
TEST(EditionsRealData, FormerNamesAreFound) {
    KESZIP_REQUIRE_REAL_DATA();
    const std::string oldest = dataPath("editions/ken_all_2024-12-24.zip");
    if (!std::filesystem::exists(oldest)) GTEST_SKIP() << "needs " << oldest;
    keszip::ZipEngine engine(
        std::filesystem::path(testing_support::binPath("KESZIP.DIC")).parent_path().string());
    ASSERT_TRUE(engine.open());
    if (engine.sharedData()->formerNames.empty()) {
        GTEST_SKIP() << "the dictionary was built without former names (configure again)";
    }
    const auto look = [&](const std::string& address, std::uint32_t& code) {
        char code7[16] = {};
        const int flags = keszip::lookupAddress(engine, address, {code7, nullptr, nullptr});
        code = static_cast<std::uint32_t>(std::strtoul(code7, nullptr, 10));
        return flags;
    };

    // Towns renamed under their code whose old name stood for that one code.
    const auto before = mkdic::readKenAllSource(oldest).towns;
    std::map<std::pair<std::uint32_t, std::string>, std::set<std::uint32_t>> codesOfName;
    std::map<std::uint32_t, std::string> prefix;  // local code -> prefecture and city
    const auto base = [](const std::string& name) {
        return bench::RealTown{0, 0, {}, {}, name, {}, {}, {}}.baseName();
    };
    for (const auto& r : before) {
        codesOfName[{r.localCode, base(r.townName)}].insert(r.code7);
        prefix[r.localCode] = r.prefectureName + r.cityName;
    }
    std::size_t checked = 0, flagged = 0;
    for (const auto& c :
         mkdic::compareEditions(before, mkdic::readKenAllSource(dataPath("ken_all.zip")).towns)) {
        if (c.kind != "town renamed") continue;
        const std::string old = base(c.oldNames.front());
        if (old == base(c.newNames.front()) || codesOfName[{c.localCode, old}].size() != 1)
            continue;
        std::uint32_t code = 0;
        const int flags = look(prefix[c.localCode] + old, code);
        EXPECT_EQ(code, c.newCodes.front()) << testing_support::u8(prefix[c.localCode] + old);
        ++checked;
        if (flags & keszip::kFlagFormerName) ++flagged;
    }
    EXPECT_GE(checked, 30u);
    EXPECT_GE(flagged, 20u);  // the others are found as written (ケ and ヶ, 沢 and 澤 fold alike)

    struct Case {
        const char* address;
        std::uint32_t code;
    } cases[] = {
        {"静岡県浜松市中区元城町103-2", 4300946},
        {"静岡県浜松市北区細江町中川1", 4311304},
        {"宮城県黒川郡富谷町富谷1", 9813311},
        {"宮城県富谷町富谷1", 9813311},
    };
    for (const Case& c : cases) {
        std::uint32_t code = 0;
        const int flags = look(testing_support::sj(c.address), code);
        EXPECT_TRUE(flags & keszip::kFlagFormerName) << c.address;
        EXPECT_EQ(code, c.code) << c.address;
    }
}
