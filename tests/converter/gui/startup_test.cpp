// Start-up, the exit question and the hint lines of the main window.
#include <gtest/gtest.h>
#include <platform/paths.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/about_box.h"
#include "gui/about_box_ids.h"
#include "gui/access_page_ids.h"
#include "gui/csv_page_ids.h"
#include "gui/desktop_program.h"
#include "gui/excel_page_ids.h"
#include "gui/help.h"
#include "gui/options_page_ids.h"
#include "gui/page_tab_control.h"
#include "gui/sdf_page_ids.h"
#include "gui/tab_page.h"
#include "gui/text_page_ids.h"
#include "gui_harness.h"
#include "search/search_page_ids.h"

using namespace gui_testing;
using namespace gui::ids;
using testing_support::readFile;
using testing_support::TempDir;

TEST(StartUp, EngineThatCannotOpenEndsTheProgramWithoutAWindowOrSettings) {
    ensureApplication();
    TempDir dir;
    ScriptedDialogs dialogs;
    EngineThatFailsToOpen engine;
    gui::ProgramContext context{
        engine, converter::SettingsStore(dir.file("zelko7.ini")), dir.path() + "/", {}, {}};
    EXPECT_EQ(gui::startProgram(context), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const Shown& shown = dialogs.messages[0];
    EXPECT_EQ(shown.text,
              QStringLiteral("\n辞書ファイルを使用することができません。\n\nユーザーサポートに"
                             "ご連絡下さい。\n"));
    EXPECT_EQ(shown.caption, QStringLiteral("Zelko7"));
    EXPECT_EQ(shown.owner, nullptr);
    EXPECT_FALSE(platform::fileExists(dir.file("zelko7.ini")));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

TEST(StartUp, MainWindowHasTheSevenPagesInTabOrderWithTheirHints) {
    Program program;
    gui::PageTabControl* tabs = program.window->tabs();
    const int templates[] = {search_page::kTemplate, excel_page::kTemplate, access_page::kTemplate,
                             text_page::kTemplate,   sdf_page::kTemplate,   csv_page::kTemplate,
                             options_page::kTemplate};
    const char* const captions[] = {"郵便番号検索", "Excel変換", "Access変換", "標準ﾃｷｽﾄ変換",
                                    "SDF変換",      "CSV変換",   "ｵﾌﾟｼｮﾝ"};
    const char* const hints[] = {"　ゼルコセブン Version 1.4です。",
                                 "Excelのブック（.xls・.xlsx）の変換が可能です。",
                                 "SQLite・ODBCのデータベースのテーブルの変換が可能です。",
                                 "予め、変換元ファイルのレイアウトを調べて下さい。",
                                 "予め、変換元ファイルのレイアウトを調べて下さい。",
                                 "予め、住所の項目位置を調べて下さい。",
                                 "　ゼルコセブン Version 1.4です。"};
    ASSERT_EQ(tabs->pageCount(), 7);
    EXPECT_EQ(tabs->currentIndex(), 0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(tabs->templateIdOf(i), templates[i]);
        EXPECT_EQ(tabs->tabText(i), QString::fromUtf8(captions[i]));
        program.goToPage(templates[i]);
        EXPECT_EQ(program.window->hint1(), QString::fromUtf8(hints[i])) << i;
    }
    program.goToPage(csv_page::kTemplate);
    EXPECT_EQ(program.window->hint2(), QStringLiteral("各行の先頭に変換データが挿入されます。"));
    EXPECT_EQ(program.window->windowTitle(), QStringLiteral("Zelko7"));
}

TEST(ExitQuestion, NoKeepsRunningAndYesWritesTheSettings) {
    Program program;
    // By the menu: No keeps the window and writes nothing.
    program.dialogs.answers = {false};
    program.window->commandAction(gui::kExitCommand)->trigger();
    ASSERT_EQ(program.dialogs.questions.size(), 1u);
    EXPECT_EQ(program.dialogs.questions[0].text, QStringLiteral("Ｚｅｌｋｏ７を終了しますか？"));
    EXPECT_EQ(program.dialogs.questions[0].caption, QStringLiteral("確認"));
    EXPECT_TRUE(program.window->isVisible());
    EXPECT_FALSE(platform::fileExists(program.settingsPath()));

    // By the close box: the same question; No again keeps running.
    program.dialogs.answers = {false};
    program.window->close();
    EXPECT_EQ(program.dialogs.questions.size(), 2u);
    EXPECT_TRUE(program.window->isVisible());
    EXPECT_FALSE(platform::fileExists(program.settingsPath()));

    // Yes writes every key of both blocks and closes.
    program.context.options.MaxErrCnt = 42;
    program.dialogs.answers = {true};
    program.window->close();
    EXPECT_FALSE(program.window->isVisible());
    EXPECT_TRUE(program.window->exitConfirmed());
    const std::string ini = readFile(program.settingsPath());
    EXPECT_NE(ini.find("MaxErrCnt=42"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[CnvParam]"), std::string::npos);
    EXPECT_NE(ini.find("TXTCSVErrorStr="), std::string::npos);
}

TEST(ExitQuestion, SettingsFileIsReadAtStartAndHyphenModeReachesTheEngine) {
    TempDir dir;
    testing_support::writeFile(dir.file("zelko7.ini"),
                               "[Options]\r\nCnvKbn=1\r\nHyphenMode=5\r\nSFileName=src.txt\r\n");
    ensureApplication();
    ScriptedDialogs dialogs;
    converter::KesZipEngine engine;
    engine.open();
    gui::ProgramContext context{
        engine, converter::SettingsStore(dir.file("zelko7.ini")), dir.path() + "/", {}, {}};
    gui::MainWindow window(context);
    EXPECT_EQ(context.options.CnvKbn, 1);
    EXPECT_EQ(context.options.HyphenMode, 1);
    EXPECT_EQ(engine.hyphenMode(), 1);
    // A file without [CnvParam] gives zeros, not the defaults.
    EXPECT_EQ(context.params.ZipCodeInsertPosition, 0);
    engine.setHyphenMode(0);
}

TEST(StartUp, VersionDialogAndTheManualBesideTheProgram) {
    Program program;
    QString line;
    QTimer::singleShot(0, [&line] {
        auto* about = qobject_cast<gui::AboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 Zelko7"));
        for (QLabel* label : about->findChildren<QLabel*>())
            if (!label->text().isEmpty()) line = label->text();
        QTest::mouseClick(gui::control<QPushButton>(about, about_box::kOkButton), Qt::LeftButton);
    });
    program.window->commandAction(gui::kVersionCommand)->trigger();
    EXPECT_EQ(line, QStringLiteral("ゼルコセブン　Version 1.4.0.8"));
    // The manual the help command opens is installed beside the program.
    const std::string manual = gui::manualPath(testing_support::binPath("")).toStdString();
    EXPECT_TRUE(platform::fileExists(manual)) << manual;
    EXPECT_NE(readFile(manual).find("エラー情報ファイル名が未入力です。"), std::string::npos);
}
