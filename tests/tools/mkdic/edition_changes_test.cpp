// What changed between two editions: each kind of change on a pair of small
// made-up editions.
#include "edition_changes.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

using testing_support::sj;
using testing_support::u8;

namespace {

struct Town {
    std::uint32_t local, code7;
    const char* city;
    const char* town;
};

std::vector<mkdic::KenAllRow> rows(const std::vector<Town>& towns) {
    std::vector<mkdic::KenAllRow> out;
    for (const Town& t : towns) {
        mkdic::KenAllRow r;
        r.localCode = t.local;
        r.code7 = t.code7;
        r.prefectureName = sj("青森県");
        r.cityName = sj(t.city);
        r.townName = sj(t.town);
        out.push_back(r);
    }
    return out;
}

// The towns every case shares, so that each case changes only its own.
const std::vector<Town> kCommon = {{2201, 300000, "青森市", "以下に掲載がない場合"},
                                   {2201, 300801, "青森市", "新町"}};

std::string changesOf(std::vector<Town> before, std::vector<Town> after) {
    before.insert(before.begin(), kCommon.begin(), kCommon.end());
    after.insert(after.begin(), kCommon.begin(), kCommon.end());
    return u8(mkdic::changeLines(mkdic::compareEditions(rows(before), rows(after))));
}

}  // namespace

TEST(EditionChanges, EachKindOfChange) {
    struct Case {
        const char* what;
        std::vector<Town> before, after;
        const char* lines;
    } cases[] = {
        {"nothing", {}, {}, ""},
        {"a town renamed under its code",
         {{2442, 391513, "三戸郡五戸町", "古館"}, {2442, 391513, "三戸郡五戸町", "古館脇"}},
         {{2442, 391513, "三戸郡五戸町", "古舘脇"}, {2442, 391513, "三戸郡五戸町", "古舘"}},
         "town renamed\t0391513\t0391513\t青森県三戸郡五戸町\t古館\t古舘\n"
         "town renamed\t0391513\t0391513\t青森県三戸郡五戸町\t古館脇\t古舘脇\n"},
        {"a town moved to a new code",
         {{2201, 300802, "青森市", "本町"}},
         {{2201, 300899, "青森市", "本町"}},
         "code disappeared\t0300802\t\t青森県青森市\t本町\t\n"
         "code appeared\t\t0300899\t青森県青森市\t\t本町\n"
         "town moved\t0300802\t0300899\t青森県青森市\t本町\t本町\n"},
        {"a town split into towns of the same name",
         {{2201, 300803, "青森市", "浜田"}},
         {{2201, 300804, "青森市", "浜田（１丁目）"}, {2201, 300805, "青森市", "浜田（その他）"}},
         "code disappeared\t0300803\t\t青森県青森市\t浜田\t\n"
         "code appeared\t\t0300804\t青森県青森市\t\t浜田（１丁目）\n"
         "code appeared\t\t0300805\t青森県青森市\t\t浜田（その他）\n"
         "town "
         "split\t0300803\t0300804,0300805\t青森県青森市\t浜田\t浜田（１丁目）,浜田（その他）\n"},
        {"towns merged into one",
         {{2201, 300806, "青森市", "港（東）"}, {2201, 300807, "青森市", "港（西）"}},
         {{2201, 300808, "青森市", "港"}},
         "code disappeared\t0300806\t\t青森県青森市\t港（東）\t\n"
         "code disappeared\t0300807\t\t青森県青森市\t港（西）\t\n"
         "code appeared\t\t0300808\t青森県青森市\t\t港\n"
         "town merged\t0300806,0300807\t0300808\t青森県青森市\t港（東）,港（西）\t港\n"},
        {"a town added and one removed under codes that stay",
         {{2201, 300801, "青森市", "旧町"}},
         {{2201, 300809, "青森市", "若葉"}},
         "code appeared\t\t0300809\t青森県青森市\t\t若葉\n"
         "town removed\t0300801\t\t青森県青森市\t旧町\t\n"
         "town added\t\t0300809\t青森県青森市\t\t若葉\n"},
        {"a municipality renamed under its code",
         {{2303, 390000, "上北郡甲町", "甲"}},
         {{2303, 390000, "上北郡乙町", "甲"}},
         "municipality "
         "renamed\t02303\t02303\t青森県上北郡乙町\t青森県上北郡甲町\t青森県上北郡乙町\n"},
        {"a town that became a city under a new code",
         {{2423, 390100, "上北郡丙町", "丙"}},
         {{2212, 390100, "丙市", "丙"}},
         "municipality renamed\t02423\t02212\t青森県丙市\t青森県上北郡丙町\t青森県丙市\n"},
        {"a municipality merged into another",
         {{2202, 360000, "弘前市", "本町"}, {2361, 361000, "中津軽郡丁村", "丁"}},
         {{2202, 360000, "弘前市", "本町"}, {2202, 361000, "弘前市", "丁"}},
         "municipality merged\t02361\t02202\t青森県弘前市\t青森県中津軽郡丁村\t青森県弘前市\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(changesOf(c.before, c.after), c.lines) << c.what;
    }
}

TEST(EditionChanges, SummaryCountsEveryKind) {
    const auto changes = mkdic::compareEditions(
        rows({{2201, 300801, "青森市", "新町"}}),
        rows({{2201, 300801, "青森市", "新町"}, {2201, 300809, "青森市", "若葉"}}));
    const std::string summary = mkdic::changeSummary(changes);
    EXPECT_NE(summary.find("code appeared\t1\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("town added\t1\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("code disappeared\t0\n"), std::string::npos) << summary;
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'),
              static_cast<long>(std::size(mkdic::kChangeKinds)));
}
