// The text search dialog over the real dictionary: the live search, the
// drill-down by picking and the confirmation.
#include "search/text_search_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/template_controls.h"
#include "keszip.h"
#include "search/search_text_dialog_ids.h"
#include "search_gui_support.h"
#include "support/test_support.h"

using namespace search_gui_test;
using namespace gui::ids;
using gui::control;
using gui::TextSearchDialog;
using testing_support::sj;
using testing_support::u8;

namespace {

class TextSearch : public testing::Test {
  protected:
    void SetUp() override {
        KESZIP_REQUIRE_REAL_DATA();
        ASSERT_TRUE(openDictionaries());
    }

    void open(const std::string& initialUtf8) {
        result_ = sj(initialUtf8);
        dialog_ = std::make_unique<TextSearchDialog>(&result_);
        dialog_->show();
        QCoreApplication::processEvents();
        edit_ = control<QLineEdit>(dialog_.get(), search_text_dialog::kTextEdit);
        list_ = control<QListWidget>(dialog_.get(), search_text_dialog::kResultList);
        label_ = control<QLabel>(dialog_.get(), search_text_dialog::kResultLabel);
    }
    // Picks the line with this text by keyboard (select, Enter in the list).
    void pick(const QString& text) {
        const int row = rowOf(list_, text);
        ASSERT_GE(row, 0) << text.toStdString();
        selectRow(list_, row);
        list_->setFocus();
        pressEnter(list_);
    }
    QString countLabel() const {
        return QString("検索結果　　（ 取得件数 %1 件 ）").arg(list_->count());
    }

    RecordedDialogs boxes_;
    std::string result_;
    std::unique_ptr<TextSearchDialog> dialog_;
    QLineEdit* edit_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* label_ = nullptr;
};

}  // namespace

TEST_F(TextSearch, DrillDownFromTheTop) {
    KESZIP_REQUIRE_REAL_DATA();
    open("");
    EXPECT_EQ(edit_->text(), "*");
    EXPECT_TRUE(dialog_->listIsPartial());
    EXPECT_EQ(list_->item(0)->text(), "北海道 ");
    EXPECT_EQ(label_->text(), countLabel());

    pick("東京都 ");
    EXPECT_EQ(edit_->text(), "東京都 *");
    EXPECT_TRUE(dialog_->listIsPartial());
    EXPECT_GE(rowOf(list_, "東京都 千代田区 "), 0);
    EXPECT_EQ(label_->text(), countLabel());

    pick("東京都 千代田区 ");
    EXPECT_EQ(edit_->text(), "東京都 千代田区 *");
    EXPECT_FALSE(dialog_->listIsPartial());
    EXPECT_GT(list_->count(), 50);

    // A town line goes into the text as it is, without "*".
    const int row = rowOf(list_, "東京都 千代田区 霞が関(次のビルを除く)");
    ASSERT_GE(row, 0);
    doubleClickRow(list_, row);
    EXPECT_EQ(edit_->text(), "東京都 千代田区 霞が関(次のビルを除く)");

    QTest::mouseClick(control<QPushButton>(dialog_.get(), search_text_dialog::kChooseButton),
                      Qt::LeftButton);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(u8(result_), "東京都 千代田区 霞が関 次のビルを除く ");
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(TextSearch, EveryChangeSearchesAgain) {
    KESZIP_REQUIRE_REAL_DATA();
    open("とうきょうとち");
    const int readingMatches = list_->count();
    EXPECT_GT(readingMatches, 0);
    EXPECT_GE(rowOf(list_, "東京都 千代田区 "), 0);

    // Typing narrows at each keystroke.
    edit_->clear();
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(label_->text(), "検索結果");
    QTest::keyClicks(edit_, "*");
    EXPECT_GE(list_->count(), 47);
    edit_->setText("東京都千代田区霞");
    const int some = list_->count();
    EXPECT_GT(some, 0);
    edit_->setText("架空県");
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(label_->text(), "検索結果");

    // Picking with nothing selected does nothing.
    list_->setFocus();
    pressEnter(list_);
    EXPECT_EQ(edit_->text(), "架空県");
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(TextSearch, ConfirmingEmptyAndStarredTexts) {
    KESZIP_REQUIRE_REAL_DATA();
    open("東京都");
    edit_->clear();
    auto* confirm = control<QPushButton>(dialog_.get(), search_text_dialog::kChooseButton);
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "住所が未入力です。");
    EXPECT_EQ(boxes_.boxes[0].caption, "エラー ( 101 )");
    EXPECT_EQ(boxes_.boxes[0].icon, gui::BoxIcon::Warning);
    EXPECT_TRUE(dialog_->isVisible());

    // A prefecture name with "*" comes back as the name alone.
    edit_->setText("東京都*");
    pressEnter(edit_);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(u8(result_), "東京都");
    EXPECT_EQ(boxes_.boxes.size(), 1u);
}

TEST_F(TextSearch, FullWidthAsteriskIsTheWildcardToo) {
    // An input method in full-width mode types "＊" for "*".
    open("東京都千代田区*");
    const int towns = list_->count();
    ASSERT_GT(towns, 100);
    edit_->setText("東京都千代田区＊");
    EXPECT_EQ(list_->count(), towns);
    EXPECT_EQ(edit_->text(), "東京都千代田区＊");  // the text stays as typed
    edit_->setText("＊");
    EXPECT_GE(list_->count(), 47);
}
