// The Excel page driven as a user would: the column lists, the sheet list
// filled when it drops down, the checks in their order and a whole run into
// a copy of the workbook.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include "gui/excel_page_ids.h"
#include "gui/tab_page.h"
#include "gui_harness.h"

using namespace gui_testing;
using namespace gui::ids;

namespace {

const int kPage = excel_page::kTemplate;

QComboBox* list(Program& program, int id) {
    return qobject_cast<QComboBox*>(program.control(kPage, id));
}

// Picks entry `index` of a list, as choosing it from the open list does.
void pick(Program& program, int id, int index) {
    QComboBox* box = list(program, id);
    box->setFocus(Qt::MouseFocusReason);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

TEST(ExcelPage, ColumnListsAndTheSheetList) {
    Program program;
    program.goToPage(kPage);
    for (int id : {excel_page::kAddress1List, excel_page::kAddress2List, excel_page::kAddress3List,
                   excel_page::kAddress4List, excel_page::kDestinationColumnList}) {
        QComboBox* box = list(program, id);
        ASSERT_EQ(box->count(), 257);
        EXPECT_EQ(box->itemText(0), QString());
        EXPECT_EQ(box->itemText(1), QStringLiteral("A"));
        EXPECT_EQ(box->itemText(27), QStringLiteral("AA"));
        EXPECT_EQ(box->itemText(256), QStringLiteral("IV"));
    }
    // Without a readable source the list stays empty, without a message.
    QComboBox* sheets = list(program, excel_page::kSheetList);
    QTest::mouseClick(sheets, Qt::LeftButton);
    sheets->hidePopup();
    EXPECT_EQ(sheets->count(), 0);
    EXPECT_TRUE(program.dialogs.messages.empty());
    // The sheets that have rows, in the workbook's order.
    program.type(kPage, excel_page::kSourceEdit,
                 QString::fromStdString(testing_support::fixturePath("workbooks/xlwt_book.xls")));
    QTest::mouseClick(sheets, Qt::LeftButton);
    sheets->hidePopup();
    ASSERT_EQ(sheets->count(), 2);
    EXPECT_EQ(sheets->itemText(0), QStringLiteral("住所録"));
    EXPECT_EQ(sheets->itemText(1), QStringLiteral("Numbers"));
}

TEST(ExcelPage, XlsxSourcesReachColumnXfd) {
    Program program;
    program.goToPage(kPage);
    QComboBox* destination = list(program, excel_page::kDestinationColumnList);
    destination->setCurrentIndex(6);
    // An .xlsx workbook, judged by its content: the lists reach XFD and the
    // choice made stays.
    program.type(kPage, excel_page::kSourceEdit,
                 QString::fromStdString(testing_support::fixturePath("xlsx/openpyxl_book.xlsx")));
    for (int id : {excel_page::kAddress1List, excel_page::kAddress2List, excel_page::kAddress3List,
                   excel_page::kAddress4List, excel_page::kDestinationColumnList}) {
        ASSERT_EQ(list(program, id)->count(), 16385);
        EXPECT_EQ(list(program, id)->itemText(16384), QStringLiteral("XFD"));
    }
    EXPECT_EQ(destination->currentIndex(), 6);
    QComboBox* sheets = list(program, excel_page::kSheetList);
    QTest::mouseClick(sheets, Qt::LeftButton);
    sheets->hidePopup();
    ASSERT_EQ(sheets->count(), 2);  // the empty sheet and the chart sheet are not offered
    EXPECT_EQ(sheets->itemText(0), QStringLiteral("住所録"));
    // Back to a binary workbook: 256 columns again.
    destination->setCurrentIndex(700);
    program.type(kPage, excel_page::kSourceEdit,
                 QString::fromStdString(testing_support::fixturePath("workbooks/xlwt_book.xls")));
    EXPECT_EQ(destination->count(), 257);
    EXPECT_EQ(destination->currentIndex(), 0);
}

TEST(ExcelPage, ChecksThenAWholeRun) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    program.goToPage(kPage);
    program.click(kPage, excel_page::kRunAllButton);
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    EXPECT_EQ(program.dialogs.messages[0].text, QStringLiteral("変換元ファイル名が未入力です。"));
    EXPECT_EQ(program.dialogs.messages[0].caption, QStringLiteral("エラー (  11 )"));

    const std::string source = testing_support::fixturePath("workbooks/xlwt_book.xls");
    const std::string out = program.dir.file("out.xls");
    program.type(kPage, excel_page::kSourceEdit, QString::fromStdString(source));
    program.type(kPage, excel_page::kDestinationEdit, QString::fromStdString(out));
    program.click(kPage, excel_page::kRunAllButton);
    EXPECT_EQ(program.dialogs.messages.back().text,
              QStringLiteral("シート名が選択されていません。"));
    QComboBox* sheets = list(program, excel_page::kSheetList);
    QTest::mouseClick(sheets, Qt::LeftButton);
    sheets->hidePopup();
    sheets->setCurrentIndex(0);
    program.click(kPage, excel_page::kRunAllButton);
    EXPECT_EQ(program.dialogs.messages.back().text, QStringLiteral("住所列を指定して下さい。"));
    pick(program, excel_page::kAddress1List, 4);           // D
    pick(program, excel_page::kAddress2List, 2);           // B
    pick(program, excel_page::kDestinationColumnList, 4);  // D again
    program.click(kPage, excel_page::kRunAllButton);
    EXPECT_EQ(program.dialogs.messages.back().text,
              QStringLiteral("変換先列に住所列と同一の列を指定することはできません。"));
    EXPECT_EQ(QApplication::focusWidget(),
              program.control(kPage, excel_page::kDestinationColumnList));

    pick(program, excel_page::kDestinationColumnList, 6);  // F
    program.dialogs.answers = {true};
    program.click(kPage, excel_page::kRunAllButton);
    EXPECT_TRUE(program.dialogs.messages.back().text.startsWith(
        QStringLiteral("変換が終了しました。\n変換時間は ")));
    std::string dump;
    ASSERT_EQ(
        testing_support::runCommand("/usr/bin/python3 " + std::string(KESZIP_FIXTURES) +
                                        "/../converter/workbooks/xlrd_check.py dump '" + out + "'",
                                    &dump),
        0);
    EXPECT_NE(dump.find("0\t1\t5\t1\t1000013"), std::string::npos) << dump;
    // The column choices reached the settings.
    EXPECT_EQ(program.context.params.ExcelAddressColum[0], 4);
    EXPECT_EQ(program.context.params.ExcelAddressColum[1], 2);
    EXPECT_EQ(program.context.params.ExcelZipCodeColum, 6);
}

// The copy is written in the source's own kind: a destination named for
// another kind is refused on the page before any question, and nothing is
// written; an existing destination is named in the overwrite question.
TEST(ExcelPage, DestinationNamedForAnotherKindIsRefused) {
    struct Case {
        const char* source;
        const char* destination;
        const char* message;  // empty: the run starts
    } const cases[] = {
        {"workbooks/xlwt_book.xls", "out.xlsx",
         "変換元は.xls形式のブックです。\n変換先ファイル名の拡張子は.xlsにして下さい。"},
        {"workbooks/xlwt_book.xls", "out.csv",
         "変換元は.xls形式のブックです。\n変換先ファイル名の拡張子は.xlsにして下さい。"},
        {"xlsx/openpyxl_book.xlsx", "out.xls",
         "変換元は.xlsx形式のブックです。\n変換先ファイル名の拡張子は.xlsxにして下さい。"},
        {"xlsx/openpyxl_book.xlsx", "out.XLSX", ""},
        {"workbooks/xlwt_book.xls", "out.Xls", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        Program program;
        program.goToPage(kPage);
        const std::string out = program.dir.file(c.destination);
        testing_support::writeFile(out, "old");
        program.type(kPage, excel_page::kSourceEdit,
                     QString::fromStdString(testing_support::fixturePath(c.source)));
        program.type(kPage, excel_page::kDestinationEdit, QString::fromStdString(out));
        QComboBox* sheets = list(program, excel_page::kSheetList);
        QTest::mouseClick(sheets, Qt::LeftButton);
        sheets->hidePopup();
        sheets->setCurrentIndex(0);
        pick(program, excel_page::kAddress1List, 4);           // D
        pick(program, excel_page::kDestinationColumnList, 6);  // F
        program.dialogs.answers = {true, false};               // start, then no overwrite
        program.click(kPage, excel_page::kRunAllButton);
        if (*c.message) {
            ASSERT_EQ(program.dialogs.messages.size(), 1u);
            EXPECT_EQ(program.dialogs.messages[0].text, QString::fromUtf8(c.message));
            EXPECT_TRUE(program.dialogs.questions.empty());
            EXPECT_EQ(QApplication::focusWidget(),
                      program.control(kPage, excel_page::kDestinationEdit));
        } else {
            EXPECT_TRUE(program.dialogs.messages.empty());
            ASSERT_EQ(program.dialogs.questions.size(), 2u);
            EXPECT_EQ(
                program.dialogs.questions[1].text,
                QStringLiteral("変換先ファイルが既に存在します。\n上書きをしてもよろしいですか？"
                               "\n\n") +
                    QString::fromStdString(out));
        }
        EXPECT_EQ(testing_support::readFile(out), "old");
    }
}

}  // namespace
