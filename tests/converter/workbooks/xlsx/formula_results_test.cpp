// A formula cell reads as its cached result: text results as text, numbers
// as numbers; a formula without a result is no cell.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "workbooks/xlsx/xlsx_reader.h"

using namespace workbooks;

TEST(XlsxFormulaResults, ReadAsTheirCachedValues) {
    const struct {
        const char* book;
        int sheet;
        std::uint32_t row, column;
        const char* text;  // nullptr: a number
        double number;
        bool present;
    } cases[] = {
        {"formula_results.xlsx", 0, 2, 4, "東京都千代田区霞が関1-2-3", 0, true},  // =B3&C3&D3
        {"formula_results.xlsx", 0, 2, 7, nullptr, 1100, true},                   // =G3*1.1
        {"formula_results.xlsx", 1, 1, 1, "大阪府大阪市北区梅田3-1-1", 0, true},  // another sheet
        {"openpyxl_book.xlsx", 0, 3, 1, nullptr, 0, false},  // no result stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.book) + " " + std::to_string(c.row) + ":" +
                     std::to_string(c.column));
        XlsxReader reader;
        ASSERT_TRUE(reader.open(testing_support::fixturePath(std::string("xlsx/") + c.book)));
        ASSERT_EQ(reader.selectSheet(reader.sheets()[static_cast<std::size_t>(c.sheet)].name),
                  c.sheet);
        XlsxCell cell;
        bool found = false;
        while (reader.nextCell(cell) > 0) {
            if (cell.row != c.row || cell.column != c.column) continue;
            found = true;
            if (c.text) {
                EXPECT_EQ(cell.kind, XlsxCellKind::Text);
                EXPECT_EQ(cell.text, c.text);
            } else {
                EXPECT_EQ(cell.kind, XlsxCellKind::Number);
                EXPECT_DOUBLE_EQ(cell.number, c.number);
            }
        }
        EXPECT_EQ(found, c.present);
    }
}
