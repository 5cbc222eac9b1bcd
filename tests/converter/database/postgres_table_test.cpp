// The table wrapper over a real PostgreSQL server, through unixODBC and the
// PostgreSQL ODBC driver. The server is started by the tests themselves.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "database/dao_table.h"
#include "postgres_server.h"
#include "support/test_support.h"

using namespace converter;
using database_test::PostgresServer;
using testing_support::sj;

namespace {

class PostgresTable : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = std::make_unique<PostgresServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        if (server->missing()) GTEST_SKIP() << server->problem();
        ASSERT_TRUE(server->ready()) << server->problem();
        ASSERT_NE(server->connectionString(), "")
            << "the PostgreSQL ODBC driver (Debian package odbc-postgresql) is not installed";
        database = std::string(kOdbcPrefix) + server->connectionString();
    }
    static std::unique_ptr<PostgresServer> server;
    std::string database;
};
std::unique_ptr<PostgresServer> PostgresTable::server;

std::string text(DaoTable& t, const std::string& field) {
    auto v = valueText(t.GetValue(field));
    return v ? *v : "(none)";
}

TEST_F(PostgresTable, CatalogueTypesAndValues) {
    server->sql(
        "DROP TABLE IF EXISTS 住所録;"
        "CREATE TABLE 住所録 (id integer PRIMARY KEY, 住所 varchar(80), 番地 integer, "
        "比 double precision, 小 smallint, 大 bigint, 可 boolean, 額 numeric(10,2), 日 timestamp, "
        "時 time, 郵便番号 varchar(8), 短 char(7), 備考 text, 写 bytea);"
        "INSERT INTO 住所録 VALUES (2, '東京都千代田区', 12, 1.5, -3, 5000000000, true, 12.50, "
        "'2005-03-07 09:05:01', '12:34:56', NULL, NULL, 'メモ', '\\x00ff');"
        "INSERT INTO 住所録 (id, 住所) VALUES (1, NULL);"
        "DROP TABLE IF EXISTS \"under_score\"; CREATE TABLE \"under_score\" (k text PRIMARY KEY, "
        "v varchar(8));"
        "DROP TABLE IF EXISTS underXscore; CREATE TABLE underXscore (k int PRIMARY KEY, w text);");
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(database)) << t.lastError();
    std::vector<std::string> names;
    std::string name;
    for (bool first = true; t.NextTableName(name, first); first = false) names.push_back(name);
    EXPECT_NE(std::find(names.begin(), names.end(), sj("住所録")), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "pg_class"), names.end());

    // '_' in a name is not a wildcard of the catalogue functions.
    ASSERT_TRUE(t.OpenTable("under_score"));
    EXPECT_EQ(t.fieldCount(), 2);

    ASSERT_TRUE(t.OpenTable(sj("住所録"))) << t.lastError();
    EXPECT_EQ(t.fieldCount(), 14);
    struct Expect {
        const char* field;
        int type;
        int size;
    };
    for (const Expect& e :
         {Expect{"住所", kDbText, 80}, Expect{"番地", kDbLong, 4}, Expect{"比", kDbDouble, 8},
          Expect{"小", kDbInteger, 2}, Expect{"大", kDbBigInt, 8}, Expect{"可", kDbBoolean, 1},
          Expect{"日", kDbDate, 8}, Expect{"郵便番号", kDbText, 8}, Expect{"短", kDbText, 7},
          Expect{"備考", kDbMemo, 0}}) {
        DaoFieldInfo info;
        ASSERT_TRUE(t.FieldInfo(sj(e.field), info)) << e.field;
        EXPECT_EQ(info.type, e.type) << e.field;
        EXPECT_EQ(info.size, e.size) << e.field;
    }
    ASSERT_TRUE(t.OpenRecords()) << t.lastError();
    EXPECT_EQ(t.recordCount(), 2);
    ASSERT_EQ(t.Move(0, true), 1);  // key order: id 1 first
    EXPECT_EQ(t.GetValue(sj("住所")).kind, ValueKind::Null);
    ASSERT_EQ(t.Move(1, false), 2);
    EXPECT_EQ(text(t, sj("住所")), sj("東京都千代田区"));
    EXPECT_EQ(text(t, sj("番地")), "12");
    EXPECT_EQ(text(t, sj("比")), "1.500000");
    EXPECT_EQ(text(t, sj("小")), "-3");
    EXPECT_EQ(text(t, sj("大")), "5000000000");
    EXPECT_EQ(text(t, sj("可")), "-1");
    EXPECT_EQ(t.GetValue(sj("額")).kind, ValueKind::Decimal);
    EXPECT_EQ(text(t, sj("日")), "05/03/07 09:05:01");
    EXPECT_EQ(text(t, sj("時")), "99/12/30 12:34:56");
    EXPECT_EQ(text(t, sj("備考")), sj("メモ"));
    EXPECT_EQ(t.GetValue(sj("写")).kind, ValueKind::Binary);
    EXPECT_EQ(t.Move(1, false), 0);
}

TEST_F(PostgresTable, WritesByKeyInBatches) {
    server->sql(
        "DROP TABLE IF EXISTS k;"
        "CREATE TABLE k (a text, b int, zip varchar(8), PRIMARY KEY (a, b));"
        "INSERT INTO k VALUES ('y', 1, NULL), ('x', 2, NULL), ('x', 1, NULL), ('z', 0, NULL);"
        "CREATE OR REPLACE FUNCTION refuse() RETURNS trigger AS $$ BEGIN "
        "IF NEW.zip = 'bad' THEN RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ "
        "LANGUAGE plpgsql;"
        "CREATE TRIGGER refuse BEFORE UPDATE ON k FOR EACH ROW EXECUTE FUNCTION refuse();");
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(database)) << t.lastError();
    ASSERT_TRUE(t.OpenTable("k"));
    ASSERT_TRUE(t.OpenRecords()) << t.lastError();
    ASSERT_TRUE(t.beginBatch());
    const char* values[] = {"1", "bad", "3", "4"};
    std::string order;
    std::vector<bool> written;
    for (long p = t.Move(0, true); p != 0; p = t.Move(1, false)) {
        order += text(t, "a") + text(t, "b") + " ";
        ASSERT_TRUE(t.edit());
        ASSERT_TRUE(t.SetValue("zip", FieldValue::text(values[p - 1])));
        written.push_back(t.update());
    }
    EXPECT_EQ(order, "x1 x2 y1 z0 ");
    // The server abandons the transaction at the refused write; the writes
    // before it are made again, the ones after it go on.
    EXPECT_EQ(written, (std::vector<bool>{true, false, true, true}));
    std::vector<long> lost;
    EXPECT_TRUE(t.commitBatch(lost));
    EXPECT_TRUE(lost.empty());
    t.close();
    EXPECT_EQ(server->sql("SELECT string_agg(coalesce(zip, '-'), ',' ORDER BY a, b) FROM k"),
              "1,-,3,4");
}

TEST_F(PostgresTable, ServerDatabasesHaveNoBackupCopy) {
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(database));
    EXPECT_FALSE(t.canBackup());
    EXPECT_FALSE(t.backup("/tmp/x.BKP"));
}

TEST(OdbcDatabase, RefusesAnUnknownDataSource) {
    DaoTable t;
    EXPECT_FALSE(t.OpenDatabase("odbc:no-such-data-source-here"));
    EXPECT_NE(t.lastError(), "");
    EXPECT_FALSE(t.OpenDatabase("odbc:DRIVER=/no/such/driver.so;SERVER=127.0.0.1"));
}

}  // namespace

namespace {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// zelko7 convert table with the real dictionaries over a table on the server.
TEST_F(PostgresTable, ConvertCommandConvertsEveryRecordThroughOdbc) {
    KESZIP_REQUIRE_REAL_DATA();
    // Three kinds of record, repeated: two real addresses and one that is not.
    const int count = 300;
    std::string rows;
    for (int i = 1; i <= count; ++i) {
        const char* values[] = {"('東京都', '千代田区霞が関', 1)",
                                "('大阪府', '大阪市北区梅田', 2)", "(NULL, '存在しない市', NULL)"};
        rows += std::string(i == 1 ? "" : ",") + values[i % 3];
    }
    server->sql(
        "DROP TABLE IF EXISTS 顧客;"
        "CREATE TABLE 顧客 (id serial PRIMARY KEY, 県 varchar(10), 住所 text, 丁目 integer, "
        "郵便番号 varchar(8) DEFAULT 'old');"
        "INSERT INTO 顧客 (県, 住所, 丁目) VALUES " +
        rows +
        ";"
        "DROP TABLE IF EXISTS nokey; CREATE TABLE nokey (a text, zip varchar(8));"
        "INSERT INTO nokey VALUES ('x', NULL);");
    testing_support::TempDir dir;
    const std::string common = "convert table --database " + shellQuoted(database) +
                               " --mode 7 --hyphen --no-max-errors --yes --error-file " +
                               dir.file("err.txt") + " ";
    std::string output;
    int status = testing_support::runCommand(
        testing_support::binPath("zelko7") + " " + common +
            "--table 顧客 --fields 県,住所,丁目 --dest-field 郵便番号 2>&1",
        &output);
    ASSERT_EQ(status, 0) << output;
    const std::string table =
        server->sql("SELECT id || ':' || coalesce(郵便番号, '-') FROM 顧客 ORDER BY id");
    std::string expected;
    for (int i = 1; i <= count; ++i) {
        const char* zip[] = {"100-0013", "530-0001", "old"};
        expected += (i == 1 ? "" : "\n") + std::to_string(i) + ":" + zip[i % 3];
    }
    EXPECT_EQ(table, expected);
    const std::string errors = testing_support::readFile(dir.file("err.txt"));
    EXPECT_NE(errors.find(sj("ﾚｺｰﾄﾞNo：[2],住所文字列：[存在しない市]")), std::string::npos);

    // A table without a key cannot be written record by record: message 15.
    status = testing_support::runCommand(testing_support::binPath("zelko7") + " " + common +
                                             "--table nokey --fields a --dest-field zip 2>&1",
                                         &output);
    EXPECT_EQ(status, 10);
    EXPECT_NE(output.find("レコードがオープンできません。"), std::string::npos) << output;
    // A server database has no file to copy.
    status = testing_support::runCommand(
        testing_support::binPath("zelko7") + " " + common +
            "--table 顧客 --fields 住所 --dest-field 郵便番号 --backup 2>&1",
        &output);
    EXPECT_EQ(status, 10);
    EXPECT_NE(output.find("server database"), std::string::npos) << output;
}

}  // namespace

namespace {

TEST_F(PostgresTable, RecordsReadAheadAreReadAnewOnceWritten) {
    std::string rows;
    for (int i = 1; i <= 150; ++i)
        rows += (i > 1 ? "," : "") + std::string("('a") + std::to_string(i) + "')";
    server->sql(
        "DROP TABLE IF EXISTS ahead; CREATE TABLE ahead (id serial PRIMARY KEY, v text, "
        "zip varchar(8)); INSERT INTO ahead (v) VALUES " +
        rows + ";");
    DaoTable t;
    ASSERT_TRUE(t.OpenDatabase(database)) << t.lastError();
    ASSERT_TRUE(t.OpenTable("ahead"));
    ASSERT_TRUE(t.OpenRecords());
    // Every record comes with its own values, across the blocks read ahead.
    std::string seen;
    for (long p = t.Move(0, true); p != 0; p = t.Move(1, false))
        if (text(t, "v") != "a" + std::to_string(p)) seen += std::to_string(p) + " ";
    EXPECT_EQ(seen, "");
    // A record written is read anew.
    ASSERT_EQ(t.Move(69, true), 70);
    EXPECT_EQ(text(t, "zip"), "(none)");
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue("zip", FieldValue::text("7")));
    ASSERT_TRUE(t.update());
    EXPECT_EQ(text(t, "zip"), "7");
    // A record deleted by another program is gone when it is written.
    ASSERT_EQ(t.Move(0, true), 1);
    EXPECT_EQ(text(t, "v"), "a1");
    server->sql("DELETE FROM ahead WHERE id = 2");
    ASSERT_EQ(t.Move(1, false), 2);
    ASSERT_TRUE(t.edit());
    ASSERT_TRUE(t.SetValue("zip", FieldValue::text("2")));
    EXPECT_FALSE(t.update());
}

// Another session holds the rows the run would write: the run waits a few
// seconds, then ends as a database in use (exit 7) without failed records,
// instead of waiting as long as the other session keeps its lock.
TEST_F(PostgresTable, RowsLockedByAnotherSessionEndTheRunAsInUse) {
    KESZIP_REQUIRE_REAL_DATA();
    server->sql(
        "DROP TABLE IF EXISTS locked; CREATE TABLE locked (id serial PRIMARY KEY, a text, "
        "zip varchar(8)); INSERT INTO locked (a) VALUES ('東京都千代田区霞が関'), ('大阪府');");
    std::thread holder([&] {
        try {
            server->sql("BEGIN; SELECT id FROM locked FOR UPDATE; SELECT pg_sleep(30); COMMIT;");
        } catch (const std::exception&) {
            // Ended by pg_cancel_backend below.
        }
    });
    // The holder's lock, seen from another session.
    const std::string holders =
        "FROM pg_locks WHERE relation = 'locked'::regclass AND mode = 'RowShareLock' AND "
        "granted AND pid <> pg_backend_pid()";
    for (int i = 0; i < 100 && server->sql("SELECT count(*) " + holders) != "1"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    testing_support::TempDir dir;
    std::string output;
    const auto start = std::chrono::steady_clock::now();
    const int status = testing_support::runCommand(
        testing_support::binPath("zelko7") + " convert table --database " + shellQuoted(database) +
            " --table locked --fields a --dest-field zip --yes --error-file " +
            dir.file("err.txt") + " 2>&1",
        &output);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    server->sql("SELECT count(pg_cancel_backend(pid)) " + holders);
    holder.join();
    EXPECT_EQ(status, 7) << output;
    EXPECT_NE(output.find("データベースが他のプログラムで使用中"), std::string::npos) << output;
    EXPECT_LT(seconds, 20);
    EXPECT_EQ(server->sql("SELECT count(zip) FROM locked"), "0");
}

}  // namespace
