// A small dictionary for the code-to-address searches, the drill-down
// search and the address splitting, built once per test program.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "src/zip_engine.h"
#include "support/test_support.h"

namespace search_test {

inline std::string searchSource() {
    using testing_support::kenAllRow;
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
    row("01101", "060  ", "0600808", "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｷﾀ8ｼﾞｮｳﾆｼ", "北海道",
        "札幌市中央区", "北八条西");
    row("01101", "064  ", "0640941", "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ", "ｱｻﾋｶﾞｵｶ", "北海道", "札幌市中央区",
        "旭ケ丘");
    row("01102", "001  ", "0010000", "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼｷﾀｸ", genericReading, "北海道", "札幌市北区",
        generic);
    row("01102", "060  ", "0600808", "ﾎｯｶｲﾄﾞｳ", "ｻｯﾎﾟﾛｼｷﾀｸ", "ｷﾀ8ｼﾞｮｳﾆｼ", "北海道", "札幌市北区",
        "北八条西");
    row("13101", "100  ", "1000000", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", genericReading, "東京都", "千代田区",
        generic);
    row("13101", "100  ", "1000013", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐｶﾞｾｷ", "東京都", "千代田区", "霞が関");
    row("13101", "10001", "1000014", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾅｶﾞﾀﾁｮｳ", "東京都", "千代田区", "永田町");
    row("13101", "100  ", "1000005", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾏﾙﾉｳﾁ(ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ)", "東京都", "千代田区",
        "丸の内（次のビルを除く）");
    row("13101", "100  ", "1000015", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾅｶﾞﾀﾁｮｳﾆ", "東京都", "千代田区",
        "永田町二");
    row("13101", "100  ", "1000015", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾅｶﾞﾀﾁｮｳｻﾝ", "東京都", "千代田区",
        "永田町三");
    row("13103", "105  ", "1050000", "ﾄｳｷｮｳﾄ", "ﾐﾅﾄｸ", genericReading, "東京都", "港区", generic);
    row("13103", "105  ", "1050011", "ﾄｳｷｮｳﾄ", "ﾐﾅﾄｸ", "ｼﾊﾞｺｳｴﾝ", "東京都", "港区", "芝公園");
    row("13381", "10011", "1001100", "ﾄｳｷｮｳﾄ", "ﾐﾔｹｼﾞﾏﾐﾔｹﾑﾗ", "ﾐﾔｹﾑﾗﾉﾂｷﾞﾆﾊﾞﾝﾁｶﾞｸﾙﾊﾞｱｲ", "東京都",
        "三宅島三宅村", "三宅村の次に番地がくる場合");
    row("14101", "230  ", "2300000", "ｶﾅｶﾞﾜｹﾝ", "ﾖｺﾊﾏｼﾂﾙﾐｸ", genericReading, "神奈川県",
        "横浜市鶴見区", generic);
    row("14101", "230  ", "2300051", "ｶﾅｶﾞﾜｹﾝ", "ﾖｺﾊﾏｼﾂﾙﾐｸ", "ﾂﾙﾐﾁｭｳｵｳ", "神奈川県", "横浜市鶴見区",
        "鶴見中央");
    return csv;
}

// Builds the dictionary once per test suite; each test opens a fresh engine over it.
class SearchDictionary : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testing_support::TempDir;
        ASSERT_EQ(testing_support::buildDictionary(*dir_, searchSource()), 0);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(engine_.open()); }

    static inline testing_support::TempDir* dir_ = nullptr;
    keszip::ZipEngine engine_{dir_->path()};
};

}  // namespace search_test
