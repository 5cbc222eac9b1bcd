// Copies of workbooks full of what a user keeps in them (formulas on two
// sheets, a merged title, a comment, a hyperlink, validation, a conditional
// format, an autofilter, print titles, names, a hidden sheet, a long Japanese
// sheet name), written by LibreOffice and by xlwt: after a conversion the
// copy differs from its source only in the converted cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "support/test_support.h"
#include "workbook_builder.h"
#include "workbooks/biff_stream.h"
#include "workbooks/xls_copy.h"
#include "xlrd_reader.h"

using namespace workbooks;
using testing_support::sj;
using testing_support::TempDir;

namespace {

using Records = std::vector<std::pair<std::uint16_t, std::string>>;

// The records a copy carries over as they are: the globals (but for the XF
// records, which a conversion may add to) and every sheet's records but its
// cells and those the writer generates, each list in stream order.
std::vector<Records> carriedRecords(const std::string& path) {
    static const std::uint16_t generated[] = {0x0809, 0x000A, 0x0085, 0x00FC, 0x00FF,
                                              0x020B, 0x0200, 0x0208, 0x00D7, 0x00E0};
    static const std::uint16_t cells[] = {0x0006, 0x0201, 0x00BE, 0x00BD, 0x0203, 0x0204, 0x0205,
                                          0x027E, 0x00D6, 0x00FD, 0x0207, 0x0221, 0x0236, 0x04BC};
    std::vector<Records> out;
    BiffStream book;
    if (book.Open(path, false) != 0) return out;
    std::vector<std::uint64_t> starts{0};
    for (const SheetEntry& s : book.sheets()) starts.push_back(s.offset);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        Records list;
        book.Seek(starts[i]);
        std::uint16_t type, length, previous = 0;
        int depth = 0;
        while (book.ReadRecord(type, length) == 0) {
            if (type == 0x0809) ++depth;
            if (type == 0x000A && --depth <= 0) break;
            const bool stringPart = type == 0x003C && (previous == 0x00FC || previous == 0x003C);
            if (type != 0x003C || !stringPart) previous = type;
            if (stringPart ||
                std::find(std::begin(generated), std::end(generated), type) != std::end(generated))
                continue;
            if (i > 0 && std::find(std::begin(cells), std::end(cells), type) != std::end(cells))
                continue;
            list.emplace_back(type,
                              std::string(reinterpret_cast<const char*>(book.record()), length));
        }
        out.push_back(std::move(list));
    }
    return out;
}

std::string cellText(const std::string& path, int sheet, std::uint32_t row, std::uint32_t column) {
    BiffStream book;
    if (book.Open(path) != 0 ||
        book.SelectSheet(book.sheets()[static_cast<std::size_t>(sheet)].name) < 0)
        return "?";
    CellValue cell;
    while (book.NextCell(cell, 32768) == 0)
        if (cell.row == row && cell.column == column)
            return cell.isText ? cell.text : "#" + std::to_string(cell.number);
    return "";
}

// Empty when every shared formula of the first sheet follows the formula of
// its range's first cell and every formula that uses one (or an array
// formula) names a master that exists and whose range holds it; the faults
// otherwise.
std::string sharedFormulaFaults(const std::string& path) {
    BiffStream book;
    if (book.Open(path, false) != 0) return "unreadable";
    book.Seek(book.sheets()[0].offset);
    std::uint16_t type, length;
    struct Range {
        std::uint32_t firstRow, lastRow, firstColumn, lastColumn;
    };
    std::map<std::pair<std::uint32_t, std::uint32_t>, Range> ranges;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> masters, used, cells;
    std::uint32_t lastRow = 0, lastColumn = 0;
    std::uint16_t previous = 0;
    std::string faults;
    while (book.ReadRecord(type, length) == 0 && type != 0x000A) {
        const std::uint8_t* d = book.record();
        if (type == 0x0006 && length >= 27 && get16(d + 20) == 5 && d[22] == 0x01) {
            used.emplace_back(get16(d + 23), get16(d + 25));
            cells.emplace_back(get16(d), get16(d + 2));
        }
        if (type == 0x04BC) {
            if (previous != 0x0006 || get16(d) != lastRow || d[4] != lastColumn)
                faults += "a shared formula away from its first cell\n";
            masters.emplace_back(get16(d), d[4]);
            ranges[masters.back()] = {get16(d), get16(d + 2), d[4], d[5]};
        }
        // An array formula's or data table's cells refer to its first cell too.
        if ((type == 0x0221 || type == 0x0236) && length >= 6)
            ranges[{get16(d), d[4]}] = {get16(d), get16(d + 2), d[4], d[5]};
        if (type == 0x0006) {
            lastRow = get16(d);
            lastColumn = get16(d + 2);
        }
        previous = type;
    }
    for (std::size_t i = 0; i < used.size(); ++i) {
        const auto range = ranges.find(used[i]);
        if (range == ranges.end()) {
            faults += "a formula refers to a master that is gone\n";
            continue;
        }
        const Range& r = range->second;
        const auto [row, column] = cells[i];
        if (row < r.firstRow || row > r.lastRow || column < r.firstColumn || column > r.lastColumn)
            faults += "a formula outside its shared formula's range\n";
    }
    return faults;
}

// The cells of the first sheet that hold formulas, and the number of array
// formula records.
std::set<std::pair<int, int>> formulaCells(const std::string& path, int* arrays = nullptr) {
    std::set<std::pair<int, int>> out;
    BiffStream book;
    if (book.Open(path, false) != 0) return out;
    book.Seek(book.sheets()[0].offset);
    std::uint16_t type, length;
    if (arrays) *arrays = 0;
    while (book.ReadRecord(type, length) == 0 && type != 0x000A) {
        if (type == 0x0006 && length >= 4)
            out.emplace(get16(book.record()), get16(book.record() + 2));
        if (type == 0x0221 && arrays) ++*arrays;
    }
    return out;
}

// A BIFF8 workbook whose sheet holds numbers in A1:A5 and, in B2:D4, a block
// of rows and columns sharing one formula (the cell to the left times 2),
// its master B2: a shared formula no tool writes on request.
std::string sharedBlockBook(TempDir& dir) {
    using namespace testbook;
    std::string cells = dimensions(true, 0, 5, 0, 4);
    for (std::uint16_t r = 0; r < 5; ++r) cells += number(r, 0, r + 1);
    // PtgRefN to the cell on the left (row and column relative), PtgInt 2, PtgMul.
    const std::string formula =
        std::string("\x2C") + u16(0) + u16(0xC0FF) + "\x1E" + u16(2) + "\x05";
    for (std::uint16_t r = 1; r <= 3; ++r)
        for (std::uint16_t c = 1; c <= 3; ++c) {
            cells += record(0x0006, u16(r) + u16(c) + u16(15) + f64(0) + u16(0x0008) + u32(0) +
                                        u16(5) + "\x01" + u16(1) + u16(1));
            if (r == 1 && c == 1)
                cells +=
                    record(0x04BC, u16(1) + u16(3) + "\x01\x03" + std::string(1, '\0') + "\x09" +
                                       u16(static_cast<std::uint32_t>(formula.size())) + formula);
        }
    const std::string path = dir.file("block.xls");
    Sheet sheet{"Block", false, 0, cells};
    if (!writeCompound(path, {{"Workbook", workbookStream(true, {sheet}, basicFormats(true))}}))
        return {};
    return path;
}

// A shared formula outlives the replacement of its master in the cells of
// its range that are not replaced: in LibreOffice's workbook (each filled-down
// column a shared formula) and in a block of rows and columns built here.
TEST(KeptRecords, SharedFormulasOutliveTheirReplacedMasters) {
    TempDir dir;
    const std::string soffice = testing_support::fixturePath("workbooks/formula_blocks.xls");
    const std::string block = sharedBlockBook(dir);
    ASSERT_FALSE(block.empty());
    const struct {
        const std::string& book;
        std::vector<std::pair<int, int>> written;  // (row, column)
        const char* about;
    } cases[] = {
        {soffice, {{2, 5}}, "the master of F3:F7"},
        {soffice, {{2, 5}, {3, 5}, {5, 5}}, "two masters in turn and a cell inside"},
        {soffice, {{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}, "the whole range"},
        {block, {{1, 1}}, "the master of a block"},
        {block, {{1, 1}, {2, 1}}, "a block left with a ragged first column"},
        {block, {{1, 1}, {1, 2}, {1, 3}, {3, 3}}, "a block's first row and a corner"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.about);
        const std::string out = dir.file("out.xls");
        ASSERT_EQ(XlsCopyOpen(out, c.book), 0);
        ASSERT_EQ(XlsSelectSheet(0), 0);
        std::string except = "--kept";
        std::set<std::pair<int, int>> formulas = formulaCells(c.book);
        for (const auto& [row, column] : c.written) {
            ASSERT_EQ(XlsPutText(column, row, sj("100-0013")), 0);
            except += " --cell 0:" + std::to_string(row) + ":" + std::to_string(column);
            formulas.erase({row, column});
        }
        ASSERT_EQ(XlsSave(), 0);
        EXPECT_EQ(sharedFormulaFaults(out), "");
        EXPECT_EQ(formulaCells(out), formulas) << "every other formula stays";
        EXPECT_EQ(testbook::xlrdCompare(c.book, out, except), "");
        testbook::keepPairForInterop(c.book, out, c.written.size(), [&](std::size_t k) {
            return std::to_string(c.written[k].first) + ":" + std::to_string(c.written[k].second);
        });
    }
}

// A cell of an array formula is not replaced: the array would break.
TEST(KeptRecords, ArrayFormulaCellsAreRefused) {
    TempDir dir;
    const std::string source = testing_support::fixturePath("workbooks/formula_blocks.xls");
    const std::string out = dir.file("out.xls");
    ASSERT_EQ(XlsCopyOpen(out, source), 0);
    ASSERT_EQ(XlsSelectSheet(0), 0);
    EXPECT_EQ(XlsPutText(8, 2, "x"), -33) << "the array's first cell";
    EXPECT_EQ(XlsPutText(8, 5, "x"), -33) << "a cell inside it";
    EXPECT_EQ(XlsPutText(9, 5, "x"), 0) << "beside it";
    ASSERT_EQ(XlsSave(), 0);
    int arrays = 0;
    EXPECT_EQ(formulaCells(out, &arrays), formulaCells(source));
    EXPECT_EQ(arrays, 1);
    EXPECT_EQ(testbook::xlrdCompare(source, out, "--kept --cell 0:5:9"), "");
}

struct Written {
    int row, column;
    const char* text;  // UTF-8
};

TEST(KeptRecords, CopiesDifferOnlyInTheConvertedCells) {
    const struct {
        const char* book;
        std::vector<Written> written;
        const char* about;
    } cases[] = {
        {"kept_soffice.xls",
         {{2, 5, "100-0013"}, {3, 5, "530-0001"}, {5, 5, "812-0012"}, {2, 4, "over a formula"}},
         "LibreOffice: into empty cells, over a text and over a formula"},
        {"kept_xlwt.xls",
         {{2, 5, "100-0013"}, {3, 5, "over a formula"}, {4, 5, "０６０-０００１"}},
         "xlwt: into empty cells and over a formula"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.about);
        TempDir dir;
        const std::string source = testing_support::fixturePath(std::string("workbooks/") + c.book);
        const std::string out = dir.file("out.xls");
        ASSERT_EQ(XlsCopyOpen(out, source), 0);
        ASSERT_EQ(XlsSelectSheet(0), 0);
        std::string except = "--kept";
        for (const Written& w : c.written) {
            ASSERT_EQ(XlsPutText(w.column, w.row, sj(w.text)), 0);
            except += " --cell 0:" + std::to_string(w.row) + ":" + std::to_string(w.column);
        }
        ASSERT_EQ(XlsSave(), 0);
        EXPECT_EQ(testbook::xlrdCompare(source, out, except), "");
        for (const Written& w : c.written)
            EXPECT_EQ(cellText(out, 0, static_cast<std::uint32_t>(w.row),
                               static_cast<std::uint32_t>(w.column)),
                      sj(w.text));
        EXPECT_EQ(sharedFormulaFaults(out), "");
        std::vector<Records> before = carriedRecords(source);
        const std::vector<Records> after = carriedRecords(out);
        ASSERT_EQ(before.size(), after.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            ASSERT_EQ(before[i].size(), after[i].size()) << "part " << i;
            for (std::size_t k = 0; k < before[i].size(); ++k) {
                // The recalculation engine's id is zeroed: formulas fed by
                // converted cells are recalculated on opening.
                if (before[i][k].first == 0x01C1) before[i][k].second.replace(4, 4, 4, '\0');
                EXPECT_TRUE(before[i][k] == after[i][k])
                    << "part " << i << " record " << k << " type " << std::hex
                    << before[i][k].first;
            }
        }
        testbook::keepPairForInterop(source, out, c.written.size(), [&](std::size_t k) {
            return std::to_string(c.written[k].row) + ":" + std::to_string(c.written[k].column);
        });
    }
}

// A formula's cached result is its cell's value: text results as text,
// numbers as numbers; a formula without a result is no cell.
TEST(KeptRecords, FormulasReadAsTheirResults) {
    const struct {
        const char* book;
        int sheet;
        std::uint32_t row, column;
        const char* value;  // UTF-8; "#..." a number; "" none
    } cases[] = {
        {"kept_soffice.xls", 0, 2, 4, "東京都千代田区霞が関1-2-3"},
        {"kept_soffice.xls", 0, 2, 7, "#1100.000000"},
        {"kept_soffice.xls", 1, 1, 1, "大阪府大阪市北区梅田3-1-1"},  // from another sheet
        {"kept_xlwt.xls", 0, 2, 4, ""},                              // no result stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.book) + " " + std::to_string(c.row) + ":" +
                     std::to_string(c.column));
        const std::string want = c.value[0] == '#' ? std::string(c.value) : sj(c.value);
        EXPECT_EQ(cellText(testing_support::fixturePath(std::string("workbooks/") + c.book),
                           c.sheet, c.row, c.column),
                  want);
    }
}

}  // namespace
