// The office search dialog over the real office dictionary: the two modes,
// the searches, the drawn rows and the detail dialog.
#include "search/office_search_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "gui/template_controls.h"
#include "keszip.h"
#include "search/office_hit_delegate.h"
#include "search/office_info_dialog.h"
#include "search/search_office_dialog_ids.h"
#include "search/search_office_info_ids.h"
#include "search_gui_support.h"
#include "support/test_support.h"

using namespace search_gui_test;
using namespace gui::ids;
using gui::control;

namespace {

const QString kToyota = QString::fromUtf8("トヨタ自動車");
const QString kToyotaHit =
    QString::fromUtf8("4718571    トヨタ自動車　株式会社\n            愛知県 豊田市 トヨタ町１");

class OfficeSearch : public testing::Test {
  protected:
    void SetUp() override {
        KESZIP_REQUIRE_REAL_DATA();
        ASSERT_TRUE(openDictionaries());
        dialog_.show();
        list_ = control<QListWidget>(&dialog_, search_office_dialog::kResultList);
        label_ = control<QLabel>(&dialog_, search_office_dialog::kResultLabel);
    }
    void TearDown() override { closeModalDialogs(); }

    template <typename W>
    W* get(int id) {
        return control<W>(&dialog_, id);
    }
    void byCode(const QString& code) {
        QTest::mouseClick(get<QRadioButton>(search_office_dialog::kByCodeRadio), Qt::LeftButton);
        get<QLineEdit>(search_office_dialog::kCodeEdit)->setText(code);
        QTest::mouseClick(get<QPushButton>(search_office_dialog::kSearchButton), Qt::LeftButton);
    }
    void byName(const QString& name, int match, const QString& address = {}) {
        QTest::mouseClick(get<QRadioButton>(search_office_dialog::kByNameRadio), Qt::LeftButton);
        get<QLineEdit>(search_office_dialog::kNameEdit)->setText(name);
        get<QComboBox>(search_office_dialog::kMatchList)->setCurrentIndex(match);
        get<QComboBox>(search_office_dialog::kCityList)->setEditText(address);
        QTest::mouseClick(get<QPushButton>(search_office_dialog::kSearchButton), Qt::LeftButton);
    }
    QString countLabel() const {
        return QString("検索結果　（ 取得件数 %1 件 ）").arg(list_->count());
    }
    QStringList lines() const {
        QStringList out;
        for (int row = 0; row < list_->count(); ++row) out << list_->item(row)->text();
        return out;
    }

    gui::OfficeSearchDialog dialog_;
    QListWidget* list_ = nullptr;
    QLabel* label_ = nullptr;
};

}  // namespace

TEST_F(OfficeSearch, ModesEnableTheirFields) {
    KESZIP_REQUIRE_REAL_DATA();
    EXPECT_TRUE(get<QRadioButton>(search_office_dialog::kByCodeRadio)->isChecked());
    EXPECT_TRUE(get<QLineEdit>(search_office_dialog::kCodeEdit)->isEnabled());
    for (int id : {search_office_dialog::kNameEdit, search_office_dialog::kMatchList,
                   search_office_dialog::kCityList})
        EXPECT_FALSE(get<QWidget>(id)->isEnabled()) << id;

    auto* match = get<QComboBox>(search_office_dialog::kMatchList);
    ASSERT_EQ(match->count(), 3);
    EXPECT_EQ(match->currentIndex(), 0);
    EXPECT_EQ(match->itemText(0), "あいまい検索");
    EXPECT_EQ(match->itemText(1), "完全一致");
    EXPECT_EQ(match->itemText(2), "完全一致（前株、後株等は無視）");
    auto* city = get<QComboBox>(search_office_dialog::kCityList);
    ASSERT_EQ(city->count(), 48);
    EXPECT_EQ(city->currentIndex(), 0);
    EXPECT_EQ(city->currentText(), "");
    EXPECT_EQ(city->itemText(1), "東京都");
    EXPECT_EQ(city->itemText(7), "福岡県");
    EXPECT_EQ(city->itemText(8), "北海道");
    EXPECT_EQ(city->itemText(47), "沖縄県");

    QTest::mouseClick(get<QRadioButton>(search_office_dialog::kByNameRadio), Qt::LeftButton);
    EXPECT_FALSE(get<QLineEdit>(search_office_dialog::kCodeEdit)->isEnabled());
    for (int id : {search_office_dialog::kNameEdit, search_office_dialog::kMatchList,
                   search_office_dialog::kCityList})
        EXPECT_TRUE(get<QWidget>(id)->isEnabled()) << id;
    QTest::mouseClick(get<QRadioButton>(search_office_dialog::kByCodeRadio), Qt::LeftButton);
    EXPECT_TRUE(get<QLineEdit>(search_office_dialog::kCodeEdit)->isEnabled());
    EXPECT_FALSE(get<QLineEdit>(search_office_dialog::kNameEdit)->isEnabled());
}

TEST_F(OfficeSearch, SearchesByCodeAndByName) {
    KESZIP_REQUIRE_REAL_DATA();
    byCode("4718571");
    EXPECT_EQ(lines(), QStringList{kToyotaHit});
    EXPECT_EQ(label_->text(), countLabel());

    byName(kToyota, 0);
    const QStringList fuzzy = lines();
    EXPECT_GT(fuzzy.size(), 5);
    EXPECT_TRUE(fuzzy.contains(kToyotaHit));
    EXPECT_EQ(label_->text(), countLabel());

    // The exact conditions find fewer, each of them among the fuzzy hits.
    for (int match : {1, 2}) {
        byName(kToyota, match);
        EXPECT_GT(list_->count(), 0) << match;
        EXPECT_LT(list_->count(), fuzzy.size()) << match;
        for (const QString& line : lines()) EXPECT_TRUE(fuzzy.contains(line)) << match;
        EXPECT_EQ(label_->text(), countLabel());
    }

    // The address narrows the search.
    byName(kToyota, 0, QString::fromUtf8("愛知県"));
    EXPECT_GT(list_->count(), 0);
    EXPECT_LT(list_->count(), fuzzy.size());
    for (const QString& line : lines()) EXPECT_TRUE(line.contains("\n            愛知県 "));

    // A second search empties the list and counts afresh.
    byCode("4718571");
    EXPECT_EQ(list_->count(), 1);
    EXPECT_EQ(label_->text(), "検索結果　（ 取得件数 1 件 ）");

    // The name mode ignores whatever the code edit holds.
    byName("", 0);
    EXPECT_EQ(get<QLineEdit>(search_office_dialog::kCodeEdit)->text(), "4718571");
    EXPECT_EQ(lines(), QStringList{"住所は取得されませんでした。"});
    EXPECT_EQ(label_->text(), "検索結果");
    byCode("0000000");
    EXPECT_EQ(lines(), QStringList{"住所は取得されませんでした。"});
}

TEST_F(OfficeSearch, RowsAreDrawnWhiteAndLightYellow) {
    KESZIP_REQUIRE_REAL_DATA();
    byName(kToyota, 0);
    ASSERT_GE(list_->count(), 3);
    const QColor highlight = list_->palette().color(QPalette::Active, QPalette::Highlight);
    ASSERT_NE(highlight, QColor(Qt::white));

    // Two lines of text per item.
    const QFontMetrics metrics(list_->font());
    EXPECT_EQ(list_->visualItemRect(list_->item(0)).height(),
              2 * metrics.size(Qt::TextSingleLine, QString::fromUtf8("■")).height());

    auto background = [&](const QImage& image, int row) {
        // Right of the text, inside the one-pixel margin.
        const QRect rect = list_->visualItemRect(list_->item(row));
        return QColor(image.pixel(image.width() - 5, rect.center().y()));
    };
    list_->clearSelection();
    QImage image = list_->viewport()->grab().toImage();
    EXPECT_EQ(background(image, 0), QColor(Qt::white));
    EXPECT_EQ(background(image, 1), QColor(255, 255, 224));
    EXPECT_EQ(background(image, 2), QColor(Qt::white));
    // Text is black on the rows.
    const QRect first = list_->visualItemRect(list_->item(0));
    bool dark = false;
    for (int x = first.left() + 2; x < first.left() + 60; ++x) {
        for (int y = first.top() + 1; y < first.bottom(); ++y) {
            if (QColor(image.pixel(x, y)).lightness() < 80) dark = true;
        }
    }
    EXPECT_TRUE(dark);

    // The item with the focus is framed in the highlight colour, the others in white.
    dialog_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    list_->setFocus();
    list_->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    image = list_->viewport()->grab().toImage();
    auto frame = [&](int row) {
        const QRect rect = list_->visualItemRect(list_->item(row));
        return QColor(image.pixel(image.width() / 2, rect.top()));
    };
    EXPECT_EQ(frame(1), highlight);
    EXPECT_EQ(frame(0), QColor(Qt::white));
    EXPECT_EQ(frame(2), QColor(Qt::white));
    EXPECT_EQ(background(image, 1), QColor(255, 255, 224));  // focused, not selected

    // The selection wins over the row colour, whatever the row.
    for (int row : {1, 2}) {
        selectRow(list_, row);
        image = list_->viewport()->grab().toImage();
        EXPECT_EQ(background(image, row), highlight) << row;
        EXPECT_EQ(background(image, row == 1 ? 2 : 1),
                  QColor(row == 1 ? Qt::white : QColor(255, 255, 224)));
        EXPECT_EQ(background(image, 0), QColor(Qt::white));
    }
}

TEST_F(OfficeSearch, DetailsKeepTheNameWhole) {
    KESZIP_REQUIRE_REAL_DATA();
    byName(kToyota, 0);
    const int row = lines().indexOf(kToyotaHit);
    ASSERT_GE(row, 0);
    QStringList shown;
    whenModal<gui::OfficeInfoDialog>([&](gui::OfficeInfoDialog& info) {
        for (int id : {search_office_info::kCodeEdit, search_office_info::kNameEdit,
                       search_office_info::kAddressEdit})
            shown << control<QLineEdit>(&info, id)->text();
        QTest::mouseClick(control<QPushButton>(&info, search_office_info::kCloseButton),
                          Qt::LeftButton);
    });
    doubleClickRow(list_, row);
    // The ideographic space inside the name stays; only the code ends at a blank.
    EXPECT_EQ(shown,
              (QStringList{"4718571", "トヨタ自動車　株式会社", "愛知県 豊田市 トヨタ町１"}));

    // Enter on a selected hit opens it too.
    shown.clear();
    whenModal<gui::OfficeInfoDialog>([&](gui::OfficeInfoDialog& info) {
        shown << control<QLineEdit>(&info, search_office_info::kCodeEdit)->text();
        info.accept();
    });
    selectRow(list_, 0);
    list_->setFocus();
    pressEnter(list_);
    EXPECT_EQ(shown.size(), 1);

    // The not-found line opens nothing.
    byCode("0000000");
    QTimer* unexpected = whenModal<gui::OfficeInfoDialog>([](gui::OfficeInfoDialog& info) {
        ADD_FAILURE() << "a detail dialog opened";
        info.reject();
    });
    selectRow(list_, 0);
    pressEnter(list_);
    doubleClickRow(list_, 0);
    QCoreApplication::processEvents();
    delete unexpected;
}
