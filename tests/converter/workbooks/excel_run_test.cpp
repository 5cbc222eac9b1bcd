// The Excel run over real workbook files with a scripted engine: pieces in
// address order, numbers as pieces, partial ranges, the error maximum, the
// stop, the end codes and the saved copy as xlrd reads it.
#include "conversion/excel_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "../conversion/scripted.h"
#include "conversion/page_checks.h"
#include "support/test_support.h"
#include "workbook_builder.h"
#include "workbooks/xls_workbook.h"
#include "xlrd_reader.h"

using namespace converter;
using converter_test::ScriptedEngine;
using converter_test::ScriptedHost;
using testing_support::sj;
using testing_support::TempDir;

namespace {

const std::string kBook = testing_support::fixturePath("workbooks/xlwt_book.xls");
bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

struct ExcelCase {
    TempDir dir;
    ConversionJob job;
    ScriptedEngine engine;
    ScriptedHost host;
    workbooks::XlsWorkbookKind kind;
    std::string out = dir.file("out.xls");

    ExcelCase() {
        job.sourceName = kBook;
        job.destinationName = out;
        job.sheetName = sj("住所録");
        job.pieceStart = {4, 2, 0, 0};  // D then B
        job.insertPosition = 6;         // F
        job.cnvKbn = 2;                 // 7-digit codes
        engine.place(sj("東京都千代田区霞が関") + "1-2-3", "1000013");
        engine.place(sj("北海道札幌市中央区北一条西") + "2", "0600001");
    }
    int run() { return ExcelRun(job, kind, engine, host, dir.path()); }
    std::string dump() { return testbook::xlrdDump(out); }
};

bool has(const std::string& dump, const std::string& line) {
    return dump.find(line) != std::string::npos;
}

TEST(ExcelRun, RowsJoinedInAddressOrderAndWrittenIntoTheCopy) {
    ExcelCase c;
    c.job.errorFile = true;
    c.job.errorFileName = c.dir.file("err.txt");
    ASSERT_EQ(c.run(), 0);
    const std::string dump = c.dump();
    EXPECT_TRUE(has(dump, "0\t1\t5\t1\t1000013")) << dump;
    EXPECT_TRUE(has(dump, "0\t3\t5\t1\t0600001")) << dump;
    // Only the rows with an address piece were asked, D's text before B's;
    // the heading row counts as an address; the formula row and the row with
    // cells outside the address columns give nothing.
    const std::vector<std::string> asked = {sj("住所番地"), sj("東京都千代田区霞が関") + "1-2-3",
                                            sj("大阪府大阪市北区梅田3丁目1"),
                                            sj("北海道札幌市中央区北一条西") + "2", "1234"};
    EXPECT_EQ(c.engine.asked, asked);
    EXPECT_EQ(c.host.errorCount, 3);
    EXPECT_EQ(c.host.finalCount, 5u);  // the counter shows the last row converted
    const std::string errors = testing_support::readFile(c.dir.file("err.txt"));
    EXPECT_NE(errors.find(sj("ﾚｺｰﾄﾞNo：[1],住所文字列：[住所番地]")), std::string::npos);
    EXPECT_NE(errors.find(sj("ﾚｺｰﾄﾞNo：[5],住所文字列：[1234]")), std::string::npos);
    // Everything else is as the source had it; failed rows keep their cell.
    EXPECT_EQ(testbook::xlrdCompare(kBook, c.out, "--cell 0:1:5 --cell 0:3:5"), "");
}

TEST(ExcelRun, NumbersAsPiecesAndTheOtherResultKinds) {
    ExcelCase c;
    c.job.pieceStart = {3, 4, 0, 0};  // C = 1234.6, D = 1234.4
    c.job.cnvKbn = 4;                 // local-government code
    c.engine.place("12351234", "1000001", 1, "123  ", "13101");
    ASSERT_EQ(c.run(), 0);
    EXPECT_TRUE(has(c.dump(), "0\t4\t5\t1\t13101"));
    EXPECT_EQ(c.engine.asked.back(), "12351234");
}

TEST(ExcelRun, PartialRangeLeavesOtherRowsAsCopied) {
    ExcelCase c;
    c.job.partial = 1;
    c.job.firstRecord = 3;
    c.job.lastRecord = 4;
    ASSERT_EQ(c.run(), 0);
    EXPECT_EQ(c.engine.asked.size(), 2u);  // sheet rows 3 and 4
    const std::string dump = c.dump();
    EXPECT_FALSE(has(dump, "1000013")) << dump;
    EXPECT_TRUE(has(dump, "0\t3\t5\t1\t0600001")) << dump;
    EXPECT_EQ(testbook::xlrdCompare(kBook, c.out, "--cell 0:3:5"), "");
}

TEST(ExcelRun, ErrorMaximumAndStopSaveTheRowsDone) {
    ExcelCase c;
    c.job.maxErrors = true;
    c.job.maxErrorCount = 2;
    ASSERT_EQ(c.run(), 0);
    EXPECT_EQ(c.host.messages, std::vector<int>{13});
    EXPECT_EQ(c.engine.asked.size(), 3u);  // heading, Tokyo, Osaka (second error)
    const std::string dump = c.dump();
    EXPECT_TRUE(has(dump, "0\t1\t5\t1\t1000013"));
    EXPECT_FALSE(has(dump, "0600001"));

    ExcelCase stopped;
    stopped.host.stopAtPump = 2;  // during the second row, answered Yes
    ASSERT_EQ(stopped.run(), 0);
    EXPECT_EQ(stopped.engine.asked.size(), 2u);
    EXPECT_TRUE(has(stopped.dump(), "0\t1\t5\t1\t1000013"));
    EXPECT_FALSE(has(stopped.dump(), "0600001"));
}

TEST(ExcelRun, EndCodesLeaveNoOutput) {
    {
        ExcelCase c;
        c.job.sheetName = sj("住所録").substr(0, 2) + "x";
        EXPECT_EQ(c.run(), 1);
        ExcelCase lower;
        lower.job.sheetName = "numbers";  // the sheet is "Numbers"
        EXPECT_EQ(lower.run(), 1);
        EXPECT_FALSE(exists(lower.out));
    }
    {
        ExcelCase c;
        c.job.sourceName = c.dir.file("missing.xls");
        EXPECT_EQ(c.run(), 1);
    }
    {
        ExcelCase c;
        c.job.destinationName = c.dir.file("no/such/folder/out.xls");
        EXPECT_EQ(c.run(), 2);
    }
    {
        ExcelCase c;
        c.job.errorFile = true;
        c.job.errorFileName = c.dir.file("no/such/folder/err.txt");
        EXPECT_EQ(c.run(), 3);
        EXPECT_FALSE(exists(c.out));
    }
    {
        ExcelCase c;
        c.engine.opens = false;
        testing_support::writeFile(c.out, "kept");
        EXPECT_EQ(c.run(), 4);
        EXPECT_EQ(testing_support::readFile(c.out), "kept");  // an early end changes nothing
    }
}

TEST(ExcelRun, AFailedSaveIsReported) {
    ExcelCase c;
    c.job.destinationName = "/dev/full";
    EXPECT_EQ(c.run(), 0);
    EXPECT_EQ(c.host.messages, std::vector<int>{6});
}

TEST(ExcelRun, BookSavedForBothVersionsIsConvertedAsBiff5) {
    using namespace testbook;
    ExcelCase c;
    Sheet five{"S", false, 0, label5(0, 0, sj("北海道札幌市中央区北一条西")) + label5(0, 1, "2")};
    Sheet eight{"S", false, 0, ""};
    c.job.sourceName = c.dir.file("both.xls");
    ASSERT_TRUE(writeCompound(c.job.sourceName,
                              {{"Workbook", workbookStream(true, {eight}, basicFormats(true))},
                               {"Book", workbookStream(false, {five}, basicFormats(false))}}));
    c.job.sheetName = "S";
    c.job.pieceStart = {1, 2, 0, 0};
    c.job.insertPosition = 3;
    ASSERT_EQ(c.run(), 0);
    const std::string dump = c.dump();
    EXPECT_TRUE(dump.rfind("biff 50", 0) == 0 || dump.rfind("biff 70", 0) == 0) << dump;
    EXPECT_TRUE(has(dump, "0\t0\t2\t1\t0600001")) << dump;
}

TEST(ExcelPage, ChecksInTheirOrder) {
    OptionsBlock options;
    CnvParamBlock params;
    ConversionJob job;
    PageFields page;
    auto check = [&] { return checkExcelPage(page, job, options, params).message; };
    EXPECT_EQ(check(), 11);
    page.source = "a.xls  ";
    EXPECT_EQ(check(), 206);
    page.destination = "a.xls";
    EXPECT_EQ(check(), 201);
    page.destination = "b.xls";
    page.sheet = "   ";
    EXPECT_EQ(check(), 200);
    page.sheet = "Sheet1";
    EXPECT_EQ(check(), 204);
    page.pieceStart = {4, 0, 0, 0};
    EXPECT_EQ(check(), 205);
    page.insertPosition = 4;
    page.pieceStart = {4, 0, 4, 0};
    EXPECT_EQ(check(), 202);
    page.pieceStart = {4, 2, 0, 0};
    EXPECT_EQ(check(), 203);
    page.insertPosition = 6;
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(options.SFileName, "a.xls");
    EXPECT_EQ(params.ExcelZipCodeColum, 6);
    EXPECT_EQ(job.pieceStart[1], 2);
}

TEST(ExcelPage, ColumnNames) {
    EXPECT_EQ(columnName(0), "");
    EXPECT_EQ(columnName(1), "A");
    EXPECT_EQ(columnName(26), "Z");
    EXPECT_EQ(columnName(27), "AA");
    EXPECT_EQ(columnName(52), "AZ");
    EXPECT_EQ(columnName(53), "BA");
    EXPECT_EQ(columnName(256), "IV");
    EXPECT_EQ(columnNumber("iv"), 256);
    EXPECT_EQ(columnNumber("IW"), 0);
    EXPECT_EQ(columnNumber(""), 0);
    // .xlsx sheets reach column XFD.
    EXPECT_EQ(columnName(257), "");
    EXPECT_EQ(columnName(257, kXlsxColumns), "IW");
    EXPECT_EQ(columnName(703, kXlsxColumns), "AAA");
    EXPECT_EQ(columnName(16384, kXlsxColumns), "XFD");
    EXPECT_EQ(columnNumber("xfd", kXlsxColumns), 16384);
    EXPECT_EQ(columnNumber("XFE", kXlsxColumns), 0);
    EXPECT_EQ(columnNumber("A1", kXlsxColumns), 0);
}

}  // namespace
