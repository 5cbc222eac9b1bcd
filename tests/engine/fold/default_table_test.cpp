// The default KESZIP.TBL against the real data: every pair makes a variant
// spelling of a real name fold like the name itself, and no two towns of a
// municipality fold alike through the table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "default_kanji_table.h"
#include "ken_all.h"
#include "src/fold.h"
#include "src/substitution_table.h"
#include "support/test_support.h"
#include "zip_source.h"

namespace {

using testing_support::u8;

bool isLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

const std::vector<mkdic::KenAllRow>& realRows() {
    static const std::vector<mkdic::KenAllRow> rows = [] {
        const auto source =
            mkdic::readSourceFile(testing_support::dataPath("ken_all.zip"), "KEN_ALL.CSV");
        return mkdic::parseKenAll(source.bytes);
    }();
    return rows;
}

// Municipality and town names of KEN_ALL.CSV, Shift-JIS, each once.
const std::vector<std::string>& realNames() {
    static const std::vector<std::string> names = [] {
        std::set<std::string> unique;
        for (const auto& row : realRows()) {
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
    bool previousIsKana = false;
    for (std::size_t i = 0; i + 1 < name.size();) {
        const bool lead = isLead(name[i]);
        if (lead && !previousIsKana && name.compare(i, kanji.size(), kanji) == 0) return i;
        const auto b = static_cast<unsigned char>(name[i]);
        const auto t = static_cast<unsigned char>(name[i + 1]);
        previousIsKana = lead ? (b == 0x82 && t >= 0x9F) || b == 0x83 : b >= 0xA1 && b <= 0xDF;
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

// Each pair folds a variant and its form alike, where a real name holds
// either of them: the name written with the other folds like the name.
TEST(DefaultKanjiTable, EachPairMatchesARealName) {
    KESZIP_REQUIRE_REAL_DATA();
    const auto& names = realNames();
    ASSERT_GT(names.size(), 10000u);
    const keszip::FoldSettings table = defaultTable();
    const keszip::FoldSettings none;
    for (const auto& pair : table.kanjiSubstitutions) {
        std::string real, variant;
        for (const auto& name : names) {
            for (const auto& [from, to] :
                 {std::pair(pair.value, pair.key), {pair.key, pair.value}}) {
                const std::size_t at = usableOccurrence(name, from);
                if (at == std::string::npos) continue;
                real = variant = name;
                variant.replace(at, from.size(), to);
                break;
            }
            if (!real.empty()) break;
        }
        ASSERT_FALSE(real.empty())
            << "no real name holds " << u8(pair.key) << " or " << u8(pair.value);
        for (int mode : {keszip::kFoldLiteral, keszip::kFoldMatching}) {
            EXPECT_EQ(keszip::foldText(variant, mode, table), keszip::foldText(real, mode, table))
                << u8(real) << " mode " << mode;
        }
        EXPECT_NE(keszip::foldText(variant, 1, none), keszip::foldText(real, 1, none)) << u8(real);
    }
}

// The table folds variants on the dictionary's names too (須惠町 like
// 須恵町), but never makes two towns of one municipality with different
// codes alike that were told apart without it.
TEST(DefaultKanjiTable, NoTwoTownsOfAMunicipalityFoldAlike) {
    KESZIP_REQUIRE_REAL_DATA();
    const keszip::FoldSettings table = defaultTable();
    const keszip::FoldSettings none;
    std::map<std::pair<std::uint32_t, std::string>, const mkdic::KenAllRow*> seen;
    std::size_t changed = 0, clashes = 0;
    for (const auto& row : realRows()) {
        unsigned report = 0;
        const std::string folded = keszip::foldText(row.townName, 1, table, &report);
        if (report & keszip::kReportTablePair) ++changed;
        const auto [it, fresh] = seen.emplace(std::pair(row.localCode, folded), &row);
        const mkdic::KenAllRow& other = *it->second;
        if (fresh || other.code7 == row.code7 ||
            keszip::foldText(other.townName, 1, none) == keszip::foldText(row.townName, 1, none))
            continue;
        ADD_FAILURE() << u8(row.townName) << " folds like " << u8(other.townName);
        if (++clashes > 10) break;
    }
    EXPECT_GT(changed, 0u);  // the table does fold names of the data
}

}  // namespace
