// The workbook reader over files written by xlwt, LibreOffice and the record
// builder: sheet directory, dimensions, sheet selection and cell values.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "workbook_builder.h"
#include "workbooks/biff_stream.h"

using namespace workbooks;
using namespace testbook;
using testing_support::sj;
using testing_support::TempDir;

namespace {

std::string workbook(const std::string& name) {
    return testing_support::fixturePath("workbooks/" + name);
}

struct Read {
    std::uint32_t row, column;
    bool text;
    double number;
    std::string value;
};

std::vector<Read> readSheet(BiffStream& book, std::size_t capacity = 256) {
    std::vector<Read> cells;
    CellValue cell;
    int r;
    while ((r = book.NextCell(cell, capacity)) == 0)
        cells.push_back({cell.row, cell.column, cell.isText, cell.number, cell.text});
    EXPECT_EQ(r, -1);
    return cells;
}

TEST(BiffReader, XlwtWorkbookDirectoryDimensionsAndCells) {
    BiffStream book;
    ASSERT_EQ(book.Open(workbook("xlwt_book.xls")), 0);
    EXPECT_TRUE(book.isBiff8());
    ASSERT_EQ(book.sheetCount(), 3);
    EXPECT_EQ(book.sheets()[0].name, sj("住所録"));
    EXPECT_EQ(book.sheets()[1].name, "Numbers");
    EXPECT_EQ(book.ScanDimensions(), 0);
    EXPECT_EQ(book.sheets()[0].lastRowPlus1, 7u);
    EXPECT_EQ(book.sheets()[0].lastColumnPlus1, 6u);
    EXPECT_EQ(book.sheets()[2].lastRowPlus1, 0u);  // the empty sheet has no rows

    // Names compare byte for byte, letter case included.
    EXPECT_EQ(book.SelectSheet("numbers"), -1);
    EXPECT_EQ(book.SelectSheet("Numbers"), 1);
    const auto numbers = readSheet(book);
    ASSERT_EQ(numbers.size(), 8u);
    EXPECT_EQ(numbers[5].number, 50);
    EXPECT_EQ(numbers[6].number, -7.25);
    // A 300-byte label read into 256 bytes comes back as its first 255.
    EXPECT_EQ(numbers[7].value, std::string(255, 'x'));

    ASSERT_EQ(book.SelectSheet(sj("住所録")), 0);
    const auto cells = readSheet(book);
    // The formula, the formatted blank and the boolean give nothing.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> places;
    for (const Read& c : cells) places.emplace_back(c.row, c.column);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
        {0, 0}, {0, 1}, {0, 3}, {1, 0}, {1, 1}, {1, 3}, {2, 0}, {2, 1},
        {2, 3}, {3, 0}, {3, 1}, {3, 3}, {4, 2}, {4, 3}, {6, 5}};
    EXPECT_EQ(places, expected);
    EXPECT_TRUE(cells[5].text);
    EXPECT_EQ(cells[5].value, sj("東京都千代田区霞が関"));
    EXPECT_FALSE(cells[3].text);
    EXPECT_EQ(cells[3].number, 1);
    EXPECT_DOUBLE_EQ(cells[12].number, 1234.6);
    EXPECT_EQ(book.Close(), 0);
    EXPECT_EQ(book.Close(), -1);
}

TEST(BiffReader, LibreOfficeRunsOfNumbers) {
    BiffStream book;
    ASSERT_EQ(book.Open(workbook("soffice_book.xls")), 0);
    ASSERT_EQ(book.SelectSheet("soffice_book"), 0);
    const auto cells = readSheet(book);
    std::vector<double> firstRow;
    for (const Read& c : cells)
        if (c.row == 0 && !c.text) firstRow.push_back(c.number);
    EXPECT_EQ(firstRow, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    std::vector<std::string> texts;
    for (const Read& c : cells)
        if (c.text) texts.push_back(c.value);
    EXPECT_EQ(texts, (std::vector<std::string>{sj("見出し"), sj("神奈川県横浜市西区"),
                                               sj("テキスト"), sj("京都府京都市中京区")}));
}

TEST(BiffReader, Biff5RecordsMulRkAndRk) {
    TempDir dir;
    Sheet sheet{sj("住所"), false, 0, ""};
    sheet.cells = dimensions(false, 0, 3, 0, 6) + label5(0, 0, sj("東京都")) +
                  mulrk(1, 2, {rkInt(2), rkInt(3), rkInt(4), rkInt(5)}) +
                  rk(2, 0, (12345u << 2) | 3) + rk(2, 1, rkInt(-8));
    Sheet empty{"Empty", false, 0, dimensions(false, 0, 0, 0, 0)};
    const std::string path = dir.file("b5.xls");
    ASSERT_TRUE(writeCompound(path, {{"Book", workbookStream(false, {sheet, empty})}}));
    BiffStream book;
    ASSERT_EQ(book.Open(path), 0);
    EXPECT_FALSE(book.isBiff8());
    book.ScanDimensions();
    EXPECT_EQ(book.sheets()[0].lastRowPlus1, 3u);
    EXPECT_EQ(book.sheets()[1].lastRowPlus1, 0u);
    ASSERT_EQ(book.SelectSheet(sj("住所")), 0);
    const auto cells = readSheet(book);
    ASSERT_EQ(cells.size(), 7u);
    EXPECT_EQ(cells[0].value, sj("東京都"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cells[1 + i].row, 1u);
        EXPECT_EQ(cells[1 + i].column, 2u + i);
        EXPECT_EQ(cells[1 + i].number, 2 + i);
    }
    EXPECT_DOUBLE_EQ(cells[5].number, 123.45);
    EXPECT_EQ(cells[6].number, -8);
}

TEST(BiffReader, BothStreamsAreReadAsBiff5) {
    TempDir dir;
    Sheet five{"Old", false, 0, label5(0, 0, "five")};
    Sheet eight{"New", false, 0, ""};
    const std::string path = dir.file("both.xls");
    ASSERT_TRUE(writeCompound(path, {{"Workbook", workbookStream(true, {eight})},
                                     {"Book", workbookStream(false, {five})}}));
    BiffStream book;
    ASSERT_EQ(book.Open(path), 0);
    EXPECT_FALSE(book.isBiff8());
    EXPECT_EQ(book.sheets()[0].name, "Old");
}

TEST(BiffReader, SharedStringsAcrossContinueRecords) {
    TempDir dir;
    // String 0 starts compressed and goes on as UTF-16 after the CONTINUE;
    // string 1 is UTF-16 throughout; string 2 is promised but missing.
    std::string sst = u32(3) + u32(3) + u16(6) + std::string(1, '\0') + "abc";
    std::string cont = std::string(1, '\1') + u16(0x6771) + u16(0x4EAC) + u16(0x90FD) +  // 東京都
                       u16(2) + std::string(1, '\1') + u16(0x5927) + u16(0x962A);        // 大阪
    const std::string globals = record(0x00FC, sst) + record(0x003C, cont);
    Sheet sheet{"S", false, 0,
                labelSst(0, 0, 0) + labelSst(0, 1, 1) + labelSst(0, 2, 2) + labelSst(0, 3, 99)};
    const std::string path = dir.file("sst.xls");
    ASSERT_TRUE(writeCompound(path, {{"Workbook", workbookStream(true, {sheet}, globals)}}));
    BiffStream book;
    ASSERT_EQ(book.Open(path), 0);
    ASSERT_EQ(book.SelectSheet("S"), 0);
    const auto cells = readSheet(book);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].value, "abc" + sj("東京都"));
    EXPECT_EQ(cells[1].value, sj("大阪"));
    EXPECT_EQ(cells[2].value, "");
    EXPECT_EQ(cells[3].value, "");
    EXPECT_TRUE(cells[3].text);
    // Cut to the buffer at a character boundary.
    ASSERT_EQ(book.SelectSheet("S"), 0);
    CellValue cell;
    ASSERT_EQ(book.NextCell(cell, 6), 0);
    EXPECT_EQ(cell.text, "abc" + sj("東"));
    ASSERT_EQ(book.SelectSheet("S"), 0);
    ASSERT_EQ(book.NextCell(cell, 5), 0);
    EXPECT_EQ(cell.text, "abc");
}

TEST(BiffReader, OpenFailuresAndDamage) {
    TempDir dir;
    BiffStream book;
    EXPECT_EQ(book.Open(dir.file("missing.xls")), -1);
    testing_support::writeFile(dir.file("text.xls"), "not a compound file at all");
    EXPECT_EQ(book.Open(dir.file("text.xls")), -1);
    ASSERT_TRUE(writeCompound(dir.file("other.xls"), {{"Other", "x"}}));
    EXPECT_EQ(book.Open(dir.file("other.xls")), -2);
    ASSERT_TRUE(writeCompound(dir.file("nosheet.xls"), {{"Workbook", workbookStream(true, {})}}));
    EXPECT_EQ(book.Open(dir.file("nosheet.xls")), -2);
    EXPECT_EQ(book.Close(), -1);  // nothing stays open

    // A record longer than 8224 bytes inside a sheet is a read error.
    Sheet sheet{"S", false, 0,
                rk(0, 0, rkInt(1)) + u16(0x0203) + u16(9000) + std::string(100, 'x')};
    ASSERT_TRUE(writeCompound(dir.file("long.xls"), {{"Workbook", workbookStream(true, {sheet})}}));
    ASSERT_EQ(book.Open(dir.file("long.xls")), 0);
    ASSERT_EQ(book.SelectSheet("S"), 0);
    CellValue cell;
    EXPECT_EQ(book.NextCell(cell, 256), 0);
    EXPECT_EQ(book.NextCell(cell, 256), -2);
}

}  // namespace
