// The default KESZIP.TBL against the real data: every pair makes a variant
// spelling of a real name fold like the name itself, and no pair touches any
// name of the dictionary.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "default_kanji_table.h"
#include "fold.h"
#include "ken_all.h"
#include "substitution_table.h"
#include "test_support.h"
#include "zip_source.h"

namespace {

using testing_support::u8;

bool isLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Municipality and town names of KEN_ALL.CSV, Shift-JIS, each once.
const std::vector<std::string>& realNames() {
    static const std::vector<std::string> names = [] {
        const auto source =
            mkdic::readSourceFile(testing_support::dataPath("ken_all.zip"), "KEN_ALL.CSV");
        std::set<std::string> unique;
        for (const auto& row : mkdic::parseKenAll(source.bytes)) {
            unique.insert(row.cityName);
            unique.insert(row.townName);
        }
        return std::vector<std::string>(unique.begin(), unique.end());
    }();
    return names;
}

keszip::FoldSettings defaultTable() {
    keszip::FoldSettings settings;
    settings.kanjiSubstitutions =
        keszip::parseSubstitutionTable(testing_support::sj(mkdic::kDefaultKanjiTable));
    return settings;
}

// Offset of the first whole-character occurrence of `kanji` in `name` that
// does not follow a kana (a ｶ, ｹ or ｶﾞ before a kanji is removed from the
// dictionary's spelling but kept before a substituted one); npos when none.
std::size_t usableOccurrence(const std::string& name, const std::string& kanji) {
    bool previousIsKanji = true;
    for (std::size_t i = 0; i + 1 < name.size();) {
        const bool lead = isLead(name[i]);
        if (lead && previousIsKanji && name.compare(i, kanji.size(), kanji) == 0) return i;
        previousIsKanji = lead && static_cast<unsigned char>(name[i]) > 0x87;
        i += lead ? 2 : 1;
    }
    return std::string::npos;
}

TEST(DefaultKanjiTable, PairsAreSingleCharacters) {
    const auto pairs = defaultTable().kanjiSubstitutions;
    ASSERT_GT(pairs.size(), 50u);
    std::set<std::string> keys;
    for (const auto& pair : pairs) {
        EXPECT_EQ(pair.key.size(), 2u) << u8(pair.key);
        EXPECT_EQ(pair.value.size(), 2u) << u8(pair.value);
        EXPECT_TRUE(keys.insert(pair.key).second) << "duplicate key " << u8(pair.key);
        EXPECT_EQ(keszip::foldText(pair.value, 1, {}), pair.value) << "value is folded further";
    }
}

TEST(DefaultKanjiTable, EachPairMatchesARealName) {
    KESZIP_REQUIRE_REAL_DATA();
    const auto& names = realNames();
    ASSERT_GT(names.size(), 10000u);
    const keszip::FoldSettings table = defaultTable();
    const keszip::FoldSettings none;
    for (const auto& pair : table.kanjiSubstitutions) {
        std::string real;
        std::size_t at = std::string::npos;
        for (const auto& name : names) {
            at = usableOccurrence(name, pair.value);
            if (at != std::string::npos) {
                real = name;
                break;
            }
        }
        ASSERT_FALSE(real.empty()) << "no real name holds " << u8(pair.value);
        std::string variant = real;
        variant.replace(at, pair.value.size(), pair.key);
        for (int mode : {keszip::kFoldLiteral, keszip::kFoldMatching}) {
            EXPECT_EQ(keszip::foldText(variant, mode, table), keszip::foldText(real, mode, table))
                << u8(real) << " mode " << mode;
        }
        EXPECT_NE(keszip::foldText(variant, 1, none), keszip::foldText(real, 1, none)) << u8(real);
    }
}

TEST(DefaultKanjiTable, NoRealNameIsChanged) {
    KESZIP_REQUIRE_REAL_DATA();
    const keszip::FoldSettings table = defaultTable();
    const keszip::FoldSettings none;
    std::size_t changed = 0;
    for (const auto& name : realNames()) {
        unsigned report = 0;
        keszip::foldText(name, 1, table, &report);
        if (report & keszip::kReportTablePair) {
            ADD_FAILURE() << u8(name) << " is changed by the table";
            if (++changed > 10) break;
        }
    }
}

}  // namespace
