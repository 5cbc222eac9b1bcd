// Engines over the same dictionary files share one read-only copy of the
// dictionary, loaded once and freed with its last engine; engines whose
// folding settings differ, or whose file changed, get their own.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "src/lookup.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using keszip::ZipEngine;
using testing_support::kenAllRow;
using testing_support::sj;
using testing_support::TempDir;

namespace {

std::string source() {
    return kenAllRow("13101", "100  ", "1000000", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "東京都",
                     "千代田区", "以下に掲載がない場合") +
           kenAllRow("13101", "102  ", "1020072", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｲｲﾀﾞﾊﾞｼ", "東京都",
                     "千代田区", "飯田橋");
}

std::string lookup(ZipEngine& engine, const std::string& utf8) {
    char code7[16] = {};
    keszip::lookupAddress(engine, sj(utf8), {code7, nullptr, nullptr});
    return code7;
}

TEST(SharedDictionary, EnginesShareOneCopyWhileAnyHoldsIt) {
    TempDir dir;
    ASSERT_EQ(testing_support::buildDictionary(dir, source()), 0);
    auto first = std::make_unique<ZipEngine>(dir.path());
    ZipEngine second(dir.path());
    ASSERT_TRUE(first->open());
    ASSERT_TRUE(second.open());
    EXPECT_EQ(first->sharedData(), second.sharedData());

    // Each keeps its own match state over the shared tables.
    EXPECT_EQ(lookup(*first, "東京都千代田区飯田橋1"), "1020072");
    EXPECT_EQ(lookup(second, "東京都千代田区大手町"), "1000000");
    EXPECT_EQ(first->match.best.code7, 1020072u);

    // Closing one engine leaves the other's data in place.
    const keszip::DictionaryData* shared = second.sharedData();
    EXPECT_EQ(first->close(), 1);
    first.reset();
    EXPECT_EQ(second.sharedData(), shared);
    EXPECT_EQ(lookup(second, "東京都千代田区飯田橋"), "1020072");
    EXPECT_EQ(second.close(), 1);
    EXPECT_EQ(second.sharedData(), nullptr);
}

TEST(SharedDictionary, DifferentSettingsOrAChangedFileAreNotShared) {
    TempDir dir;
    ASSERT_EQ(testing_support::buildDictionary(dir, source()), 0);
    ZipEngine plain(dir.path());
    ASSERT_TRUE(plain.open());

    // Another folder with the same file but other folding settings: the
    // folded names differ, so the data cannot be shared.
    testing_support::writeFile(dir.file("KESZIP.PRM"), "[KANJI]\r\nKanjiTableOff=1\r\n");
    ZipEngine other(dir.path());
    ASSERT_TRUE(other.open());
    EXPECT_NE(other.sharedData(), plain.sharedData());
    std::remove(dir.file("KESZIP.PRM").c_str());

    // A dictionary rebuilt in place is read afresh by the next engine.
    ASSERT_EQ(testing_support::buildDictionary(
                  dir, source() + kenAllRow("13101", "100  ", "1000004", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｵｵﾃﾏﾁ",
                                            "東京都", "千代田区", "大手町")),
              0);
    ZipEngine rebuilt(dir.path());
    ASSERT_TRUE(rebuilt.open());
    EXPECT_NE(rebuilt.sharedData(), plain.sharedData());
    EXPECT_EQ(lookup(rebuilt, "東京都千代田区大手町"), "1000004");
    EXPECT_EQ(lookup(plain, "東京都千代田区大手町"), "1000000");
}

}  // namespace
