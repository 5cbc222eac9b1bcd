// The .xlsx reader and copy writer over workbooks written by openpyxl, by
// LibreOffice and by hand; every copy is read back with openpyxl.
#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "conversion/excel_run.h"
#include "support/test_support.h"
#include "workbooks/xlsx/xlsx_calc_parts.h"
#include "workbooks/xlsx/xlsx_copy.h"
#include "workbooks/xlsx/xlsx_reader.h"
#include "xlsx_copy_check.h"

using namespace workbooks;
using testing_support::fixturePath;
using testing_support::runCommand;
using testing_support::TempDir;

namespace {

std::string xlsx(const std::string& name) { return fixturePath("xlsx/" + name); }

std::vector<XlsxCell> cellsOf(XlsxReader& reader, const std::string& sheet) {
    std::vector<XlsxCell> cells;
    EXPECT_GE(reader.selectSheet(sheet), 0) << sheet;
    XlsxCell cell;
    int result;
    while ((result = reader.nextCell(cell)) == 1) cells.push_back(cell);
    EXPECT_EQ(result, 0);
    return cells;
}

const XlsxCell* at(const std::vector<XlsxCell>& cells, std::uint32_t column, std::uint32_t row) {
    for (const auto& cell : cells)
        if (cell.column == column && cell.row == row) return &cell;
    return nullptr;
}

}  // namespace

TEST(XlsxReader, SheetListCellsAndKinds) {
    XlsxReader reader;
    ASSERT_TRUE(reader.open(xlsx("openpyxl_book.xlsx")));
    ASSERT_EQ(reader.sheets().size(), 4u);
    EXPECT_EQ(reader.sheets()[0].name, "住所録");
    EXPECT_TRUE(reader.sheetHasCells(0));
    EXPECT_TRUE(reader.sheetHasCells(1));
    EXPECT_FALSE(reader.sheetHasCells(2));  // an empty sheet
    EXPECT_EQ(reader.sheets()[3].name, "グラフ");
    EXPECT_FALSE(reader.sheets()[3].worksheet);
    EXPECT_FALSE(reader.sheetHasCells(3));
    EXPECT_EQ(reader.selectSheet("住所録 "), -1);
    EXPECT_EQ(reader.selectSheet("other"), -1);  // letter case counts

    auto cells = cellsOf(reader, "住所録");
    ASSERT_NE(at(cells, 1, 1), nullptr);
    EXPECT_EQ(at(cells, 1, 1)->text, "霞が関1-2-3");
    ASSERT_NE(at(cells, 1, 2), nullptr);
    EXPECT_EQ(at(cells, 1, 2)->kind, XlsxCellKind::Number);
    EXPECT_DOUBLE_EQ(at(cells, 1, 2)->number, 1234.6);
    EXPECT_EQ(at(cells, 4, 2), nullptr);  // boolean
    EXPECT_EQ(at(cells, 1, 3), nullptr);  // formula
    EXPECT_EQ(at(cells, 3, 3), nullptr);  // formula giving a text
    EXPECT_EQ(at(cells, 5, 4)->number, 12345);
    // Row order, and within a row column order.
    for (std::size_t i = 1; i < cells.size(); ++i)
        EXPECT_LT(cells[i - 1].row * 100000ull + cells[i - 1].column,
                  cells[i].row * 100000ull + cells[i].column);
}

TEST(XlsxReader, SharedStringsInlineRunsAndPhoneticText) {
    XlsxReader reader;
    ASSERT_TRUE(reader.open(xlsx("libreoffice_book.xlsx")));
    ASSERT_EQ(reader.sheets().size(), 1u);
    auto cells = cellsOf(reader, reader.sheets()[0].name);
    ASSERT_NE(at(cells, 0, 1), nullptr);
    EXPECT_EQ(at(cells, 0, 1)->text, "東京都千代田区");
    EXPECT_EQ(at(cells, 2, 2)->text, "旧値");

    ASSERT_TRUE(reader.open(xlsx("inline_book.xlsx")));
    cells = cellsOf(reader, "Inline");
    // Rich runs joined, the phonetic reading left out; a cell without a
    // reference follows the one before it; a row without one follows its row.
    EXPECT_EQ(at(cells, 1, 0)->text, "霞が関1-2-3");
    EXPECT_EQ(at(cells, 0, 2)->text, "大阪府");
    EXPECT_EQ(at(cells, 1, 2)->text, "大阪府");
    EXPECT_EQ(at(cells, 2, 2), nullptr);  // boolean
    EXPECT_EQ(at(cells, 3, 2), nullptr);  // error
    ASSERT_NE(at(cells, 4, 2), nullptr);  // a formula string: its result
    EXPECT_EQ(at(cells, 4, 2)->text, "x");
    EXPECT_DOUBLE_EQ(at(cells, 5, 2)->number, 7.5);
    EXPECT_EQ(at(cells, 1, 4)->number, 42);
    EXPECT_EQ(cells.size(), 7u);

    ASSERT_TRUE(reader.open(xlsx("bad_index.xlsx")));
    cells = cellsOf(reader, "Inline");
    EXPECT_EQ(at(cells, 1, 4), nullptr);  // a shared-string index past the table
    EXPECT_EQ(cells.size(), 6u);
}

TEST(XlsxReader, RefusesWhatIsNotAWorkbook) {
    TempDir dir;
    XlsxReader reader;
    testing_support::writeFile(dir.file("text.xlsx"), "not a zip");
    EXPECT_FALSE(reader.open(dir.file("text.xlsx")));
    EXPECT_FALSE(reader.open(dir.file("missing.xlsx")));
    EXPECT_FALSE(reader.open(dir.path()));
    EXPECT_FALSE(converter::isZipPackage(dir.file("text.xlsx")));
    EXPECT_TRUE(converter::isZipPackage(xlsx("inline_book.xlsx")));
}

TEST(XlsxCopy, ResultsIntoAColumnWithEverythingElseKept) {
    TempDir dir;
    std::string copyPath = dir.file("copy.xlsx");
    XlsxCopy copy;
    ASSERT_EQ(copy.open(copyPath, xlsx("openpyxl_book.xlsx")), kXlsxOk);
    ASSERT_EQ(copy.selectSheet(0), kXlsxOk);
    EXPECT_EQ(copy.putText(5, 1, "1000013"), kXlsxOk);   // a new cell at the row's end
    EXPECT_EQ(copy.putText(5, 2, "060-0001"), kXlsxOk);  // replaces a styled text
    EXPECT_EQ(copy.putText(5, 4, "530-0001"), kXlsxOk);  // replaces a styled number
    EXPECT_EQ(copy.putText(5, 6, "1000013"), kXlsxOk);   // hidden under a merged range
    EXPECT_EQ(copy.putText(5, 11, "100  "), kXlsxOk);    // a row that did not exist
    EXPECT_EQ(copy.putText(16384, 0, "x"), kXlsxBadCell);
    ASSERT_EQ(copy.save(), kXlsxOk);
    EXPECT_FALSE(copy.isOpen());
    EXPECT_EQ(checkCopy(xlsx("openpyxl_book.xlsx"), copyPath, "住所録", "F"),
              "1\t郵便番号\n2\t1000013\n3\t060-0001\n5\t530-0001\n12\t100  \n");
    // A cell before an existing cell of its row; the later text wins. Checked
    // as column F, the new cell in column C shows as the one difference.
    ASSERT_EQ(copy.open(copyPath, xlsx("openpyxl_book.xlsx")), kXlsxOk);
    EXPECT_EQ(copy.putText(2, 9, "x"), kXlsxOk);
    EXPECT_EQ(copy.putText(2, 9, "y"), kXlsxOk);
    ASSERT_EQ(copy.save(), kXlsxOk);
    EXPECT_EQ(checkCopy(xlsx("openpyxl_book.xlsx"), copyPath, "住所録", "C"),
              "1\t電話\n2\t03-0000-0000\n10\ty\n");
    std::string output;
    EXPECT_NE(runCommand("/usr/bin/python3 '" KESZIP_SOURCE_DIR
                         "/tests/converter/workbooks/xlsx/check_copy.py' '" +
                             xlsx("openpyxl_book.xlsx") + "' '" + copyPath + "' 住所録 F 2>&1",
                         &output),
              0);
    EXPECT_NE(output.find("C10"), std::string::npos) << output;
}

// A replaced master of a shared formula leaves the formula to the cells that
// used it (F3:F7 one column, G3:H4 a block); a cell of an array formula is
// refused and the array stays.
TEST(XlsxCopy, SharedFormulasOutliveTheirMastersAndArraysStayWhole) {
    const struct {
        std::vector<std::uint32_t> rows;  // 0-based rows written
        std::uint32_t column;
        const char* letter;
        const char* expected;  // the destination column as openpyxl reads it
    } cases[] = {
        {{2}, 5, "F", "2\t郵便番号\n3\tx\n4\t=E4*2\n5\t=E5*2\n6\t=E6*2\n7\t=E7*2\n"},
        {{2, 4}, 5, "F", "2\t郵便番号\n3\tx\n4\t=E4*2\n5\tx\n6\t=E6*2\n7\t=E7*2\n"},
        {{3}, 5, "F", "2\t郵便番号\n3\t=E3*2\n4\tx\n5\t=E5*2\n6\t=E6*2\n7\t=E7*2\n"},
        // H3 and H4 (the block's other column) are checked against the source.
        {{2},
         6,
         "G",
         "2\t税込\n3\tx\n4\t=E4*1.1+$E$3\n5\t=E5*1.1+$E$3\n6\t=E6*1.1+$E$3\n7\t=E7*1.1+$E$3\n"},
    };
    TempDir dir;
    const std::string source = xlsx("formula_blocks.xlsx");
    const std::string copyPath = dir.file("copy.xlsx");
    for (const auto& c : cases) {
        XlsxCopy copy;
        ASSERT_EQ(copy.open(copyPath, source), kXlsxOk);
        ASSERT_EQ(copy.selectSheet(0), kXlsxOk);
        for (std::uint32_t row : c.rows) EXPECT_EQ(copy.putText(c.column, row, "x"), kXlsxOk);
        ASSERT_EQ(copy.save(), kXlsxOk);
        EXPECT_EQ(checkCopy(source, copyPath, "住所録", c.letter), c.expected) << c.letter;
    }
    XlsxCopy copy;
    ASSERT_EQ(copy.open(copyPath, source), kXlsxOk);
    ASSERT_EQ(copy.selectSheet(0), kXlsxOk);
    EXPECT_EQ(copy.putText(8, 2, "x"), kXlsxCellInFormulaBlock) << "the array's first cell";
    EXPECT_EQ(copy.putText(8, 6, "x"), kXlsxCellInFormulaBlock) << "its last";
    EXPECT_EQ(copy.putText(9, 6, "x"), kXlsxOk) << "beside it";
    ASSERT_EQ(copy.save(), kXlsxOk);
    EXPECT_EQ(checkCopy(source, copyPath, "住所録", "J"), "7\tx\n");
}

TEST(XlsxCopy, SharedStringsAndPrefixedSheets) {
    TempDir dir;
    for (const char* name : {"libreoffice_book.xlsx", "inline_book.xlsx"}) {
        XlsxCopy copy;
        std::string copyPath = dir.file(std::string("copy-") + name);
        ASSERT_EQ(copy.open(copyPath, xlsx(name)), kXlsxOk);
        ASSERT_EQ(copy.putText(2, 1, "1000013"), kXlsxOk);
        ASSERT_EQ(copy.putText(2, 3, "0600001"), kXlsxOk);
        ASSERT_EQ(copy.save(), kXlsxOk);
        XlsxReader reader;
        ASSERT_TRUE(reader.open(copyPath));
        std::string sheet = reader.sheets()[0].name;
        EXPECT_EQ(checkCopy(xlsx(name), copyPath, sheet, "C"),
                  std::string(name) == "inline_book.xlsx"
                      ? "2\t1000013\n3\tTrue\n4\t0600001\n"
                      : "1\t結果\n2\t1000013\n3\t旧値\n4\t0600001\n");
    }
}

TEST(XlsxCopy, DiscardAndFailuresLeaveNoFile) {
    TempDir dir;
    XlsxCopy copy;
    testing_support::writeFile(dir.file("bad.xlsx"), "PK\3\4 damaged");
    EXPECT_EQ(copy.open(dir.file("out.xlsx"), dir.file("bad.xlsx")), kXlsxSourceFailed);
    EXPECT_EQ(copy.open(dir.file("no/such/folder.xlsx"), xlsx("inline_book.xlsx")),
              kXlsxCreateFailed);
    ASSERT_EQ(copy.open(dir.file("out.xlsx"), xlsx("inline_book.xlsx")), kXlsxOk);
    EXPECT_EQ(copy.selectSheet(1), kXlsxBadSheet);
    copy.putText(0, 0, "x");
    EXPECT_EQ(copy.discard(), kXlsxOk);
    EXPECT_EQ(copy.discard(), kXlsxNoWorkbook);
    EXPECT_EQ(copy.save(), kXlsxNoWorkbook);
    // An existing destination survives a discarded copy.
    testing_support::writeFile(dir.file("keep.xlsx"), "old");
    ASSERT_EQ(copy.open(dir.file("keep.xlsx"), xlsx("inline_book.xlsx")), kXlsxOk);
    copy.discard();
    EXPECT_EQ(testing_support::readFile(dir.file("keep.xlsx")), "old");
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u);  // bad.xlsx and keep.xlsx: no temporaries left
}

TEST(XlsxCopy, PartThatCannotBeCopiedFailsTheSaveAndKeepsTheDestination) {
    TempDir dir;
    // A sound package but for one part's local header: it opens and its
    // sheet reads, but that part cannot be copied into the new file.
    const std::string package = dir.file("damaged.xlsx");
    std::filesystem::copy_file(xlsx("inline_book.xlsx"), package);
    {
        int error = 0;
        zip_t* archive = zip_open(package.c_str(), 0, &error);
        ASSERT_NE(archive, nullptr);
        const std::string text = "<Properties>" + std::string(3000, 'y') + "</Properties>";
        zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
        ASSERT_GE(zip_file_add(archive, "docProps/extra.xml", source, ZIP_FL_OVERWRITE), 0);
        ASSERT_EQ(zip_close(archive), 0);
    }
    std::string bytes = testing_support::readFile(package);
    // The first copy of the name is in the part's local header, 30 bytes on.
    const std::size_t name = bytes.find("docProps/extra.xml");
    ASSERT_TRUE(name != std::string::npos && name >= 30);
    ASSERT_EQ(bytes.compare(name - 30, 4, std::string("PK\3\4", 4)), 0);
    bytes[name - 3] = '\x41';  // the name's length, far past the file's end
    testing_support::writeFile(package, bytes);

    testing_support::writeFile(dir.file("out.xlsx"), "old");
    XlsxCopy copy;
    ASSERT_EQ(copy.open(dir.file("out.xlsx"), package), kXlsxOk);
    copy.putText(1, 0, "1000001");
    EXPECT_NE(copy.save(), kXlsxOk);
    EXPECT_EQ(testing_support::readFile(dir.file("out.xlsx")), "old");
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u);  // no temporaries left
}

// A copy asks for a full calculation on opening (its converted cells may feed
// formulas) and leaves out the calculation chain, which would list cells
// that no longer hold formulas.
TEST(XlsxCopy, CalculationPartsOfTheCopy) {
    const struct {
        const char* in;
        const char* out;  // null: refused as not well-formed
    } parts[] = {
        {"<workbook><sheets><sheet/></sheets><definedNames><definedName/></definedNames>"
         "<extLst/></workbook>",
         "<workbook><sheets><sheet/></sheets><definedNames><definedName/></definedNames>"
         "<calcPr fullCalcOnLoad=\"1\"/><extLst/></workbook>"},
        {"<x:workbook xmlns:x=\"m\"><x:sheets/></x:workbook>",
         "<x:workbook xmlns:x=\"m\"><x:sheets/><x:calcPr fullCalcOnLoad=\"1\"/></x:workbook>"},
        {"<workbook><sheets/><calcPr calcId='191029' fullCalcOnLoad='0' "
         "note='a&amp;b'/></workbook>",
         "<workbook><sheets/><calcPr calcId=\"191029\" note=\"a&amp;b\" fullCalcOnLoad=\"1\"/>"
         "</workbook>"},
        {"<workbook><sheets/><calcPr fullCalcOnLoad=\"true\"/></workbook>",
         "<workbook><sheets/><calcPr fullCalcOnLoad=\"true\"/></workbook>"},
        {"<workbook><sheets>", nullptr},
        {"<worksheet><sheets/></worksheet>", nullptr},
    };
    for (const auto& c : parts) {
        SCOPED_TRACE(c.in);
        const auto got = workbooks::withFullCalcOnLoad(c.in);
        ASSERT_EQ(got.has_value(), c.out != nullptr);
        if (c.out) {
            EXPECT_EQ(*got, c.out);
        }
    }
    std::vector<std::string> targets;
    EXPECT_EQ(
        workbooks::withoutRelationships(
            "<Relationships>\n<Relationship Id=\"a\" Type=\"t/worksheet\" Target=\"s.xml\"/>"
            "<Relationship Id=\"b\" Type=\"t/calcChain\" Target=\"calcChain.xml\"></Relationship>"
            "\n</Relationships>",
            "calcChain", targets),
        "<Relationships>\n<Relationship Id=\"a\" Type=\"t/worksheet\" Target=\"s.xml\"/>\n"
        "</Relationships>");
    EXPECT_EQ(targets, std::vector<std::string>{"calcChain.xml"});
    EXPECT_EQ(
        workbooks::withoutOverride("<Types><Default/><Override PartName=\"/xl/calcChain.xml\"/>"
                                   "<Override PartName=\"/xl/workbook.xml\"/></Types>",
                                   "/xl/calcChain.xml"),
        "<Types><Default/><Override PartName=\"/xl/workbook.xml\"/></Types>");
}
