// zelko7-screens: renders every page and dialog of the desktop program to
// PNG files (offscreen): the main window on each tab, the run dialog during
// a run, the range and version dialogs, the splash window and a numbered
// message box. Usage: zelko7-screens OUTPUT-FOLDER
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <cstdio>

#include "conversion/conversion_job.h"
#include "conversion/messages.h"
#include "gui/about_box.h"
#include "gui/digit_counter.h"
#include "gui/font_setup.h"
#include "gui/main_window.h"
#include "gui/page_tab_control.h"
#include "gui/progress_dialog.h"
#include "gui/range_dialog.h"
#include "gui/sjis_qt.h"
#include "gui/splash_window.h"
#include "gui/user_dialogs.h"
#include "search_screens.h"

namespace {

QString g_out;

void save(QWidget* widget, const QString& name) {
    widget->show();
    QCoreApplication::processEvents();
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelko7-screens OUTPUT-FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);
    gui::prepareDesktop();
    gui::UnattendedDialogs quiet;
    gui::setUserDialogs(&quiet);

    {
        gui::SplashWindow splash;
        save(&splash, QStringLiteral("splash"));
    }

    QTemporaryDir work;
    converter::KesZipEngine engine;
    engine.open();
    gui::ProgramContext context{engine,
                                converter::SettingsStore(work.filePath("zelko7.ini").toStdString()),
                                work.path().toStdString() + "/",
                                {},
                                {}};
    gui::MainWindow window(context);
    static const char* const kNames[] = {"1-search", "2-excel", "3-access", "4-text",
                                         "5-sdf",    "6-csv",   "7-options"};
    for (int i = 0; i < window.tabs()->pageCount(); ++i) {
        window.tabs()->setCurrentIndex(i);
        save(&window, QStringLiteral("main-%1").arg(QString::fromLatin1(kNames[i])));
    }
    saveSearchScreens(window, save);

    {
        gui::AboutBox about(&window);
        save(&about, QStringLiteral("about"));
    }
    {
        converter::ConversionJob job;
        gui::RangeDialog range(job, &window);
        save(&range, QStringLiteral("range"));
    }
    {
        QMessageBox box(QMessageBox::Warning, gui::fromSjis(converter::messageCaption(401)),
                        gui::fromSjis(converter::messageText(401)), QMessageBox::Ok, &window);
        save(&box, QStringLiteral("message-401"));
    }
    {
        // A run over a small CSV file, captured halfway.
        const QString source = work.filePath("source.csv");
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        const std::string line = gui::toSjis(QStringLiteral("東京都千代田区丸の内１丁目,1\r\n"));
        for (int i = 0; i < 4000; ++i) file.write(line.data(), static_cast<qint64>(line.size()));
        file.close();
        converter::ConversionJob job;
        job.sourceName = source.toStdString();
        job.destinationName = work.filePath("out.csv").toStdString();
        job.pieceStart = {1, 0, 0, 0};
        job.layoutMode = 1;
        job.cnvKbn = 2;
        gui::ProgressDialog run(converter::SourceKind::Csv, job, context, &window);
        int records = 0;
        QObject::connect(&run, &gui::ProgressDialog::pumped, [&] {
            if (++records == 2500) {
                run.showErrorCount(3);
                run.counter()->Update(gui::DigitCounter::kFinal);
                save(&run, QStringLiteral("run"));
            }
        });
        run.runModal();
    }
    std::printf("%s\n", qPrintable(QDir(g_out).absolutePath()));
    return 0;
}
