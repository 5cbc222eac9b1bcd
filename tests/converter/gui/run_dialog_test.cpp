// The run dialog: the digit counter's repaint interval and final value, the
// event queue pumped once per record, the error count shown.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "gui/digit_counter.h"
#include "gui/progress_dialog.h"
#include "gui/progress_dialog_ids.h"
#include "gui/template_controls.h"
#include "gui_harness.h"

using namespace gui_testing;
using testing_support::sj;
using testing_support::writeFile;

TEST(DigitCounter, RepaintsAtMostEvery200MillisecondsAndTheFinalValueAtOnce) {
    ensureApplication();
    QWidget dialog;
    auto* placeholder = new QLabel(QStringLiteral("Counter"), &dialog);
    placeholder->setGeometry(48, 9, 171, 30);
    gui::setControlId(placeholder, gui::ids::progress_dialog::kCounter);
    std::uint32_t now = 1000;
    auto* counter = new gui::DigitCounter(placeholder, [&now] { return now; });
    EXPECT_EQ(gui::controlId(counter), gui::ids::progress_dialog::kCounter);
    EXPECT_EQ(gui::controlId(placeholder), -1);
    EXPECT_FALSE(placeholder->isVisibleTo(&dialog));
    const QPixmap glyphs(QStringLiteral(":/zelko7/bitmap132.png"));
    EXPECT_EQ(counter->width(), 6 * (glyphs.width() / 11) + 4);
    EXPECT_EQ(counter->height(), glyphs.height() + 4);

    counter->Update(1);
    EXPECT_EQ(counter->repaintRequests(), 1);
    for (std::uint32_t v = 2; v < 500; ++v) {
        now += 1;
        counter->Update(v);
    }
    // 499 updates over 498 ms: two more requests, at 200 and 400 ms.
    EXPECT_EQ(counter->repaintRequests(), 3);
    EXPECT_LT(counter->shownValue(), 499u);
    EXPECT_EQ(counter->pendingValue(), 499u);
    counter->Update(gui::DigitCounter::kFinal);
    EXPECT_EQ(counter->shownValue(), 499u);
}

TEST(RunDialog, PumpsOncePerRecordAndShowsTheErrorCount) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    std::string source;
    for (int i = 0; i < 6; ++i)
        source += sj(i % 3 == 0 ? "架空県,架空町\r\n" : "東京都,千代田区丸の内１丁目\r\n");
    writeFile(program.dir.file("in.csv"), source);
    converter::ConversionJob job;
    job.sourceName = program.dir.file("in.csv");
    job.destinationName = program.dir.file("out.csv");
    job.pieceStart = {1, 2, 0, 0};
    job.layoutMode = 1;
    job.cnvKbn = 2;
    gui::ProgressDialog run(converter::SourceKind::Csv, job, program.context, program.window.get());
    EXPECT_EQ(run.windowTitle(), QStringLiteral("変換中"));
    EXPECT_EQ(gui::control<QPushButton>(&run, gui::ids::progress_dialog::kStopButton)->text(),
              QStringLiteral("中止"));
    int pumps = 0;
    QStringList errorCounts;
    QObject::connect(&run, &gui::ProgressDialog::pumped, [&] {
        ++pumps;
        errorCounts << run.errorCountText();
    });
    EXPECT_EQ(run.runModal(), 0);
    // Once before each record, and once more before finding the end.
    EXPECT_EQ(pumps, 7);
    EXPECT_EQ(errorCounts.join(u' '), QStringLiteral("0 1 1 1 2 2 2"));
    EXPECT_EQ(run.counter()->shownValue(), 6u);
}
