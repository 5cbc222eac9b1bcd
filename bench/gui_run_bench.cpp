// The desktop program's side of the GUI-versus-command-line benchmark: opens
// the engine, fills the CSV page and runs it with "全件変換" through the run
// dialog (offscreen), and prints the seconds taken, engine open included, as
// the command line's run includes it.
// Usage: gui_run_bench SOURCE.csv DESTINATION.csv ERROR-FILE
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "conversion/run_start.h"
#include "gui/ceditn.h"
#include "gui/conversion_page.h"
#include "gui/font_setup.h"
#include "gui/main_window.h"
#include "gui/page_tab_control.h"
#include "gui/user_dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: gui_run_bench SOURCE DESTINATION ERROR-FILE\n");
        return 2;
    }
    gui::prepareDesktop();
    gui::UnattendedDialogs dialogs;
    gui::setUserDialogs(&dialogs);
    QTemporaryDir work;

    QElapsedTimer clock;
    clock.start();
    converter::KesZipEngine engine;
    if (!engine.open()) return 1;
    gui::ProgramContext context{engine,
                                converter::SettingsStore(work.filePath("zelko7.ini").toStdString()),
                                work.path().toStdString() + "/",
                                {},
                                {}};
    gui::MainWindow window(context);
    window.show();
    context.options.szErrName = argv[3];
    context.options.MaxErrFlg = 0;
    auto* page = static_cast<gui::ConversionPage*>(window.pageOfTemplate(106));
    window.tabs()->setCurrentWidget(page);
    page->control<QLineEdit>(1049)->setText(QString::fromLocal8Bit(argv[1]));
    page->control<QLineEdit>(1043)->setText(QString::fromLocal8Bit(argv[2]));
    gui::CEditN::of(page->control<QLineEdit>(1058))->SetData(1);
    const int code = page->startRun(false);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    std::printf("%.3f\n", seconds);
    return code == converter::kRunEnded ? 0 : 1;
}
