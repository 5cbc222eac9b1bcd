// What the user chose stays chosen: names typed on the Excel page survive a
// visit to another page, and the search page's prefecture and the options
// page's list encoding survive the end of the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include "gui/csv_page_ids.h"
#include "gui/excel_page_ids.h"
#include "gui/options_page_ids.h"
#include "gui/tab_page.h"
#include "gui_harness.h"
#include "search/search_page_ids.h"

using namespace gui_testing;
using namespace gui::ids;

namespace {

const int kSearchPage = search_page::kTemplate, kExcelPage = excel_page::kTemplate,
          kOptionsPage = options_page::kTemplate, kCsvPage = csv_page::kTemplate;

QString textOf(Program& program, int templateId, int id) {
    return qobject_cast<QLineEdit*>(program.control(templateId, id))->text();
}

}  // namespace

TEST(KeptChoices, ExcelPageKeepsTypedNamesAcrossPageChanges) {
    Program program;
    program.context.options.SFileName = "settings.xls";
    program.goToPage(kExcelPage);
    program.type(kExcelPage, excel_page::kSourceEdit, QStringLiteral("typed source.xlsx"));
    program.type(kExcelPage, excel_page::kDestinationEdit, QStringLiteral("typed output.xlsx"));
    // To the options page and back (past the CSV page).
    program.goToPage(kOptionsPage);
    program.goToPage(kCsvPage);
    program.goToPage(kExcelPage);
    EXPECT_EQ(textOf(program, kExcelPage, excel_page::kSourceEdit),
              QStringLiteral("typed source.xlsx"));
    EXPECT_EQ(textOf(program, kExcelPage, excel_page::kDestinationEdit),
              QStringLiteral("typed output.xlsx"));
}

TEST(KeptChoices, SearchPrefectureKeptInTheSettingsBetweenRuns) {
    Program first;
    first.goToPage(kSearchPage);
    auto* prefectures =
        qobject_cast<QComboBox*>(first.control(kSearchPage, search_page::kPrefectureList));
    prefectures->setCurrentIndex(13);
    first.type(kSearchPage, search_page::kAddressEdit, QStringLiteral("千代田区霞が関1-2-3"));
    first.click(kSearchPage, search_page::kSearchButton);
    first.dialogs.answers = {true};
    first.window->commandAction(gui::kExitCommand)->trigger();
    ASSERT_TRUE(first.window->exitConfirmed());
    const std::string ini = testing_support::readFile(first.settingsPath());
    EXPECT_NE(ini.find("KenNo=13"), std::string::npos) << ini;

    // The next run of the program starts on the same prefecture.
    converter::KesZipEngine engine;
    gui::ProgramContext context{
        engine, converter::SettingsStore(first.settingsPath()), first.dir.path() + "/", {}, {}};
    gui::MainWindow window(context);
    auto* list = qobject_cast<QComboBox*>(
        window.pageOfTemplate(kSearchPage)->controlById(search_page::kPrefectureList));
    EXPECT_EQ(list->currentIndex(), 13);
}

TEST(KeptChoices, ListEncodingAppliedOnTheOptionsPageAndKeptBetweenRuns) {
    Program first;
    first.goToPage(kOptionsPage);
    auto* encoding =
        qobject_cast<QComboBox*>(first.control(kOptionsPage, options_page::kEncodingList));
    ASSERT_EQ(encoding->count(), 3);
    EXPECT_EQ(encoding->currentIndex(), 0);  // Shift-JIS, as the lists always were
    EXPECT_EQ(encoding->itemText(1), QStringLiteral("UTF-8"));
    // Left with "No": the choice is undone.
    encoding->setCurrentIndex(1);
    first.dialogs.answers = {false};
    first.goToPage(kCsvPage);
    EXPECT_EQ(first.dialogs.questions.size(), 1u);
    EXPECT_EQ(first.context.params.TXTCSVEncoding, 0);
    first.goToPage(kOptionsPage);
    EXPECT_EQ(encoding->currentIndex(), 0);
    // Applied with "OK", then kept in the settings file at the end.
    encoding->setCurrentIndex(2);
    first.dialogs.answers = {true};
    first.click(kOptionsPage, options_page::kOkButton);
    EXPECT_EQ(first.context.params.TXTCSVEncoding, 2);
    first.goToPage(kCsvPage);
    EXPECT_EQ(first.dialogs.questions.size(), 2u);  // nothing changed since "OK"
    first.dialogs.answers = {true};
    first.window->commandAction(gui::kExitCommand)->trigger();
    ASSERT_TRUE(first.window->exitConfirmed());
    const std::string ini = testing_support::readFile(first.settingsPath());
    EXPECT_NE(ini.find("TXTCSVEncoding=2"), std::string::npos) << ini;

    converter::KesZipEngine engine;
    gui::ProgramContext context{
        engine, converter::SettingsStore(first.settingsPath()), first.dir.path() + "/", {}, {}};
    gui::MainWindow window(context);
    auto* list = qobject_cast<QComboBox*>(
        window.pageOfTemplate(kOptionsPage)->controlById(options_page::kEncodingList));
    EXPECT_EQ(list->currentIndex(), 2);
}
