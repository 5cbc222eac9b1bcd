// The search page over the real dictionary: the lookup, its warning, and
// the addresses handed back by the code and text searches.
#include "search/search_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/sjis_qt.h"
#include "gui/template_controls.h"
#include "keszip.h"
#include "search/code_search_dialog.h"
#include "search/core/search_place_lists.h"
#include "search/office_search_dialog.h"
#include "search/search_code_dialog_ids.h"
#include "search/search_page_ids.h"
#include "search/search_text_dialog_ids.h"
#include "search/text_search_dialog.h"
#include "search_gui_support.h"
#include "support/test_support.h"

using namespace search_gui_test;
using namespace gui::ids;
using gui::control;

namespace {

class SearchPageTest : public testing::Test {
  protected:
    void SetUp() override {
        KESZIP_REQUIRE_REAL_DATA();
        ASSERT_TRUE(openDictionaries());
        page_ = std::make_unique<gui::SearchPage>(context_);
        page_->show();
    }
    void TearDown() override { closeModalDialogs(); }

    QLineEdit* edit(int id) const { return control<QLineEdit>(page_.get(), id); }
    QComboBox* prefectures() const {
        return control<QComboBox>(page_.get(), search_page::kPrefectureList);
    }
    void click(int id) { QTest::mouseClick(control<QPushButton>(page_.get(), id), Qt::LeftButton); }
    QString results() const {
        return edit(search_page::kSevenDigitEdit)->text() + "|" +
               edit(search_page::kFiveDigitEdit)->text() + "|" +
               edit(search_page::kBarcodeEdit)->text() + "|" +
               edit(search_page::kLocalCodeEdit)->text();
    }

    converter::KesZipEngine engine_;
    testing_support::TempDir dir_;
    gui::ProgramContext context_{
        engine_, converter::SettingsStore(dir_.file("zelko7.ini")), dir_.path(), {}, {}};
    RecordedDialogs boxes_;
    std::unique_ptr<gui::SearchPage> page_;
};

}  // namespace

TEST_F(SearchPageTest, LookUpWithAndWithoutPrefecture) {
    KESZIP_REQUIRE_REAL_DATA();
    // The list holds "無指定" and the 47 prefectures in the national order.
    ASSERT_EQ(prefectures()->count(), 48);
    EXPECT_EQ(prefectures()->itemText(0), "無指定");
    const auto& names = converter::search::prefectureNames();
    for (int i = 1; i <= 47; ++i) {
        EXPECT_EQ(gui::toSjis(prefectures()->itemText(i)), names[static_cast<std::size_t>(i - 1)]);
    }

    prefectures()->setCurrentIndex(13);
    edit(search_page::kAddressEdit)->setText("千代田区霞が関1-2-3");
    click(search_page::kSearchButton);
    EXPECT_EQ(results(), "1000013|100  |1-2-3|13101");
    EXPECT_TRUE(boxes_.boxes.empty());
    // The prefecture choice is kept for the whole program: a new page starts on it.
    EXPECT_EQ(page_->savedPrefecture(), 13);
    gui::SearchPage second(context_);
    EXPECT_EQ(control<QComboBox>(&second, search_page::kPrefectureList)->currentIndex(), 13);

    prefectures()->setCurrentIndex(0);
    edit(search_page::kAddressEdit)->setText("大阪府大阪市北区梅田1-1");
    pressEnter(edit(search_page::kAddressEdit));  // Enter reaches the default button "検索"
    EXPECT_EQ(edit(search_page::kSevenDigitEdit)->text(), "5300001");
    EXPECT_EQ(page_->savedPrefecture(), 0);
}

TEST_F(SearchPageTest, FailedLookupByButtonWarnsAndFocusesTheAddress) {
    KESZIP_REQUIRE_REAL_DATA();
    edit(search_page::kAddressEdit)->setText("東京都千代田区霞が関1-2-3");
    click(search_page::kSearchButton);
    ASSERT_FALSE(edit(search_page::kSevenDigitEdit)->text().isEmpty());

    edit(search_page::kAddressEdit)->setText("架空県架空市");
    control<QPushButton>(page_.get(), search_page::kSearchButton)->setFocus();
    click(search_page::kSearchButton);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "入力した住所に誤りがあります。");
    EXPECT_EQ(boxes_.boxes[0].caption, "エラー ( 100 )");
    EXPECT_EQ(boxes_.boxes[0].icon, gui::BoxIcon::Warning);
    EXPECT_EQ(results(), "|||");
    EXPECT_EQ(page_->focusWidget(), edit(search_page::kAddressEdit));
}

TEST_F(SearchPageTest, CodeSearchStartsFromTheCodeAndHandsBack) {
    KESZIP_REQUIRE_REAL_DATA();
    edit(search_page::kAddressEdit)->setText("東京都千代田区霞が関1-2-3");
    click(search_page::kSearchButton);
    prefectures()->setCurrentIndex(5);
    // Start from the shown 7-digit code, choose the only line.
    QString started;
    whenModal<gui::CodeSearchDialog>([&](gui::CodeSearchDialog& dialog) {
        started = control<QLineEdit>(&dialog, search_code_dialog::kCodeEdit)->text();
        doubleClickRow(control<QListWidget>(&dialog, search_code_dialog::kResultList), 0);
    });
    click(search_page::kCodeSearchButton);
    EXPECT_EQ(started, "1000013");
    EXPECT_EQ(edit(search_page::kAddressEdit)->text(), "東京都 千代田区 霞が関");
    EXPECT_EQ(prefectures()->currentIndex(), 0);
    EXPECT_EQ(results(), "1000013|100  ||13101");
    EXPECT_TRUE(boxes_.boxes.empty());

    // With the 7-digit field empty the old code is taken; with both empty, none.
    edit(search_page::kSevenDigitEdit)->clear();
    whenModal<gui::CodeSearchDialog>([&](gui::CodeSearchDialog& dialog) {
        started = control<QLineEdit>(&dialog, search_code_dialog::kCodeEdit)->text();
        dialog.reject();
    });
    click(search_page::kCodeSearchButton);
    EXPECT_EQ(started, "100  ");
    edit(search_page::kFiveDigitEdit)->setText(" 100");
    whenModal<gui::CodeSearchDialog>([&](gui::CodeSearchDialog& dialog) {
        started = control<QLineEdit>(&dialog, search_code_dialog::kCodeEdit)->text();
        EXPECT_EQ(control<QListWidget>(&dialog, search_code_dialog::kResultList)->count(), 0);
        dialog.reject();
    });
    click(search_page::kCodeSearchButton);
    EXPECT_EQ(started, "");
    EXPECT_EQ(edit(search_page::kAddressEdit)->text(),
              "東京都 千代田区 霞が関");  // a cancelled dialog hands nothing back
}

TEST_F(SearchPageTest, TextSearchDrillDownEndsInALookup) {
    KESZIP_REQUIRE_REAL_DATA();
    edit(search_page::kAddressEdit)->clear();
    QString opened;
    whenModal<gui::TextSearchDialog>([&](gui::TextSearchDialog& dialog) {
        auto* list = control<QListWidget>(&dialog, search_text_dialog::kResultList);
        opened = control<QLineEdit>(&dialog, search_text_dialog::kTextEdit)->text();
        for (const char* line :
             {"東京都 ", "東京都 千代田区 ", "東京都 千代田区 霞が関(次のビルを除く)"}) {
            const int row = rowOf(list, QString::fromUtf8(line));
            ASSERT_GE(row, 0) << line;
            doubleClickRow(list, row);
        }
        QTest::mouseClick(control<QPushButton>(&dialog, search_text_dialog::kChooseButton),
                          Qt::LeftButton);
    });
    click(search_page::kTextSearchButton);
    EXPECT_EQ(opened, "*");
    // The building-exclusion words are cut off and the address looked up at once.
    EXPECT_EQ(edit(search_page::kAddressEdit)->text(), "東京都 千代田区 霞が関");
    EXPECT_EQ(results(), "1000013|100  ||13101");
    EXPECT_EQ(page_->focusWidget(), edit(search_page::kAddressEdit));
}

TEST_F(SearchPageTest, FailedLookupAfterADialogShowsNothing) {
    KESZIP_REQUIRE_REAL_DATA();
    edit(search_page::kAddressEdit)->setText("架空");
    QString opened;
    whenModal<gui::TextSearchDialog>([&](gui::TextSearchDialog& dialog) {
        opened = control<QLineEdit>(&dialog, search_text_dialog::kTextEdit)->text();
        pressEnter(control<QLineEdit>(&dialog, search_text_dialog::kTextEdit));  // "住所確定"
    });
    click(search_page::kTextSearchButton);
    EXPECT_EQ(opened, "架空");
    EXPECT_EQ(edit(search_page::kAddressEdit)->text(), "架空");
    EXPECT_EQ(results(), "|||");
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_EQ(page_->focusWidget(), edit(search_page::kAddressEdit));

    // The button still reports the same failure afterwards.
    click(search_page::kSearchButton);
    EXPECT_EQ(boxes_.boxes.size(), 1u);
}

TEST_F(SearchPageTest, OfficeSearchOpensAndHandsNothingBack) {
    KESZIP_REQUIRE_REAL_DATA();
    edit(search_page::kAddressEdit)->setText("東京都千代田区霞が関1-2-3");
    bool opened = false;
    whenModal<gui::OfficeSearchDialog>([&](gui::OfficeSearchDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    click(search_page::kOfficeSearchButton);
    EXPECT_TRUE(opened);
    EXPECT_EQ(edit(search_page::kAddressEdit)->text(), "東京都千代田区霞が関1-2-3");
}
