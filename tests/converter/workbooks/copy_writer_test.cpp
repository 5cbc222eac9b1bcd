// The copy writer: copies of xlwt, LibreOffice and hand-built workbooks with
// text cells put in, read back by our reader and by xlrd.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/test_support.h"
#include "workbook_builder.h"
#include "workbooks/biff_stream.h"
#include "workbooks/output_workbook.h"
#include "workbooks/xls_copy.h"
#include "xlrd_reader.h"

using namespace workbooks;
using namespace testbook;
using testing_support::sj;
using testing_support::TempDir;

namespace {

std::string workbook(const std::string& name) {
    return testing_support::fixturePath("workbooks/" + name);
}
bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// Every record of one sheet of a written file, in stream order.
std::vector<std::pair<std::uint16_t, std::string>> sheetRecords(const std::string& path, int sheet,
                                                                std::uint64_t* start = nullptr) {
    BiffStream book;
    std::vector<std::pair<std::uint16_t, std::string>> out;
    if (book.Open(path) != 0) return out;
    const std::uint32_t offset = book.sheets()[static_cast<std::size_t>(sheet)].offset;
    if (start) *start = offset;
    book.Seek(offset);
    std::uint16_t type, length;
    while (book.ReadRecord(type, length) == 0) {
        out.emplace_back(type, std::string(reinterpret_cast<const char*>(book.record()), length));
        if (type == 0x000A) break;
    }
    return out;
}

std::string cellText(const std::string& path, const std::string& sheet, std::uint32_t row,
                     std::uint32_t column) {
    BiffStream book;
    if (book.Open(path) != 0 || book.SelectSheet(sheet) < 0) return "?";
    CellValue cell;
    while (book.NextCell(cell, 32768) == 0)
        if (cell.row == row && cell.column == column)
            return cell.isText ? cell.text : "#" + std::to_string(cell.number);
    return "";
}

TEST(CopyWriter, XlwtCopyKeepsEverythingButTheWrittenColumn) {
    TempDir dir;
    const std::string source = workbook("xlwt_book.xls");
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, source), 0);
    EXPECT_EQ(XlsCopyOpen(dir.file("second.xls"), source), -1);  // one at a time
    EXPECT_EQ(XlsSelectSheet(3), -4);
    ASSERT_EQ(XlsSelectSheet(0), 0);
    EXPECT_EQ(XlsPutText(256, 0, "x"), -32);
    EXPECT_EQ(XlsPutText(0, 65536, "x"), -32);
    EXPECT_EQ(XlsPutText(5, 1, "100-0013"), 0);             // right of the row: appended
    EXPECT_EQ(XlsPutText(5, 2, sj("５３０-０００１")), 0);  // stored as UTF-16
    EXPECT_EQ(XlsPutText(5, 6, "replaced"), 0);             // over a text cell
    EXPECT_EQ(XlsPutText(3, 4, "over number"), 0);          // over a bold, top-aligned number
    EXPECT_EQ(XlsSave(), 0);
    EXPECT_EQ(XlsSave(), -3);

    EXPECT_EQ(xlrdCompare(source, out, "--skip 0:5 --cell 0:4:3"), "");
    EXPECT_EQ(cellText(out, sj("住所録"), 1, 5), "100-0013");
    EXPECT_EQ(cellText(out, sj("住所録"), 2, 5), sj("５３０-０００１"));
    EXPECT_EQ(cellText(out, sj("住所録"), 6, 5), "replaced");
    EXPECT_EQ(cellText(out, sj("住所録"), 4, 3), "over number");
    EXPECT_EQ(cellText(out, sj("住所録"), 5, 3), "");  // the formula, without a result, stays
    const std::string dump = xlrdDump(out);
    EXPECT_NE(dump.find("0\t4\t3\t1\tover number"), std::string::npos) << dump;
    // The replaced number's format stays, but for the vertical alignment.
    std::string format;
    testing_support::runCommand("/usr/bin/python3 " + xlrdScript() + " format '" + out + "' 0 4 3",
                                &format);
    EXPECT_EQ(format, "bold=1 valign=2 left=1\n");
    // The formula's cell keeps its format.
    std::string before;
    testing_support::runCommand(
        "/usr/bin/python3 " + xlrdScript() + " format '" + source + "' 0 5 3", &before);
    testing_support::runCommand("/usr/bin/python3 " + xlrdScript() + " format '" + out + "' 0 5 3",
                                &format);
    EXPECT_EQ(format, before);
}

TEST(CopyWriter, TextIntoARunOfNumbersSplitsIt) {
    TempDir dir;
    const std::string source = workbook("soffice_book.xls");
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, source), 0);
    ASSERT_EQ(XlsPutText(3, 1, "mid"), 0);    // inside 10..50 (columns 1-5)
    ASSERT_EQ(XlsPutText(1, 3, "left"), 0);   // first cell of 100..400
    ASSERT_EQ(XlsPutText(4, 3, "right"), 0);  // last cell of the rest
    ASSERT_EQ(XlsSave(), 0);
    const std::string dump = xlrdDump(out);
    for (const char* line : {"0\t1\t1\t2\t10.0", "0\t1\t2\t2\t20.0", "0\t1\t3\t1\tmid",
                             "0\t1\t4\t2\t40.0", "0\t1\t5\t2\t50.0", "0\t3\t1\t1\tleft",
                             "0\t3\t2\t2\t200.0", "0\t3\t3\t2\t300.0", "0\t3\t4\t1\tright"})
        EXPECT_NE(dump.find(line), std::string::npos) << line << "\n" << dump;
    // Only the written cells changed.
    EXPECT_EQ(xlrdCompare(source, out, "--skip 0:1 --skip 0:3 --skip 0:4"), "");
}

TEST(CopyWriter, Biff5CopyChartSheetsHiddenSheetsAndLongNames) {
    TempDir dir;
    Sheet data{sj("住所"), false, 0x0001,  // hidden
               dimensions(false, 0, 2, 0, 3) + label5(0, 0, sj("東京都")) +
                   mulrk(1, 0, {rkInt(1), rkInt(2), rkInt(3)}) + number(1, 4, 2.5)};
    Sheet chart{"Chart1", false, 0x0200, record(0x1001, u16(1))};
    const std::string source = dir.file("b5.xls");
    ASSERT_TRUE(writeCompound(
        source, {{"Book", workbookStream(false, {data, chart}, basicFormats(false))}}));
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, source), 0);
    ASSERT_EQ(XlsPutText(1, 1, sj("大阪")), 0);
    ASSERT_EQ(XlsSave(), 0);
    BiffStream copy;
    ASSERT_EQ(copy.Open(out), 0);
    EXPECT_FALSE(copy.isBiff8());
    ASSERT_EQ(copy.sheetCount(), 2);
    EXPECT_EQ(copy.sheets()[0].options, 0x0001);  // still hidden
    EXPECT_EQ(copy.sheets()[1].name, "Chart1");
    EXPECT_FALSE(copy.sheets()[1].isWorksheet());  // still a chart
    copy.Close();
    EXPECT_EQ(cellText(out, sj("住所"), 1, 1), sj("大阪"));
    EXPECT_EQ(cellText(out, sj("住所"), 1, 2), "#3.000000");
    const std::string dump = xlrdDump(out);
    // BIFF5 (xlrd calls Excel 95 files "70"), not BIFF8.
    EXPECT_TRUE(dump.rfind("biff 50", 0) == 0 || dump.rfind("biff 70", 0) == 0) << dump;
    EXPECT_NE(dump.find("0\t0\t0\t1\t東京都"), std::string::npos) << dump;
    EXPECT_NE(dump.find("0\t1\t1\t1\t大阪"), std::string::npos) << dump;

    // BIFF8: a name of 17 double-byte characters (34 bytes in Shift-JIS) is kept in full.
    std::string wide;
    for (int i = 0; i < 17; ++i) wide += u16(0x4E00);  // 一
    Sheet first{"First", false, 0, ""};
    Sheet longName{wide, true, 0, ""};
    const std::string source8 = dir.file("b8.xls");
    ASSERT_TRUE(writeCompound(
        source8, {{"Workbook", workbookStream(true, {first, longName}, basicFormats(true))}}));
    ASSERT_EQ(XlsCopyOpen(dir.file("out8.xls"), source8), 0);
    ASSERT_EQ(XlsSave(), 0);
    BiffStream copy8;
    ASSERT_EQ(copy8.Open(dir.file("out8.xls")), 0);
    std::string longSjis;
    for (int i = 0; i < 17; ++i) longSjis += sj("一");
    EXPECT_EQ(copy8.sheets()[1].name, longSjis);
}

TEST(CopyWriter, StringStorageAndTheRecordLimit) {
    TempDir dir;
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, workbook("xlwt_book.xls")), 0);
    ASSERT_EQ(XlsSelectSheet(2), 0);
    const std::string longText(9000, 'a');
    std::string longWide;
    for (int i = 0; i < 3000; ++i) longWide += sj("郵");
    ASSERT_EQ(XlsPutText(0, 0, "ascii"), 0);
    ASSERT_EQ(XlsPutText(0, 1, sj("かな")), 0);
    ASSERT_EQ(XlsPutText(0, 2, longText), 0);
    ASSERT_EQ(XlsPutText(0, 3, longWide), 0);
    ASSERT_EQ(XlsSave(), 0);
    EXPECT_EQ(cellText(out, "Empty", 2, 0), longText);
    EXPECT_EQ(cellText(out, "Empty", 3, 0), longWide);
    const std::string dump = xlrdDump(out);
    EXPECT_NE(dump.find("2\t2\t0\t1\t" + longText), std::string::npos);

    // The raw records: the new strings follow the copied ones, ASCII stored one
    // byte a character, the rest as UTF-16; every continuation starts with the
    // option byte.
    BiffStream raw;
    ASSERT_EQ(raw.Open(out, false), 0);
    const auto& records = raw.strings().records();
    ASSERT_GE(records.size(), 3u);
    std::string all;
    for (const std::string& r : records) all += r;
    EXPECT_NE(all.find(u16(5) + std::string(1, '\0') + "ascii"), std::string::npos);
    EXPECT_NE(all.find(u16(2) + std::string(1, '\1') + u16(0x304B) + u16(0x306A)),
              std::string::npos);
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_LE(records[i].size(), 8224u);
        if (records[i - 1].size() == 8224 && records[i].front() != '\0' &&
            records[i].front() != '\1')
            ADD_FAILURE() << "continuation " << i << " has no option byte";
    }
}

TEST(CopyWriter, RowBlocksOfThirtyTwoWithTheirIndex) {
    TempDir dir;
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, workbook("xlwt_book.xls")), 0);
    ASSERT_EQ(XlsSelectSheet(2), 0);
    for (int row = 0; row < 33; ++row) ASSERT_EQ(XlsPutText(1, row, std::to_string(row)), 0);
    ASSERT_EQ(XlsSave(), 0);
    std::uint64_t start = 0;
    const auto records = sheetRecords(out, 2, &start);
    ASSERT_FALSE(records.empty());
    std::vector<std::uint64_t> dbcells;
    std::vector<std::uint32_t> slots;
    std::uint64_t pos = start;
    int rowsInFirstBlock = 0;
    for (const auto& [type, data] : records) {
        if (type == 0x00D7) dbcells.push_back(pos);
        if (type == 0x0208 && dbcells.empty()) ++rowsInFirstBlock;
        if (type == 0x020B) {
            for (std::size_t i = 16; i + 4 <= data.size(); i += 4)
                slots.push_back(get32(reinterpret_cast<const std::uint8_t*>(data.data()) + i));
        }
        pos += 4 + data.size();
    }
    EXPECT_EQ(rowsInFirstBlock, 32);
    ASSERT_EQ(dbcells.size(), 2u);
    EXPECT_EQ(slots, (std::vector<std::uint32_t>{static_cast<std::uint32_t>(dbcells[0]),
                                                 static_cast<std::uint32_t>(dbcells[1])}));
    const std::string dump = xlrdDump(out);
    EXPECT_NE(dump.find("2\t32\t1\t1\t32"), std::string::npos) << dump;
}

TEST(CopyWriter, DiscardAndFailuresLeaveNoFile) {
    TempDir dir;
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, workbook("xlwt_book.xls")), 0);
    ASSERT_EQ(XlsPutText(5, 1, "x"), 0);
    EXPECT_EQ(XlsDiscard(), 0);
    EXPECT_EQ(XlsDiscard(), -3);
    EXPECT_EQ(XlsPutText(0, 0, "x"), -3);
    EXPECT_FALSE(exists(out));
    // An existing file is untouched by a discarded copy.
    testing_support::writeFile(out, "before");
    ASSERT_EQ(XlsCopyOpen(out, workbook("xlwt_book.xls")), 0);
    EXPECT_EQ(XlsDiscard(), 0);
    EXPECT_EQ(testing_support::readFile(out), "before");

    EXPECT_EQ(XlsCopyOpen(dir.file("o.xls"), dir.file("missing.xls")), -5001);
    EXPECT_EQ(XlsCopyOpen(dir.file("no/such/dir/o.xls"), workbook("xlwt_book.xls")), -1);
    // A sheet cut short by a damaged record cannot be copied completely.
    Sheet bad{"S", false, 0, rk(0, 0, rkInt(1)) + u16(0x0203) + u16(9000) + std::string(64, 'x')};
    ASSERT_TRUE(writeCompound(dir.file("bad.xls"), {{"Workbook", workbookStream(true, {bad})}}));
    EXPECT_EQ(XlsCopyOpen(dir.file("o.xls"), dir.file("bad.xls")), -5001);
    EXPECT_FALSE(exists(dir.file("o.xls")));
    EXPECT_EQ(::rmdir(dir.path().c_str()) == 0, false);  // still holds out.xls and the sources
}

TEST(WorkbookLibrary, FreshWorkbooksInBothVersions) {
    TempDir dir;
    for (bool biff8 : {false, true}) {
        const std::string path = dir.file(biff8 ? "fresh8.xls" : "fresh5.xls");
        const int slot = WorkbookCreate(path, 2, biff8);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(WorkbookSetSheetName(slot, 0, sj("住所")), 0);
        EXPECT_EQ(WorkbookSetSheetName(slot, 2, "x"), -4);
        EXPECT_EQ(WorkbookSetSheetName(slot, 1, ""), -31);
        EXPECT_EQ(WorkbookSetSheetName(slot, 1, std::string(33, 'n')), -31);
        EXPECT_EQ(WorkbookSetSheetName(32, 0, "x"), -2);
        EXPECT_EQ(WorkbookSetSheetName(slot + 1, 0, "x"), -3);
        EXPECT_EQ(WorkbookSave(slot), 0);
        EXPECT_EQ(WorkbookSave(slot), -3);
        const std::string dump = xlrdDump(path);
        EXPECT_NE(dump.find("sheet 0 住所"), std::string::npos) << dump;
        EXPECT_NE(dump.find("sheet 1 Sheet2"), std::string::npos) << dump;
    }
    const int slot = WorkbookCreate(dir.file("closed.xls"), 0, true);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(WorkbookClose(slot), 0);
    EXPECT_FALSE(exists(dir.file("closed.xls")));
}

}  // namespace
