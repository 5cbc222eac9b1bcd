// The code search dialog over the real dictionary, driven as a user would.
#include "search/code_search_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/template_controls.h"
#include "keszip.h"
#include "search/search_code_dialog_ids.h"
#include "search_gui_support.h"
#include "support/test_support.h"

using namespace search_gui_test;
using namespace gui::ids;
using gui::CodeSearchDialog;
using gui::control;
using testing_support::u8;

namespace {

class CodeSearch : public testing::Test {
  protected:
    void SetUp() override {
        KESZIP_REQUIRE_REAL_DATA();
        ASSERT_TRUE(openDictionaries());
    }
    void TearDown() override { SetHyphenMode(0); }

    // A dialog shown as the page runs it, its first search done.
    void open(std::optional<std::string> code) {
        dialog_ = std::make_unique<CodeSearchDialog>(std::move(code), &result_);
        dialog_->show();
        QCoreApplication::processEvents();
        list_ = control<QListWidget>(dialog_.get(), search_code_dialog::kResultList);
        label_ = control<QLabel>(dialog_.get(), search_code_dialog::kResultLabel);
    }
    QString line(int row) const { return list_->item(row)->text(); }

    std::string result_;
    std::unique_ptr<CodeSearchDialog> dialog_;
    QListWidget* list_ = nullptr;
    QLabel* label_ = nullptr;
};

}  // namespace

TEST_F(CodeSearch, SearchesAtOnceAndFormatsThePrefix) {
    KESZIP_REQUIRE_REAL_DATA();
    SetHyphenMode(1);
    open(std::string("100-0013"));
    ASSERT_EQ(list_->count(), 1);
    // The building-exclusion note is not shown; the hyphenated code fills its column.
    EXPECT_EQ(line(0), "100-0013:東京都 千代田区 霞が関");
    EXPECT_EQ(label_->text(), "検索結果　（ 取得件数 1 件 ）");

    SetHyphenMode(0);
    QTest::mouseClick(control<QPushButton>(dialog_.get(), search_code_dialog::kSearchButton),
                      Qt::LeftButton);
    EXPECT_EQ(line(0), " 1000013:東京都 千代田区 霞が関");

    // Ticking the 5-digit box re-runs the search with the old code in front.
    auto* show5 = control<QCheckBox>(dialog_.get(), search_code_dialog::kFiveDigitCheck);
    QTest::mouseClick(show5, Qt::LeftButton);
    ASSERT_TRUE(show5->isChecked());
    ASSERT_EQ(list_->count(), 1);
    EXPECT_EQ(line(0), " 10000:東京都 千代田区 霞が関");
    SetHyphenMode(1);
    QTest::mouseClick(show5, Qt::LeftButton);
    QTest::mouseClick(show5, Qt::LeftButton);
    EXPECT_EQ(line(0), "100-00:東京都 千代田区 霞が関");
    QTest::mouseClick(show5, Qt::LeftButton);
    EXPECT_EQ(line(0), "100-0013:東京都 千代田区 霞が関");
}

TEST_F(CodeSearch, CatchAllEntriesAndEmptyCodes) {
    KESZIP_REQUIRE_REAL_DATA();
    // 1000000 carries only the catch-all town, 3060433 only "境町の次に番地がくる場合".
    for (const char* code : {"1000000", "3060433"}) {
        open(std::string(code));
        ASSERT_EQ(list_->count(), 1) << code;
        EXPECT_EQ(line(0), "住所は取得されませんでした。");
        EXPECT_EQ(label_->text(), "検索結果");
        // Choosing the not-found line does nothing.
        doubleClickRow(list_, 0);
        selectRow(list_, 0);
        pressEnter(list_);
        EXPECT_TRUE(dialog_->isVisible());
        EXPECT_EQ(dialog_->result(), QDialog::Rejected);
        EXPECT_EQ(result_, "");
    }

    // Without a starting code the dialog opens empty and lists nothing.
    open(std::nullopt);
    EXPECT_EQ(control<QLineEdit>(dialog_.get(), search_code_dialog::kCodeEdit)->text(), "");
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(label_->text(), "検索結果");
    // A 5-digit code lists its towns, the catch-all one left out of the count.
    control<QLineEdit>(dialog_.get(), search_code_dialog::kCodeEdit)->setText("10000");
    pressEnter(control<QLineEdit>(dialog_.get(), search_code_dialog::kCodeEdit));
    EXPECT_GT(list_->count(), 10);
    EXPECT_EQ(label_->text(), QString("検索結果　（ 取得件数 %1 件 ）").arg(list_->count()));
    EXPECT_EQ(rowOf(list_, " 1000000:東京都 千代田区 以下に掲載がない場合"), -1);
    // Only 8 characters of the code are read.
    control<QLineEdit>(dialog_.get(), search_code_dialog::kCodeEdit)->setText("100-00139");
    pressEnter(control<QLineEdit>(dialog_.get(), search_code_dialog::kCodeEdit));
    EXPECT_EQ(list_->count(), 1);
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(CodeSearch, ChoosingALineHandsTheAddressBack) {
    KESZIP_REQUIRE_REAL_DATA();
    open(std::string("0600001"));
    ASSERT_EQ(list_->count(), 1);
    EXPECT_EQ(line(0), " 0600001:北海道 札幌市 中央区 北一条西(１～１９丁目)");
    doubleClickRow(list_, 0);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog_->isVisible());
    // The parentheses become blanks; the code and ":" stay behind.
    EXPECT_EQ(QString::fromStdString(u8(result_)), "北海道 札幌市 中央区 北一条西 １～１９丁目 ");

    // Enter in the list chooses too, and not the default button.
    open(std::string("1000013"));
    selectRow(list_, 0);
    list_->setFocus();
    pressEnter(list_);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(QString::fromStdString(u8(result_)), "東京都 千代田区 霞が関");
}

TEST_F(CodeSearch, FullWidthDigitsFindTheSameTowns) {
    open(std::nullopt);
    auto* edit = control<QLineEdit>(dialog_.get(), search_code_dialog::kCodeEdit);
    edit->setText("１００－００１３");
    pressEnter(edit);
    ASSERT_EQ(list_->count(), 1);
    EXPECT_EQ(line(0), " 1000013:東京都 千代田区 霞が関");
}
