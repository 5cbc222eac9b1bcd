// The Access page driven as a user drives it: a SQLite database typed or
// browsed for, the table list refilled as it drops down, the field lists
// filled when a table is chosen, the checks in their order with their focus,
// and a run that converts the table in place after making its backup copy.
#include "gui/access_page.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "gui/access_page_ids.h"
#include "gui_harness.h"
#include "support/test_support.h"

using namespace gui_testing;
using namespace gui::ids;

namespace {

constexpr int kPage = access_page::kTemplate;

void sql(const std::string& path, const std::string& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string value(const std::string& path, const std::string& query) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt* s = nullptr;
    std::string out = "(none)";
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW)
        out = sqlite3_column_text(s, 0) ? reinterpret_cast<const char*>(sqlite3_column_text(s, 0))
                                        : "NULL";
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

QComboBox* combo(Program& program, int id) {
    return qobject_cast<QComboBox*>(program.control(kPage, id));
}

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

// Opens the table list with F4 (it is refilled then) and picks `row` in it
// with Home, the arrow keys and Enter; an empty list is closed again.
void chooseTable(Program& program, int row) {
    QComboBox* tables = combo(program, access_page::kTableList);
    tables->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tables, Qt::Key_F4);
    QWidget* list = QApplication::focusWidget();
    if (tables->count() == 0) {
        QTest::keyClick(list, Qt::Key_Escape);
        return;
    }
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < row; ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

void typeField(Program& program, int id, const QString& text) {
    QComboBox* box = combo(program, id);
    box->setFocus(Qt::TabFocusReason);
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    typeText(box->lineEdit(), text);
}

struct AccessPageTest : ::testing::Test {
    Program program;
    std::string database;

    void SetUp() override {
        database = program.dir.file("addr.db");
        sql(database,
            "CREATE TABLE 顧客 (id INTEGER PRIMARY KEY, 県 VARCHAR(10), 住所 TEXT, "
            "郵便番号 VARCHAR(8), 短 VARCHAR(7), 数 INTEGER);"
            "INSERT INTO 顧客 (県, 住所) VALUES ('東京都', '千代田区丸の内１丁目'), "
            "('大阪府', '大阪市北区梅田３丁目'), ('どこでもない', '架空町');"
            "CREATE TABLE 空 (a VARCHAR(9));");
        program.context.options.HyphenMode = 1;
        program.engine.setHyphenMode(1);
        program.goToPage(kPage);
        program.type(kPage, access_page::kDatabaseEdit, QString::fromStdString(database));
        QTest::keyClick(program.control(kPage, access_page::kDatabaseEdit), Qt::Key_Tab);
    }
};

TEST_F(AccessPageTest, ListsFollowTheDatabaseAndTheChosenTable) {
    EXPECT_EQ(combo(program, access_page::kTableList)->count(), 0)
        << "filled only when it drops down";
    chooseTable(program, 0);
    EXPECT_EQ(items(combo(program, access_page::kTableList)), (QStringList{"顧客", "空"}));
    EXPECT_EQ(combo(program, access_page::kTableList)->currentText(), QStringLiteral("顧客"));
    const QStringList fields{"id", "県", "住所", "郵便番号", "短", "数"};
    for (int id :
         {access_page::kAddress1List, access_page::kAddress2List, access_page::kAddress3List,
          access_page::kAddress4List, access_page::kDestinationList}) {
        EXPECT_EQ(items(combo(program, id)), fields) << id;
        EXPECT_EQ(combo(program, id)->currentText(), QString()) << id;
    }
    // Another database empties every list.
    program.type(kPage, access_page::kDatabaseEdit,
                 QString::fromStdString(program.dir.file("other.db")));
    QTest::keyClick(program.control(kPage, access_page::kDatabaseEdit), Qt::Key_Tab);
    for (int id :
         {access_page::kTableList, access_page::kAddress1List, access_page::kAddress2List,
          access_page::kAddress3List, access_page::kAddress4List, access_page::kDestinationList})
        EXPECT_EQ(combo(program, id)->count(), 0);
    // A database that cannot be opened leaves the table list empty, without a message.
    chooseTable(program, 0);
    EXPECT_EQ(combo(program, access_page::kTableList)->count(), 0);
    EXPECT_TRUE(program.dialogs.messages.empty());
}

TEST_F(AccessPageTest, BrowsingOffersDatabaseFilesAndServerDatabasesHaveNoBackup) {
    program.dialogs.fileNames = {QString::fromStdString(database)};
    program.click(kPage, access_page::kBrowseDatabaseButton);
    ASSERT_EQ(program.dialogs.filters.size(), 1);
    EXPECT_TRUE(program.dialogs.filters[0].contains("*.db"));
    EXPECT_TRUE(program.dialogs.filters[0].contains("*.mdb"));
    EXPECT_TRUE(program.dialogs.filters[0].contains("*.accdb"));
    auto* backup = qobject_cast<QCheckBox*>(program.control(kPage, access_page::kBackupCheck));
    EXPECT_TRUE(backup->isEnabled());
    program.type(kPage, access_page::kDatabaseEdit, QStringLiteral("odbc:DSN=addresses"));
    EXPECT_FALSE(backup->isEnabled());
    program.type(kPage, access_page::kDatabaseEdit,
                 QStringLiteral("odbc:DRIVER={Access};DBQ=/data/addr.mdb"));
    EXPECT_TRUE(backup->isEnabled());
}

TEST_F(AccessPageTest, ChecksInTheirOrderWithTheirFocus) {
    struct Case {
        std::function<void()> fill;
        int message;
        int focus;
    };
    auto field = [this](int id, const char* text) {
        typeField(program, id, QString::fromUtf8(text));
    };
    const Case cases[] = {
        {[&] { program.type(kPage, access_page::kDatabaseEdit, QString()); }, 300,
         access_page::kDatabaseEdit},
        {[&] {
             program.type(kPage, access_page::kDatabaseEdit,
                          QString::fromStdString(program.dir.file("none.db")));
         },
         14, access_page::kDatabaseEdit},
        {[&] {}, 301, access_page::kTableList},
        {[&] {
             chooseTable(program, 0);
             field(access_page::kAddress1List, "県");
             field(access_page::kAddress2List, "無い");
             field(access_page::kDestinationList, "郵便番号");
         },
         303, access_page::kAddress1List},
        {[&] {
             field(access_page::kAddress2List, "住所");
             field(access_page::kDestinationList, "郵便番号X");
         },
         303, access_page::kDestinationList},
        {[&] { field(access_page::kDestinationList, ""); }, 302, access_page::kDestinationList},
        {[&] { field(access_page::kDestinationList, "住所"); }, 305, access_page::kDestinationList},
        {[&] {
             field(access_page::kDestinationList, "郵便番号");
             field(access_page::kAddress4List, "県");
         },
         305, access_page::kAddress1List},
        {[&] {
             field(access_page::kAddress4List, "");
             field(access_page::kDestinationList, "数");
         },
         307, access_page::kDestinationList},
        {[&] { field(access_page::kDestinationList, "短"); }, 306,
         access_page::kDestinationList},  // 8 needed with the hyphen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        if (c.message == 301) {
            program.type(kPage, access_page::kDatabaseEdit, QString::fromStdString(database));
            QTest::keyClick(program.control(kPage, access_page::kDatabaseEdit), Qt::Key_Tab);
        }
        c.fill();
        const std::size_t shown = program.dialogs.messages.size();
        program.click(kPage, access_page::kRunAllButton);
        ASSERT_EQ(program.dialogs.messages.size(), shown + 1);
        EXPECT_EQ(program.dialogs.messages.back().caption,
                  QStringLiteral("エラー ( %1 )").arg(c.message, 3));
        EXPECT_EQ(QApplication::focusWidget() == program.control(kPage, c.focus) ||
                      (QApplication::focusWidget() && QApplication::focusWidget()->parentWidget() ==
                                                          program.control(kPage, c.focus)),
                  true)
            << c.focus;
        EXPECT_TRUE(program.dialogs.questions.empty()) << "nothing ran";
    }
    EXPECT_EQ(value(database, "SELECT count(*) FROM 顧客 WHERE 郵便番号 IS NOT NULL"), "0");
}

TEST_F(AccessPageTest, RunConvertsInPlaceAfterTheBackupCopy) {
    KESZIP_REQUIRE_REAL_DATA();
    chooseTable(program, 0);
    typeField(program, access_page::kAddress1List, QStringLiteral("県"));
    typeField(program, access_page::kAddress2List, QStringLiteral("住所"));
    typeField(program, access_page::kDestinationList, QStringLiteral("郵便番号"));
    qobject_cast<QCheckBox*>(program.control(kPage, access_page::kBackupCheck))->setChecked(true);
    program.dialogs.answers = {true};
    program.click(kPage, access_page::kRunAllButton);
    ASSERT_EQ(program.dialogs.questions.size(), 1u);
    EXPECT_TRUE(program.dialogs.questions[0].text.endsWith(
        QStringLiteral("７桁郵便番号変換を開始していいですか？")));
    ASSERT_FALSE(program.dialogs.messages.empty());
    EXPECT_TRUE(
        program.dialogs.messages.back().text.startsWith(QStringLiteral("変換が終了しました。")));
    EXPECT_EQ(value(database, "SELECT group_concat(ifnull(郵便番号, '-')) FROM 顧客"),
              "100-0005,530-0001,-");
    EXPECT_EQ(value(database + ".BKP", "SELECT count(郵便番号) FROM 顧客"), "0");
    // The page keeps the database and the check box in the settings.
    EXPECT_EQ(program.context.options.SFileName, database);
    EXPECT_EQ(program.context.params.AccessExcelBackUpFlg, 1);
}

}  // namespace
