// Each page check shows its numbered message with its caption and puts the
// focus on the field it names; nothing runs.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <map>
#include <utility>
#include <vector>

#include "gui/access_page_ids.h"
#include "gui/csv_page_ids.h"
#include "gui/excel_page_ids.h"
#include "gui/sdf_page_ids.h"
#include "gui/tab_page.h"
#include "gui/text_page_ids.h"
#include "gui_harness.h"
#include "search/search_page_ids.h"

using namespace gui_testing;
using namespace gui::ids;

namespace {

struct CheckCase {
    int templateId;
    std::map<int, const char*> typed;  // control id -> text
    int clickFirst;                    // a radio button to select first, or 0
    int expectedMessage;
    const char* expectedText;
    int expectedFocus;
};

// The fields every case starts from: a valid page.
std::map<int, const char*> validFields(int templateId) {
    switch (templateId) {
        case text_page::kTemplate:
            return {{text_page::kSourceEdit, "a.txt"},    {text_page::kDestinationEdit, "b.txt"},
                    {text_page::kAddress1StartEdit, "1"}, {text_page::kAddress1SizeEdit, "10"},
                    {text_page::kInsertEdit, "1"},        {text_page::kAddress2StartEdit, ""},
                    {text_page::kAddress2SizeEdit, ""},   {text_page::kAddress3StartEdit, ""},
                    {text_page::kAddress3SizeEdit, ""},   {text_page::kAddress4StartEdit, ""},
                    {text_page::kAddress4SizeEdit, ""}};
        case sdf_page::kTemplate:
            return {{sdf_page::kSourceEdit, "a.sdf"},    {sdf_page::kDestinationEdit, "b.sdf"},
                    {sdf_page::kAddress1StartEdit, "1"}, {sdf_page::kAddress1SizeEdit, "10"},
                    {sdf_page::kInsertEdit, "1"},        {sdf_page::kAddress2StartEdit, ""},
                    {sdf_page::kAddress2SizeEdit, ""},   {sdf_page::kAddress3StartEdit, ""},
                    {sdf_page::kAddress3SizeEdit, ""},   {sdf_page::kAddress4StartEdit, ""},
                    {sdf_page::kAddress4SizeEdit, ""},   {sdf_page::kRecordLengthEdit, ""}};
        default:
            return {{csv_page::kSourceEdit, "a.csv"}, {csv_page::kDestinationEdit, "b.csv"},
                    {csv_page::kField1Edit, "1"},     {csv_page::kField2Edit, ""},
                    {csv_page::kField3Edit, ""},      {csv_page::kField4Edit, ""}};
    }
}

int runButton(int templateId) {
    return templateId == text_page::kTemplate  ? text_page::kRunAllButton
           : templateId == sdf_page::kTemplate ? sdf_page::kRunAllButton
                                               : csv_page::kRunAllButton;
}

}  // namespace

TEST(PageChecks, EachRefusalNamesItsMessageAndField) {
    const CheckCase cases[] = {
        {text_page::kTemplate,
         {{text_page::kSourceEdit, "  "}},
         0,
         11,
         "変換元ファイル名が未入力です。",
         text_page::kSourceEdit},
        {text_page::kTemplate,
         {{text_page::kDestinationEdit, "　"}},
         0,
         401,
         "変換先ファイル名が未入力です。",
         text_page::kDestinationEdit},
        {text_page::kTemplate,
         {{text_page::kDestinationEdit, "./a.txt"}},
         0,
         402,
         "変換元・先ファイル名が同一です。",
         text_page::kSourceEdit},
        {text_page::kTemplate,
         {{text_page::kAddress2StartEdit, "5-"}},
         0,
         403,
         "住所開始位置の値がマイナスです。",
         text_page::kAddress1StartEdit},
        {text_page::kTemplate,
         {{text_page::kAddress1StartEdit, ""}},
         0,
         407,
         "住所開始位置を指定して下さい。",
         text_page::kAddress1StartEdit},
        {text_page::kTemplate,
         {{text_page::kAddress1SizeEdit, ""}},
         0,
         408,
         "住所バイト数を指定して下さい。",
         text_page::kAddress1SizeEdit},
        {text_page::kTemplate,
         {{text_page::kInsertEdit, ""}},
         0,
         405,
         "郵便番号挿入位置を指定して下さい。",
         text_page::kInsertEdit},
        {text_page::kTemplate,
         {{text_page::kInsertEdit, "40000"}},
         0,
         409,
         "郵便番号挿入位置の値が最大レコード長を超えています。",
         text_page::kInsertEdit},
        {sdf_page::kTemplate,
         {{sdf_page::kDestinationEdit, ""}},
         0,
         501,
         "変換先ファイル名が未入力です。",
         sdf_page::kDestinationEdit},
        {sdf_page::kTemplate,
         {{sdf_page::kAddress1SizeEdit, "5-"}},
         0,
         504,
         "住所バイト数の値がマイナスです。",
         sdf_page::kAddress1SizeEdit},
        {sdf_page::kTemplate,
         {{sdf_page::kInsertEdit, ""}},
         0,
         505,
         "郵便番号挿入位置が未入力です。",
         sdf_page::kInsertEdit},
        {sdf_page::kTemplate,
         {},
         sdf_page::kFixedLengthRadio,
         507,
         "レコード長が未入力です。",
         sdf_page::kRecordLengthEdit},
        {sdf_page::kTemplate,
         {{sdf_page::kRecordLengthEdit, "32768"}},
         sdf_page::kFixedLengthRadio,
         509,
         "レコード長の指定に誤りがあります。",
         sdf_page::kRecordLengthEdit},
        {csv_page::kTemplate,
         {{csv_page::kDestinationEdit, "a.csv"}},
         0,
         602,
         "変換元・先ファイル名が同一です。",
         csv_page::kSourceEdit},
        {csv_page::kTemplate,
         {{csv_page::kField3Edit, "1"}},
         0,
         604,
         "同一住所項目Noが指定されています。",
         csv_page::kField1Edit},
        {csv_page::kTemplate,
         {{csv_page::kField1Edit, ""}},
         0,
         605,
         "住所項目Noを指定して下さい。",
         csv_page::kField1Edit},
        {csv_page::kTemplate,
         {{csv_page::kField4Edit, "2-"}},
         0,
         603,
         "住所項目Noの値がマイナスです。",
         csv_page::kField1Edit},
    };
    Program program;
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.expectedMessage);
        program.goToPage(c.templateId);
        std::map<int, const char*> fields = validFields(c.templateId);
        for (const auto& [id, text] : c.typed) fields[id] = text;
        if (c.clickFirst) program.click(c.templateId, c.clickFirst);
        for (const auto& [id, text] : fields)
            program.type(c.templateId, id, QString::fromUtf8(text));
        program.dialogs.messages.clear();
        program.click(c.templateId, runButton(c.templateId));
        ASSERT_EQ(program.dialogs.messages.size(), 1u);
        EXPECT_EQ(program.dialogs.messages[0].caption,
                  QStringLiteral("エラー ( %1 )").arg(c.expectedMessage, 3));
        EXPECT_EQ(program.dialogs.messages[0].text, QString::fromUtf8(c.expectedText));
        EXPECT_EQ(program.dialogs.messages[0].icon, gui::BoxIcon::Warning);
        EXPECT_EQ(program.window->focusWidget(), program.control(c.templateId, c.expectedFocus));
        EXPECT_TRUE(program.dialogs.questions.empty());
        // Back to line breaks for the next case.
        if (c.clickFirst) program.click(c.templateId, sdf_page::kLineBreaksRadio);
    }
}

TEST(PageChecks, StartQuestionAnsweredNoStoresTheNumbersButRunsNothing) {
    Program program;
    program.goToPage(text_page::kTemplate);
    for (const auto& [id, text] : validFields(text_page::kTemplate))
        program.type(text_page::kTemplate, id, QString::fromUtf8(text));
    program.type(text_page::kTemplate, text_page::kAddress3StartEdit, QStringLiteral("30"));
    program.dialogs.answers = {false};
    program.click(text_page::kTemplate, text_page::kRunAllButton);
    EXPECT_EQ(program.dialogs.questions.size(), 1u);
    EXPECT_EQ(program.context.params.StartPosition[2], 30);
    EXPECT_TRUE(program.dialogs.messages.empty());
}

TEST(PageChecks, EnterOnAPageIsItsDefaultButton) {
    Program program;
    program.goToPage(csv_page::kTemplate);
    program.type(csv_page::kTemplate, csv_page::kSourceEdit, QString());
    program.dialogs.messages.clear();
    QTest::keyClick(program.control(csv_page::kTemplate, csv_page::kSourceEdit), Qt::Key_Return);
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    EXPECT_EQ(program.dialogs.messages[0].caption, QStringLiteral("エラー (  11 )"));
    // Escape on a page does nothing.
    QTest::keyClick(program.control(csv_page::kTemplate, csv_page::kSourceEdit), Qt::Key_Escape);
    EXPECT_TRUE(program.window->isVisible());
}

TEST(Templates, TheLaterPagesHaveEveryControlOfTheirTemplates) {
    Program program;
    const std::pair<int, std::vector<int>> templates[] = {
        {search_page::kTemplate,
         {search_page::kPrefectureList, search_page::kAddressEdit, search_page::kSevenDigitEdit,
          search_page::kFiveDigitEdit, search_page::kBarcodeEdit, search_page::kLocalCodeEdit,
          search_page::kSearchButton, search_page::kCodeSearchButton,
          search_page::kTextSearchButton, search_page::kOfficeSearchButton}},
        {excel_page::kTemplate,
         {excel_page::kSourceEdit, excel_page::kBrowseSourceButton, excel_page::kSheetList,
          excel_page::kAddress1List, excel_page::kAddress2List, excel_page::kAddress3List,
          excel_page::kAddress4List, excel_page::kDestinationEdit,
          excel_page::kBrowseDestinationButton, excel_page::kDestinationColumnList,
          excel_page::kRunAllButton, excel_page::kRunPartButton}},
        {access_page::kTemplate,
         {access_page::kDatabaseEdit, access_page::kBrowseDatabaseButton, access_page::kTableList,
          access_page::kAddress1List, access_page::kAddress2List, access_page::kAddress3List,
          access_page::kAddress4List, access_page::kDestinationList, access_page::kBackupCheck,
          access_page::kRunAllButton, 3}},
    };
    for (const auto& [templateId, ids] : templates)
        for (int id : ids)
            EXPECT_NE(program.window->pageOfTemplate(templateId)->controlById(id), nullptr)
                << templateId << " " << id;
}
