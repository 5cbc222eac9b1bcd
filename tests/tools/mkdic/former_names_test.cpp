// Former names: the builder takes them from an earlier edition and from a
// table of municipal changes, and the lookup finds an address written with
// them, flagged as found by a former name.
#include "former_names.h"

#include <gtest/gtest.h>

#include "build_error.h"
#include "dictionary_build.h"
#include "ken_all_source.h"
#include "src/lookup.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

using testing_support::kenAllRow;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::u8;
using testing_support::writeFile;

namespace {

// Today's towns: a county town, a city that was a county town, and a city's
// wards after a reorganisation.
std::string todayCsv() {
    return kenAllRow("02442", "039  ", "0391500", "ｱｵﾓﾘｹﾝ", "ｻﾝﾉﾍｸﾞﾝｺﾞﾉﾍﾏﾁ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                     "青森県", "三戸郡五戸町", "以下に掲載がない場合") +
           kenAllRow("02442", "039  ", "0391513", "ｱｵﾓﾘｹﾝ", "ｻﾝﾉﾍｸﾞﾝｺﾞﾉﾍﾏﾁ", "ﾐﾄﾞﾘｶﾞｵｶ", "青森県",
                     "三戸郡五戸町", "緑ケ丘") +
           kenAllRow("02442", "039  ", "0391514", "ｱｵﾓﾘｹﾝ", "ｻﾝﾉﾍｸﾞﾝｺﾞﾉﾍﾏﾁ", "ｷﾀｶﾞﾜﾗ", "青森県",
                     "三戸郡五戸町", "北川原") +
           kenAllRow("04216", "981  ", "9813300", "ﾐﾔｷﾞｹﾝ", "ﾄﾐﾔｼ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "宮城県",
                     "富谷市", "以下に掲載がない場合") +
           kenAllRow("04216", "981  ", "9813311", "ﾐﾔｷﾞｹﾝ", "ﾄﾐﾔｼ", "ﾄﾐﾔ", "宮城県", "富谷市",
                     "富谷") +
           kenAllRow("22138", "430  ", "4300000", "ｼｽﾞｵｶｹﾝ", "ﾊﾏﾏﾂｼﾁｭｳｵｳｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                     "静岡県", "浜松市中央区", "以下に掲載がない場合") +
           kenAllRow("22138", "430  ", "4300946", "ｼｽﾞｵｶｹﾝ", "ﾊﾏﾏﾂｼﾁｭｳｵｳｸ", "ﾓﾄｼﾛﾁｮｳ", "静岡県",
                     "浜松市中央区", "元城町") +
           kenAllRow("22138", "433  ", "4338105", "ｼｽﾞｵｶｹﾝ", "ﾊﾏﾏﾂｼﾁｭｳｵｳｸ", "ﾐｶﾀﾊﾗﾁｮｳ", "静岡県",
                     "浜松市中央区", "三方原町") +
           kenAllRow("22139", "434  ", "4340000", "ｼｽﾞｵｶｹﾝ", "ﾊﾏﾏﾂｼﾊﾏﾅｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                     "静岡県", "浜松市浜名区", "以下に掲載がない場合") +
           kenAllRow("21206", "508  ", "5080502", "ｷﾞﾌｹﾝ", "ﾅｶﾂｶﾞﾜｼ", "ﾏｺﾞﾒ", "岐阜県", "中津川市",
                     "馬籠") +
           kenAllRow("22139", "431  ", "4311304", "ｼｽﾞｵｶｹﾝ", "ﾊﾏﾏﾂｼﾊﾏﾅｸ", "ﾎｿｴﾁｮｳﾅｶｶﾞﾜ", "静岡県",
                     "浜松市浜名区", "細江町中川");
}

// An earlier edition: 緑ケ丘 was 桜木, 富谷市 was 黒川郡富谷町.
std::string earlierCsv() {
    return kenAllRow("02442", "039  ", "0391500", "ｱｵﾓﾘｹﾝ", "ｻﾝﾉﾍｸﾞﾝｺﾞﾉﾍﾏﾁ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                     "青森県", "三戸郡五戸町", "以下に掲載がない場合") +
           kenAllRow("02442", "039  ", "0391513", "ｱｵﾓﾘｹﾝ", "ｻﾝﾉﾍｸﾞﾝｺﾞﾉﾍﾏﾁ", "ｻｸﾗｷﾞ", "青森県",
                     "三戸郡五戸町", "桜木") +
           kenAllRow("02442", "039  ", "0391514", "ｱｵﾓﾘｹﾝ", "ｻﾝﾉﾍｸﾞﾝｺﾞﾉﾍﾏﾁ", "ｷﾀｶﾞﾜﾗ", "青森県",
                     "三戸郡五戸町", "北川原") +
           kenAllRow("04423", "981  ", "9813311", "ﾐﾔｷﾞｹﾝ", "ｸﾛｶﾜｸﾞﾝﾄﾐﾔﾏﾁ", "ﾄﾐﾔ", "宮城県",
                     "黒川郡富谷町", "富谷");
}

const char* const kTable =
    "# prefecture,before,after,date\n"
    "静岡県,浜松市中区,浜松市中央区,2024-01-01\n"
    "静岡県,浜松市北区,浜松市浜名区,2024-01-01\n"
    "静岡県,浜松市北区,浜松市中央区,2024-01-01\n"
    "宮城県,黒川郡富谷町,富谷市,2016-10-10\n"
    "宮城県,宮城郡旧村,黒川郡富谷町,1990-04-01\n"
    "宮城県,消えた村,どこにもない市,2000-01-01\n"
    "長野県,木曽郡山口村,岐阜県中津川市,2005-02-13\n"
    "静岡県,浜松市東区,浜松市中央区（旧東区域）,2024-01-01\n";

std::vector<std::string> texts(const std::vector<mkdic::FormerName>& names) {
    std::vector<std::string> out;
    for (const auto& n : names) {
        out.push_back(std::to_string(n.kind) + " " + std::to_string(n.localCode) + " " +
                      u8(n.former) + ">" + u8(n.now));
    }
    return out;
}

}  // namespace

TEST(FormerNames, FromAnEarlierEditionAndTheTableOfChanges) {
    const auto today = mkdic::parseKenAllSource(todayCsv(), "KEN_ALL.CSV").towns;
    const auto earlier = mkdic::parseKenAllSource(earlierCsv(), "KEN_ALL.CSV").towns;
    // 北川原 is still a town's name: no entry; the county town that became a
    // city is a municipality entry.
    EXPECT_EQ(texts(mkdic::formerNamesOfEdition(earlier, today)),
              (std::vector<std::string>{"1 0 黒川郡富谷町>富谷市", "2 2442 桜木>緑ケ丘"}));

    const mkdic::MunicipalChanges changes =
        mkdic::municipalChangeNames(kTable, today, "changes.csv");
    EXPECT_EQ(changes.rows, 8u);
    EXPECT_EQ(changes.dropped, 1u);  // どこにもない市 is not in the data
    EXPECT_EQ(texts(changes.names),
              (std::vector<std::string>{
                  "1 0 宮城郡旧村>富谷市", "1 0 宮城郡旧村>富谷市旧村", "1 0 宮城郡富谷市>富谷市",
                  "1 0 旧村>富谷市", "1 0 旧村>富谷市旧村", "1 0 黒川郡富谷市>富谷市",
                  "1 0 黒川郡富谷町>富谷市", "1 0 黒川郡富谷町>富谷市富谷町", "1 0 富谷町>富谷市",
                  "1 0 富谷町>富谷市富谷町", "1 0 山口村>岐阜県中津川市",
                  "1 0 山口村>岐阜県中津川市山口村", "1 0 木曽郡山口村>岐阜県中津川市",
                  "1 0 木曽郡山口村>岐阜県中津川市山口村", "1 0 浜松市中区>浜松市中央区",
                  "1 0 浜松市東区>浜松市中央区", "1 0 浜松市北区>浜松市中央区",
                  "1 0 浜松市北区>浜松市浜名区"}));

    const auto errorOf = [&](const std::string& table) {
        try {
            mkdic::municipalChangeNames(table, today, "changes.csv");
        } catch (const mkdic::BuildError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(errorOf("# comment\n静岡県,浜松市中区\n"),
              "changes.csv line 2: expected 4 columns, found 2");
    EXPECT_EQ(errorOf("火星県,甲,乙,2000-01-01\n"),
              "changes.csv line 1: no prefecture is named 火星県");
}

// Addresses written with former names reach today's towns, flagged; an
// address written with today's names is found as before, unflagged.
TEST(FormerNames, LookupFindsAddressesWrittenWithThem) {
    TempDir dir;
    writeFile(dir.file("KEN_ALL.CSV"), todayCsv());
    writeFile(dir.file("earlier.csv"), earlierCsv());
    writeFile(dir.file("changes.csv"), kTable);
    mkdic::BuildOptions options;
    options.kenAllPath = dir.file("KEN_ALL.CSV");
    options.outDir = dir.file("with");
    options.formerEditions = {dir.file("earlier.csv")};
    options.municipalChangesPath = dir.file("changes.csv");
    mkdic::buildDictionaryFiles(options);
    keszip::ZipEngine engine(dir.file("with"));
    ASSERT_TRUE(engine.open()) << engine.lastError();

    struct Case {
        const char* address;
        const char* code7;
        bool former;
    } cases[] = {
        {"青森県三戸郡五戸町桜木1", "0391513", true},
        {"青森県三戸郡五戸町大字桜木1", "0391513", true},
        {"青森県三戸郡五戸町緑ケ丘1", "0391513", false},
        {"青森県三戸郡五戸町北川原1", "0391514", false},
        {"宮城県黒川郡富谷町富谷1", "9813311", true},
        {"宮城県　富谷町富谷1", "9813311", true},
        {"黒川郡富谷市富谷1", "9813311", true},
        {"宮城県富谷市富谷1", "9813311", false},
        {"静岡県浜松市中区元城町103-2", "4300946", true},
        // A ward that went to two: the one where the town is, else the first one's generic code.
        {"静岡県浜松市北区細江町中川1", "4311304", true},
        {"静岡県浜松市北区三方原町1", "4338105", true},
        {"静岡県浜松市北区どこか1", "4300000", true},
        {"静岡県浜松市中央区元城町1", "4300946", false},
        {"静岡県浜松市東区元城町1", "4300946", true},
        {"長野県木曽郡山口村馬籠1", "5080502", true},   // now in another prefecture
        {"東京都浜松市中区元城町1", "ERR-003", false},  // another prefecture's name before it
    };
    for (const Case& c : cases) {
        char code7[16] = {};
        const int flags = keszip::lookupAddress(engine, sj(c.address), {code7, nullptr, nullptr});
        EXPECT_EQ(std::string(code7), c.code7) << c.address;
        EXPECT_EQ((flags & keszip::kFlagFormerName) != 0, c.former) << c.address << " " << flags;
    }

    // Without former names the dictionary holds none and nothing is rewritten.
    options.outDir = dir.file("without");
    options.formerEditions.clear();
    options.municipalChangesPath.clear();
    mkdic::buildDictionaryFiles(options);
    keszip::ZipEngine plain(dir.file("without"));
    ASSERT_TRUE(plain.open());
    EXPECT_TRUE(plain.sharedData()->formerNames.empty());
    char code7[16] = {};
    EXPECT_EQ(
        keszip::lookupAddress(plain, sj("静岡県浜松市中区元城町103-2"), {code7, nullptr, nullptr}),
        0);
}
