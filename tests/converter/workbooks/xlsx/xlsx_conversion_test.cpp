// zelko7 convert excel on .xlsx workbooks over the real dictionary beside the
// program; every copy is read back with openpyxl.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"
#include "xlsx_copy_check.h"

using testing_support::binPath;
using testing_support::fixturePath;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::TempDir;
using testing_support::u8;

namespace {

int zelko7(const std::string& arguments, std::string& output) {
    return runCommand("cd /tmp && " + binPath("zelko7") + " " + arguments + " 2>&1", &output);
}

}  // namespace

TEST(XlsxConversion, PiecesInAddressOrderNumbersAndFailures) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    const std::string source = fixturePath("xlsx/openpyxl_book.xlsx");
    // The kind is judged by content: a package named .xls is still a package.
    std::filesystem::copy_file(source, dir.file("book.xls"));
    std::string output;
    ASSERT_EQ(zelko7("convert excel --source " + dir.file("book.xls") + " --dest " +
                         dir.file("out.xlsx") +
                         " --sheet 住所録 --columns D,B --dest-column F --mode 7 --hyphen "
                         "--error-file " +
                         dir.file("errors.txt") + " --no-max-errors --yes",
                     output),
              0)
        << output;
    // Row 1 is a heading (an error), row 3 joins D with B's 1234.6 read as
    // 1235 (a lot number the town list does not know: the generic code of
    // the area), row 4 holds formulas only and row 6 no address column: neither
    // gives a result nor an error. Row 7 is not a place; row 8 has a
    // character without a Shift-JIS form.
    EXPECT_EQ(checkCopy(source, dir.file("out.xlsx"), "住所録", "F"),
              "1\t郵便番号\n2\t100-0013\n3\t060-0000\n5\t530-0001\n");
    const std::string errors = u8(readFile(dir.file("errors.txt")));
    EXPECT_NE(errors.find("ﾚｺｰﾄﾞNo：[1],住所文字列：[都道府県市区町村番地]"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("ﾚｺｰﾄﾞNo：[7],住所文字列：[架空県架空市本町1]"), std::string::npos);
    EXPECT_NE(errors.find("ﾚｺｰﾄﾞNo：[8],住所文字列：[東京都千代田区?田1]\r\n  "
                          "住所にShift-JISで表せない文字があります"),
              std::string::npos)
        << errors;
    EXPECT_EQ(errors.find("[4]"), std::string::npos);
}

TEST(XlsxConversion, RowsPastTheBinaryLimitAndColumnsPastIV) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    const std::string source = fixturePath("xlsx/far_rows.xlsx");
    std::string output;
    ASSERT_EQ(zelko7("convert excel --source " + source + " --dest " + dir.file("out.xlsx") +
                         " --sheet Far --columns A --dest-column AAA --mode 7 --no-hyphen "
                         "--no-error-file --no-max-errors --yes",
                     output),
              0)
        << output;
    EXPECT_EQ(checkCopy(source, dir.file("out.xlsx"), "Far", "AAA"),
              "2\t1000013\n65536\t5300001\n65537\t9000021\n1048576\t0600001\n");
    // A partial range by sheet rows.
    ASSERT_EQ(zelko7("convert excel --source " + source + " --dest " + dir.file("part.xlsx") +
                         " --sheet Far --columns A --dest-column B --mode 7 --no-hyphen "
                         "--range 65537-1048575 --no-error-file --no-max-errors --yes",
                     output),
              0)
        << output;
    EXPECT_EQ(checkCopy(source, dir.file("part.xlsx"), "Far", "B"), "65537\t9000021\n");
    // Binary workbooks stop at IV.
    EXPECT_EQ(
        zelko7("convert excel --source " + fixturePath("workbooks/xlwt_book.xls") + " --dest " +
                   dir.file("x.xls") + " --sheet Numbers --columns A --dest-column IW --yes",
               output),
        10);
}

TEST(XlsxConversion, EarlyEndsLeaveNoOutput) {
    TempDir dir;
    const std::string source = fixturePath("xlsx/openpyxl_book.xlsx");
    std::string output;
    // A sheet name in another letter case: end code 1, no file.
    EXPECT_EQ(zelko7("convert excel --source " + source + " --dest " + dir.file("a.xlsx") +
                         " --sheet other --columns A --dest-column B --yes --no-error-file",
                     output),
              1)
        << output;
    // A chart sheet has no rows: nothing to convert, the copy is still made.
    testing_support::writeFile(dir.file("damaged.xlsx"), "PK\3\4 not really");
    EXPECT_EQ(zelko7("convert excel --source " + dir.file("damaged.xlsx") + " --dest " +
                         dir.file("b.xlsx") +
                         " --sheet S --columns A --dest-column B --yes --no-error-file",
                     output),
              1)
        << output;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);  // damaged.xlsx alone
}

// A destination column of formulas: a converted row of a filled-down formula
// leaves it to the rows not converted; a row whose destination cell belongs
// to an array formula is reported and the array stays whole. In both kinds.
TEST(XlsxConversion, FormulaColumnsAsDestinations) {
    KESZIP_REQUIRE_REAL_DATA();
    const char* refused =
        "  変換先のセルが配列数式またはデータテーブルの範囲にあるため、書き込めませんでした。";
    const struct {
        const char* book;
        const char* column;
        const char* range;
        int refusedRows;  // reported rows, from 3 on
    } cases[] = {
        {"xlsx/formula_blocks.xlsx", "F", "3-3", 0},
        {"xlsx/formula_blocks.xlsx", "I", "3-4", 2},
        {"workbooks/formula_blocks.xls", "F", "3-3", 0},
        {"workbooks/formula_blocks.xls", "I", "4-4", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.book) + " " + c.column);
        TempDir dir;
        const std::string source = fixturePath(c.book);
        const std::string out = dir.file(c.book[0] == 'x' ? "out.xlsx" : "out.xls");
        std::string output;
        ASSERT_EQ(zelko7("convert excel --source " + source + " --dest " + out +
                             " --sheet 住所録 --columns B,C,D --dest-column " + c.column +
                             " --mode 7 --hyphen --range " + c.range + " --error-file " +
                             dir.file("errors.txt") + " --no-max-errors --yes",
                         output),
                  0)
            << output;
        const std::string errors = u8(readFile(dir.file("errors.txt")));
        std::size_t count = 0;
        for (std::size_t at = errors.find(refused); at != std::string::npos;
             at = errors.find(refused, at + 1))
            ++count;
        EXPECT_EQ(count, static_cast<std::size_t>(c.refusedRows)) << errors;
        if (c.book[0] != 'x') continue;
        EXPECT_EQ(checkCopy(source, out, "住所録", c.column),
                  c.refusedRows == 0
                      ? "2\t郵便番号\n3\t100-0013\n4\t=E4*2\n5\t=E5*2\n6\t=E6*2\n7\t=E7*2\n"
                      : "2\t三倍\n3\t=E3:E7*3\n");
    }
}
