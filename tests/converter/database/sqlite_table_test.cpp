// The table wrapper over SQLite files made in the tests.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "database/dao_table.h"
#include "sqlite_test_db.h"
#include "support/test_support.h"

using namespace converter;
using database_test::SqliteFile;
using testing_support::sj;
using testing_support::TempDir;

namespace {

std::vector<std::string> tableNames(DaoTable& t) {
    std::vector<std::string> names;
    std::string name;
    for (bool first = true; t.NextTableName(name, first); first = false) names.push_back(name);
    EXPECT_EQ(name, "");
    return names;
}

std::string text(DaoTable& t, const std::string& field) {
    auto v = valueText(t.GetValue(field));
    return v ? *v : "(none)";
}

class SqliteTable : public ::testing::Test {
  protected:
    void SetUp() override {
        path = dir.file("addr.db");
        SqliteFile db(path);
        db.exec(
            "CREATE TABLE 住所録 (id INTEGER PRIMARY KEY, 住所 VARCHAR(80), 番地 INTEGER, "
            "高さ DOUBLE, 郵便番号 VARCHAR(8), 備考 TEXT, 登録日 DATE, 写真 BLOB);"
            "CREATE TABLE empty (a VARCHAR(8));"
            "CREATE VIEW v AS SELECT * FROM 住所録;"
            "CREATE INDEX i ON 住所録(住所);"
            "CREATE TABLE \"we\"\"ird\" (\"a\"\"b\" VARCHAR(3));");
        // Rowids out of insertion order: the table's order is the rowid order.
        db.exec(
            "INSERT INTO 住所録 (id, 住所, 番地, 高さ) VALUES (30, '東京都千代田区', 12, 1.5);"
            "INSERT INTO 住所録 (id, 住所, 番地, 高さ, 登録日) VALUES (10, '大阪府', NULL, NULL, "
            "'2001-02-03');"
            "INSERT INTO 住所録 (id, 住所) VALUES (20, NULL);");
    }
    TempDir dir;
    std::string path;
};

TEST_F(SqliteTable, OpensListsAndDescribes) {
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    EXPECT_FALSE(t.OpenDatabase(path)) << "already open";
    EXPECT_EQ(tableNames(t), (std::vector<std::string>{sj("住所録"), "empty", "we\"ird"}));
    ASSERT_TRUE(t.OpenTable(sj("住所録")));
    EXPECT_EQ(t.fieldCount(), 8);
    DaoFieldInfo info;
    ASSERT_TRUE(t.FieldInfo(sj("郵便番号"), info));
    EXPECT_EQ(info.type, kDbText);
    EXPECT_EQ(info.size, 8);
    ASSERT_TRUE(t.FieldInfo(sj("備考"), info));
    EXPECT_EQ(info.type, kDbMemo);
    EXPECT_FALSE(t.FieldInfo(sj("存在しない"), info));
    std::vector<std::string> names;
    for (bool first = true; t.FieldInfo(first, info); first = false) names.push_back(info.name);
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(names[1], sj("住所"));
    EXPECT_FALSE(t.OpenTable("v")) << "a view is not a table";
    EXPECT_FALSE(t.OpenTable("nosuch"));
    ASSERT_TRUE(t.OpenTable("we\"ird"));
    ASSERT_TRUE(t.FieldInfo("a\"b", info));
    t.close();
    EXPECT_FALSE(t.isOpen());
}

TEST_F(SqliteTable, RefusesWhatIsNotADatabase) {
    DaoTable t;
    EXPECT_FALSE(t.OpenDatabase(dir.file("missing.db")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.db"))) << "never creates a database";
    testing_support::writeFile(dir.file("notes.txt"), "just some text, not a database at all");
    EXPECT_FALSE(t.OpenDatabase(dir.file("notes.txt")));
    EXPECT_FALSE(t.OpenDatabase(""));
    EXPECT_FALSE(t.OpenDatabase(dir.path()));
    std::string name;
    EXPECT_FALSE(t.NextTableName(name, true));
    EXPECT_FALSE(t.OpenTable("empty"));
}

TEST_F(SqliteTable, RecordsInTableOrderWithTheirValues) {
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    ASSERT_TRUE(t.OpenTable(sj("住所録")));
    ASSERT_TRUE(t.OpenRecords());
    EXPECT_EQ(t.recordCount(), 3);
    ASSERT_EQ(t.Move(0, true), 1);  // id 10
    EXPECT_EQ(text(t, sj("住所")), sj("大阪府"));
    EXPECT_EQ(t.GetValue(sj("番地")).kind, ValueKind::Null);
    EXPECT_EQ(text(t, sj("登録日")), "01/02/03 00:00:00");
    EXPECT_EQ(t.GetValue(sj("写真")).kind, ValueKind::Null);
    EXPECT_EQ(t.GetValue(sj("ない")).kind, ValueKind::Empty);
    ASSERT_EQ(t.Move(1, false), 2);  // id 20
    EXPECT_EQ(t.GetValue(sj("住所")).kind, ValueKind::Null);
    ASSERT_EQ(t.Move(1, false), 3);  // id 30
    EXPECT_EQ(text(t, sj("住所")), sj("東京都千代田区"));
    EXPECT_EQ(text(t, sj("番地")), "12");
    EXPECT_EQ(text(t, sj("高さ")), "1.500000");
    EXPECT_EQ(t.Move(1, false), 0);
    EXPECT_EQ(t.GetValue(sj("住所")).kind, ValueKind::Empty);
    EXPECT_EQ(t.Move(1, false), 0);
    EXPECT_EQ(t.Move(2, true), 3);
    EXPECT_EQ(t.Move(3, true), 0);

    ASSERT_TRUE(t.OpenTable("empty"));
    ASSERT_TRUE(t.OpenRecords());
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.Move(0, true), 0);
}

TEST_F(SqliteTable, WritesAddressTheRecordByItsKey) {
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    ASSERT_TRUE(t.OpenTable(sj("住所録")));
    ASSERT_TRUE(t.OpenRecords());
    ASSERT_EQ(t.Move(2, true), 3);
    EXPECT_FALSE(t.SetValue(sj("郵便番号"), FieldValue::text("100-0001"))) << "not editing";
    ASSERT_TRUE(t.edit());
    EXPECT_FALSE(t.SetValue(sj("郵便番号"), FieldValue::text("100-00011"))) << "9 > 8 characters";
    EXPECT_FALSE(t.SetValue(sj("ない"), FieldValue::text("1")));
    EXPECT_TRUE(t.SetValue(sj("郵便番号"), FieldValue::text("100-0001")));
    EXPECT_TRUE(t.SetValue(sj("備考"), FieldValue::text(sj("メモ"))));
    ASSERT_TRUE(t.update());
    EXPECT_FALSE(t.update()) << "no longer editing";
    EXPECT_EQ(text(t, sj("郵便番号")), "100-0001");

    // Another program inserts a record in front and deletes one: the record
    // set keeps its keys, and the writes still reach the right records.
    SqliteFile other(path);
    other.exec(
        "INSERT INTO 住所録 (id, 住所) VALUES (1, 'new'); DELETE FROM 住所録 WHERE id = 20;");
    ASSERT_EQ(t.Move(0, true), 1);
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue(sj("郵便番号"), FieldValue::text("5300001")));
    ASSERT_TRUE(t.update());
    ASSERT_EQ(t.Move(1, false), 2);
    EXPECT_EQ(t.GetValue(sj("住所")).kind, ValueKind::Empty) << "deleted meanwhile";
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue(sj("郵便番号"), FieldValue::text("0000000")));
    EXPECT_FALSE(t.update()) << "a write to a deleted record fails";
    t.close();
    EXPECT_EQ(other.value("SELECT 郵便番号 FROM 住所録 WHERE id = 10"), "5300001");
    EXPECT_EQ(other.value("SELECT 郵便番号 FROM 住所録 WHERE id = 30"), "100-0001");
    EXPECT_EQ(other.value("SELECT 備考 FROM 住所録 WHERE id = 30"), "メモ");
    EXPECT_EQ(other.value("SELECT 郵便番号 FROM 住所録 WHERE id = 1"), "NULL");
}

TEST_F(SqliteTable, TablesWithoutRowidOrWithAColumnCalledRowid) {
    {
        SqliteFile db(path);
        db.exec(
            "CREATE TABLE k (code TEXT, n INTEGER, zip VARCHAR(8), PRIMARY KEY (code, n)) "
            "WITHOUT ROWID;"
            "INSERT INTO k VALUES ('b', 1, NULL), ('a', 2, NULL), ('a', 1, NULL);"
            "CREATE TABLE r (rowid VARCHAR(5), zip VARCHAR(8));"
            "INSERT INTO r VALUES ('x', NULL), ('y', NULL);");
    }
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    ASSERT_TRUE(t.OpenTable("k"));
    ASSERT_TRUE(t.OpenRecords());
    std::string order;
    for (long p = t.Move(0, true); p != 0; p = t.Move(1, false)) {
        order += text(t, "code") + text(t, "n") + " ";
        ASSERT_TRUE(t.edit());
        ASSERT_TRUE(t.SetValue("zip", FieldValue::text(std::to_string(p))));
        ASSERT_TRUE(t.update());
    }
    EXPECT_EQ(order, "a1 a2 b1 ");
    ASSERT_TRUE(t.OpenTable("r"));
    ASSERT_TRUE(t.OpenRecords());
    ASSERT_EQ(t.Move(1, true), 2);
    EXPECT_EQ(text(t, "rowid"), "y");
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue("zip", FieldValue::text("9")));
    ASSERT_TRUE(t.update());
    t.close();
    SqliteFile db(path);
    EXPECT_EQ(db.value("SELECT group_concat(zip) FROM (SELECT zip FROM k ORDER BY code, n)"),
              "1,2,3");
    EXPECT_EQ(db.value("SELECT zip FROM r WHERE rowid = 'y'"), "9");
}

TEST_F(SqliteTable, AFailedWriteInABatchLeavesTheOthersWritten) {
    {
        SqliteFile db(path);
        db.exec(
            "CREATE TABLE t (zip VARCHAR(8));"
            "INSERT INTO t VALUES (NULL), (NULL), (NULL), (NULL);"
            "CREATE TRIGGER refuse BEFORE UPDATE ON t WHEN NEW.zip = 'bad' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    ASSERT_TRUE(t.OpenTable("t"));
    ASSERT_TRUE(t.OpenRecords());
    ASSERT_TRUE(t.beginBatch());
    const char* values[] = {"1", "bad", "3", "4"};
    std::vector<bool> written;
    for (long p = t.Move(0, true); p != 0; p = t.Move(1, false)) {
        ASSERT_TRUE(t.edit());
        ASSERT_TRUE(t.SetValue("zip", FieldValue::text(values[p - 1])));
        written.push_back(t.update());
    }
    EXPECT_EQ(written, (std::vector<bool>{true, false, true, true}));
    EXPECT_NE(t.lastError().find("refused"), std::string::npos);
    std::vector<long> lost;
    EXPECT_TRUE(t.commitBatch(lost));
    EXPECT_TRUE(lost.empty());
    t.close();
    SqliteFile db(path);
    EXPECT_EQ(db.value("SELECT group_concat(ifnull(zip, '-')) FROM t"), "1,-,3,4");
}

TEST_F(SqliteTable, ABatchIsOneTransaction) {
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    ASSERT_TRUE(t.OpenTable(sj("住所録")));
    ASSERT_TRUE(t.OpenRecords());
    ASSERT_TRUE(t.beginBatch());
    ASSERT_EQ(t.Move(0, true), 1);
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue(sj("郵便番号"), FieldValue::text("1")));
    ASSERT_TRUE(t.update());
    SqliteFile other(path);
    EXPECT_EQ(other.value("SELECT 郵便番号 FROM 住所録 WHERE id = 10"), "NULL")
        << "not visible before the commit";
    std::vector<long> lost;
    EXPECT_TRUE(t.commitBatch(lost));
    EXPECT_EQ(other.value("SELECT 郵便番号 FROM 住所録 WHERE id = 10"), "1");
}

TEST_F(SqliteTable, AWriteLockHeldElsewhereIsWaitedForThenReported) {
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    ASSERT_TRUE(t.OpenTable(sj("住所録")));
    ASSERT_TRUE(t.OpenRecords());
    SqliteFile other(path);
    // Another program's write transaction, ended after a moment: the batch
    // waits for it, then reads and writes as a run does.
    other.exec("BEGIN IMMEDIATE; UPDATE 住所録 SET 備考 = 'x' WHERE id = 30;");
    std::thread ender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("COMMIT");
    });
    const bool begun = t.beginBatch();
    ender.join();
    ASSERT_TRUE(begun);
    ASSERT_EQ(t.Move(0, true), 1);
    EXPECT_EQ(text(t, sj("住所")), sj("大阪府"));
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue(sj("郵便番号"), FieldValue::text("1")));
    EXPECT_TRUE(t.update());
    std::vector<long> lost;
    EXPECT_TRUE(t.commitBatch(lost));
    EXPECT_FALSE(t.lockedByOther());
    EXPECT_EQ(other.value("SELECT 郵便番号 FROM 住所録 WHERE id = 10"), "1");

    // A lock that stays: the batch cannot begin, and says why.
    other.exec("BEGIN IMMEDIATE; UPDATE 住所録 SET 備考 = 'y' WHERE id = 30;");
    EXPECT_FALSE(t.beginBatch());
    EXPECT_TRUE(t.lockedByOther());
    other.exec("ROLLBACK");
}

TEST_F(SqliteTable, BackupCopyIsCreatedOrReplacedAndConsistent) {
    const std::string copy = path + ".BKP";
    testing_support::writeFile(copy, "an old copy that is not even a database");
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(path));
    EXPECT_TRUE(t.canBackup());
    // Another program holds uncommitted changes: the copy has the committed state.
    SqliteFile other(path);
    other.exec("BEGIN; UPDATE 住所録 SET 住所 = 'uncommitted';");
    ASSERT_TRUE(t.backup(copy)) << t.lastError();
    other.exec("ROLLBACK");
    SqliteFile saved(copy);
    EXPECT_EQ(saved.value("SELECT group_concat(住所) FROM 住所録 WHERE id != 20"),
              "大阪府,東京都千代田区");
    EXPECT_FALSE(std::filesystem::exists(copy + ".tmp"));
    EXPECT_FALSE(t.backup(dir.file("no/such/folder/x.BKP")));
}

}  // namespace

namespace {

TEST(RecordKeys, IntegerKeysStaySmallAndMixedKeysKeepTheirOrder) {
    RecordKeys keys;
    keys.add({FieldValue::integerOf(ValueKind::Int32, 7)});
    keys.add({FieldValue::integerOf(ValueKind::Int64, -5000000000LL)});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys.at(1)[0].integer, -5000000000LL);
    // A text key turns the list into whole keys; the earlier ones keep their values.
    keys.add({FieldValue::text("a"), FieldValue::integerOf(ValueKind::Int32, 1)});
    keys.add({FieldValue::integerOf(ValueKind::Int32, 9)});
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys.at(0)[0].integer, 7);
    EXPECT_EQ(keys.at(2).size(), 2u);
    EXPECT_EQ(keys.at(2)[0].bytes, "a");
    EXPECT_EQ(keys.at(3)[0].integer, 9);
    keys.clear();
    EXPECT_TRUE(keys.empty());
}

}  // namespace
