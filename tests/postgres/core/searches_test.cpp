// The PostgreSQL extension's searches without a server, so that they run in
// the sanitizer build too: the code-to-address and drill-down loops over a
// small dictionary of their own, with the rows their SQL functions return.
#include "searches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

using testing_support::kenAllRow;

namespace {

class ExtensionSearches : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testing_support::TempDir;
        ASSERT_EQ(testing_support::buildDictionary(
                      *dir_, kenAllRow("13101", "100  ", "1000013", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐｶﾞｾｷ",
                                       "東京都", "千代田区", "霞が関") +
                                 kenAllRow("13101", "100  ", "1000099", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐﾁｮｳ",
                                           "東京都", "千代田区", "霞町")),
                  0);
        handle_ = KesZipCreate(dir_->path().c_str(), nullptr);
    }
    static void TearDownTestSuite() {
        KesZipDestroy(handle_);
        delete dir_;
    }
    void SetUp() override { ASSERT_NE(handle_, nullptr); }

    // Every row as "flags|field|field|...", and the count returned.
    static void collect(void* context, const KesZipPgRow* row) {
        std::string line = std::to_string(row->flags);
        for (const auto& field : row->fields) line += std::string("|") + field;
        static_cast<std::vector<std::string>*>(context)->push_back(line);
    }
    static std::vector<std::string> addresses(const std::string& code) {
        std::vector<std::string> rows;
        const int count = keszip_pg_addresses(handle_, code.data(), code.size(), collect, &rows);
        EXPECT_EQ(count, static_cast<int>(rows.size()));
        return rows;
    }
    static std::vector<std::string> search(const std::string& text, int* count) {
        std::vector<std::string> rows;
        *count = keszip_pg_search(handle_, text.data(), text.size(), collect, &rows);
        return rows;
    }

    static testing_support::TempDir* dir_;
    static KesZipHandle* handle_;
};
testing_support::TempDir* ExtensionSearches::dir_ = nullptr;
KesZipHandle* ExtensionSearches::handle_ = nullptr;

TEST_F(ExtensionSearches, CodesListTheirAddressesAndOtherTextsNone) {
    const std::string kasumigaseki = "1|1000013|10000|東京都|千代田区||霞が関|";
    const struct {
        std::string code;
        std::vector<std::string> rows;
    } cases[] = {
        {"1000013", {kasumigaseki}},
        {"100-0013", {kasumigaseki}},
        {"1000099", {"1|1000099|10000|東京都|千代田区||霞町|"}},
        {"9999999", {}},
        {"", {}},
        {"abc", {}},
        {std::string("1000013\0x", 9), {}},  // a NUL inside the text
        {std::string(100000, '1'), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(addresses(c.code), c.rows) << c.code.size();
    EXPECT_EQ(addresses("100").size(), 2u);
}

TEST_F(ExtensionSearches, PartialAddressesListTheirEntries) {
    const struct {
        std::string text;
        int count;
        std::vector<std::string> rows;
    } cases[] = {
        {"東京都千代田区霞", 2, {"0|東京都||千代田区|霞が関|||", "0|東京都||千代田区|霞町|||"}},
        {"東京都千代田区霞\u2013", 0, {}},  // a dash Shift-JIS lacks reads as a hyphen
        {"ちよだ", 1, {"0|東京都||千代田区||||"}},
        {"😀", 0, {}},  // the placeholder begins no name
        {"", 0, {}},
        {std::string(300000, 'x'), 0, {}},  // longer than any name
        {"\xff\xfe", -1, {}},               // not UTF-8
        {std::string("東京\0都", 7), -1, {}},
    };
    for (const auto& c : cases) {
        int count = 0;
        EXPECT_EQ(search(c.text, &count), c.rows) << c.text.size();
        EXPECT_EQ(count, c.count) << c.text.size();
    }
}

}  // namespace
