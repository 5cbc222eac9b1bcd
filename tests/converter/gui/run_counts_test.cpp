// The end-of-run message gives the records read, converted and failed with
// the time the run took.
#include <gtest/gtest.h>

#include "gui_harness.h"
#include "progress_dialog.h"

using namespace gui_testing;
using testing_support::sj;
using testing_support::writeFile;

TEST(RunCounts, EndOfRunMessageCountsReadConvertedAndFailedRecords) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    std::string source;
    for (int i = 0; i < 7; ++i)
        source += sj(i % 3 == 0 ? "架空県,架空町\r\n" : "東京都,千代田区丸の内１丁目\r\n");
    writeFile(program.dir.file("in.csv"), source);
    converter::ConversionJob job;
    job.sourceName = program.dir.file("in.csv");
    job.destinationName = program.dir.file("out.csv");
    job.pieceStart = {1, 2, 0, 0};
    job.layoutMode = 1;
    job.cnvKbn = 2;
    gui::ProgressDialog run(converter::SourceKind::Csv, job, program.context, program.window.get());
    ASSERT_EQ(run.runModal(), 0);
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    const QString text = program.dialogs.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("変換が終了しました。\n変換時間は ")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n読込件数 7 件　変換件数 4 件　エラー件数 3 件")))
        << text.toStdString();
}
