// The end-of-run message gives the records read, converted and failed with
// the time the run took.
#include <gtest/gtest.h>

#include "gui/progress_dialog.h"
#include "gui_harness.h"

using namespace gui_testing;
using testing_support::sj;
using testing_support::writeFile;

namespace {

// Seven records, of which the first, fourth and seventh fail.
converter::ConversionJob csvJob(Program& program) {
    std::string source;
    for (int i = 0; i < 7; ++i)
        source += sj(i % 3 == 0 ? "架空県,架空町\r\n" : "東京都,千代田区丸の内１丁目\r\n");
    writeFile(program.dir.file("in.csv"), source);
    converter::ConversionJob job;
    job.sourceName = program.dir.file("in.csv");
    job.destinationName = program.dir.file("out.csv");
    job.pieceStart = {1, 2, 0, 0};
    job.layoutMode = 1;
    return job;
}

// Five rows below a title row, of which two fail; the counter of an Excel
// run shows row numbers.
converter::ConversionJob excelJob(Program& program) {
    converter::ConversionJob job;
    job.sourceName = testing_support::fixturePath("workbooks/xlwt_book.xls");
    job.destinationName = program.dir.file("out.xls");
    job.sheetName = sj("住所録");
    job.pieceStart = {4, 2, 0, 0};
    job.insertPosition = 6;
    return job;
}

}  // namespace

// The counts are the run's own (those the command line prints): a partial
// run counts only the records of its range, not the records or rows passed
// to reach it.
TEST(RunCounts, EndOfRunMessageCountsReadConvertedAndFailedRecords) {
    KESZIP_REQUIRE_REAL_DATA();
    struct Case {
        converter::SourceKind kind;
        bool partial;
        std::uint32_t first, last;
        const char* counts;
    } const cases[] = {
        {converter::SourceKind::Csv, false, 0, 0, "読込件数 7 件　変換件数 4 件　エラー件数 3 件"},
        {converter::SourceKind::Csv, true, 3, 5, "読込件数 3 件　変換件数 2 件　エラー件数 1 件"},
        {converter::SourceKind::Excel, false, 0, 0,
         "読込件数 5 件　変換件数 3 件　エラー件数 2 件"},
        {converter::SourceKind::Excel, true, 2, 3, "読込件数 2 件　変換件数 2 件　エラー件数 0 件"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.counts);
        Program program;
        converter::ConversionJob job =
            c.kind == converter::SourceKind::Csv ? csvJob(program) : excelJob(program);
        job.cnvKbn = 2;
        job.partial = c.partial ? 1 : 0;
        job.firstRecord = c.first;
        job.lastRecord = c.last;
        gui::ProgressDialog run(c.kind, job, program.context, program.window.get());
        ASSERT_EQ(run.runModal(), 0);
        ASSERT_EQ(program.dialogs.messages.size(), 1u);
        const QString text = program.dialogs.messages[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("変換が終了しました。\n変換時間は ")))
            << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("\n") + QString::fromUtf8(c.counts)))
            << text.toStdString();
    }
}
