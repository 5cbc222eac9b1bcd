// The table conversion over SQLite databases made in the tests: the page's
// checks in their order and the run with its range, errors, stops and writes.
#include "conversion/table_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../conversion/scripted.h"
#include "conversion/conversion_run.h"
#include "conversion/page_checks.h"
#include "conversion/settings.h"
#include "conversion/table_page.h"
#include "conversion/table_start.h"
#include "database/dao_table.h"
#include "scripted_database.h"
#include "sqlite_test_db.h"
#include "support/test_support.h"

using namespace converter;
using converter_test::ScriptedEngine;
using converter_test::ScriptedHost;
using database_test::SqliteFile;
using testing_support::readFile;
using testing_support::sj;
using testing_support::TempDir;

namespace {

struct TableRunFixture : ::testing::Test {
    TempDir dir;
    std::string path;
    ScriptedEngine engine;
    ScriptedHost host;
    ConversionJob job;
    TablePageFields page;
    TableJob tableJob;
    DaoTable table;

    void SetUp() override {
        path = dir.file("addr.db");
        SqliteFile db(path);
        // Twelve records whose rowids are not in insertion order; the
        // address is split over a text, an integer and a real field.
        db.exec(
            "CREATE TABLE 顧客 (id INTEGER PRIMARY KEY, 都道府県 VARCHAR(10), 市区 TEXT, "
            "番地 INTEGER, 号 DOUBLE, 郵便番号 VARCHAR(8), 短 VARCHAR(7), 数 INTEGER, "
            "古 VARCHAR(5));"
            "CREATE TABLE 空 (a VARCHAR(40), zip VARCHAR(8));");
        for (int i = 12; i >= 1; --i)
            db.exec("INSERT INTO 顧客 (id, 都道府県, 市区, 郵便番号) VALUES (" +
                    std::to_string(i * 10) + ", 'P" + std::to_string(i) + "', 'C', 'old');");
        OptionsBlock options = defaultOptions();
        options.MaxErrFlg = 0;
        options.ErrFilFlg = 1;
        options.szErrName = "err.txt";
        applyOptions(options, job);
        for (int i = 1; i <= 12; ++i)
            engine.place("P" + std::to_string(i) + "C", "100000" + std::to_string(i % 10));
        page.database = path;
        page.table = sj("顧客");
        page.addressFields = {sj("都道府県"), sj("市区"), "", ""};
        page.destinationField = sj("郵便番号");
    }
    TablePageCheck prepare() {
        TablePageCheck c = openForRun(page, table);
        if (!c.ok()) return c;
        c = checkTablePage(page, table, job.cnvKbn, engine.hyphen, job, tableJob);
        if (!c.ok()) table.close();
        return c;
    }
    int run() {
        EXPECT_TRUE(prepare().ok());
        const int code = AccessRun(job, tableJob, table, engine, host, dir.path());
        table.close();
        return code;
    }
    std::string zips() {
        SqliteFile db(path);
        return db.value(
            "SELECT group_concat(ifnull(郵便番号, '-'), ',') FROM (SELECT 郵便番号 "
            "FROM 顧客 ORDER BY id)");
    }
};

TEST_F(TableRunFixture, ConvertsEveryRecordInPlace) {
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(zips(),
              "1000001,1000002,1000003,1000004,1000005,1000006,1000007,1000008,1000009,"
              "1000000,1000001,1000002");
    EXPECT_EQ(host.finalCount, 12u);
    EXPECT_EQ(host.errorCount, 0);
    ASSERT_EQ(host.informs.size(), 1u);
    EXPECT_EQ(host.informs[0], sj("変換が終了しました。\n変換時間は 00:00:00 でした。"));
    EXPECT_EQ(readFile(dir.file("err.txt")), "");
}

TEST_F(TableRunFixture, PartialRunFromFiveToNineInTableOrder) {
    job.partial = 1;
    job.firstRecord = 5;
    job.lastRecord = 9;
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(engine.asked, (std::vector<std::string>{"P5C", "P6C", "P7C", "P8C", "P9C"}));
    EXPECT_EQ(zips(), "old,old,old,old,1000005,1000006,1000007,1000008,1000009,old,old,old");
    EXPECT_EQ(host.finalCount, 5u);
}

TEST_F(TableRunFixture, NullsIntegersAndRealsAsAddressPieces) {
    {
        SqliteFile db(path);
        db.exec(
            "UPDATE 顧客 SET 都道府県 = NULL, 市区 = NULL WHERE id = 10;"
            "UPDATE 顧客 SET 市区 = NULL, 番地 = 12, 号 = 1.5 WHERE id = 20;"
            "UPDATE 顧客 SET 都道府県 = NULL WHERE id = 30;");
    }
    engine.place("P212" + std::string("1.500000"), "2000000");
    page.addressFields = {sj("都道府県"), sj("市区"), sj("番地"), sj("号")};
    ASSERT_EQ(run(), kRunEnded);
    ASSERT_GE(engine.asked.size(), 3u);
    EXPECT_EQ(engine.asked[0], "") << "all Null: an empty address";
    EXPECT_EQ(engine.asked[1], "P2121.500000");
    EXPECT_EQ(engine.asked[2], "C");
    EXPECT_EQ(host.errorCount, 2);
    EXPECT_EQ(zips().substr(0, 20), "old,2000000,old,1000");
    EXPECT_EQ(readFile(dir.file("err.txt")),
              sj("ﾚｺｰﾄﾞNo：[1],住所文字列：[]\r\n  住所に誤りがあります。\r\n\r\n"
                 "ﾚｺｰﾄﾞNo：[3],住所文字列：[C]\r\n  住所に誤りがあります。\r\n\r\n"));
}

TEST_F(TableRunFixture, UserStopKeepsWhatWasWrittenAndTouchesNothingElse) {
    host.stopAtPump = 3;
    host.answers = {true};
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(zips(), "1000001,1000002,1000003,old,old,old,old,old,old,old,old,old");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], sj("変換を中止しますか？"));
    EXPECT_EQ(host.informs[0], sj("変換を中止しました。\nちなみにタイムは 00:00:00 でした。"));

    // Answering No goes on to the end.
    host = ScriptedHost();
    host.stopAtPump = 2;
    host.answers = {false};
    {
        SqliteFile db(path);
        db.exec("UPDATE 顧客 SET 郵便番号 = 'old'");
    }
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(host.finalCount, 12u);
    EXPECT_EQ(zips().substr(0, 8), "1000001,");
}

TEST_F(TableRunFixture, ErrorMaximumStopsTheRun) {
    engine.answers.erase("P2C");
    engine.answers.erase("P4C");
    engine.answers.erase("P5C");
    job.maxErrors = true;
    job.maxErrorCount = 2;
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(host.messages, std::vector<int>{13});
    EXPECT_EQ(host.errorCount, 2);
    EXPECT_EQ(host.finalCount, 4u) << "processed count + 1";
    EXPECT_EQ(zips(), "1000001,old,1000003,old,old,old,old,old,old,old,old,old");
}

TEST_F(TableRunFixture, ErrorMaximumOfZeroNeverStops) {
    engine.answers.erase("P2C");
    engine.answers.erase("P4C");
    job.maxErrors = true;
    job.maxErrorCount = 0;
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.errorCount, 2);
    EXPECT_EQ(zips(),
              "1000001,old,1000003,old,1000005,1000006,1000007,1000008,1000009,"
              "1000000,1000001,1000002");
}

TEST_F(TableRunFixture, AFailedWriteIsCountedAndListed) {
    {
        SqliteFile db(path);
        db.exec(
            "CREATE TRIGGER refuse BEFORE UPDATE ON 顧客 WHEN OLD.id = 20 "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(host.errorCount, 1);
    EXPECT_EQ(zips(),
              "1000001,old,1000003,1000004,1000005,1000006,1000007,1000008,1000009,"
              "1000000,1000001,1000002");
    EXPECT_EQ(readFile(dir.file("err.txt")),
              sj("ﾚｺｰﾄﾞNo：[2],住所文字列：[P2C]\r\n  変換結果を書き込めませんでした。\r\n\r\n"));
}

TEST_F(TableRunFixture, EmptyBarcodeLeavesTheRecordAndOtherModesWriteTheirResult) {
    engine.answers["P1C"].addressNumber = "";
    engine.answers["P2C"].addressNumber = "1000002-3";
    page.destinationField = sj("古");  // VARCHAR(5) is too small for barcode data
    job.cnvKbn = 3;
    EXPECT_EQ(prepare().message, 306);
    page.destinationField = sj("郵便番号");
    {
        SqliteFile db(path);
        db.exec("ALTER TABLE 顧客 ADD COLUMN バーコード VARCHAR(14)");
    }
    page.destinationField = sj("バーコード");
    ASSERT_EQ(run(), kRunEnded);
    SqliteFile db(path);
    EXPECT_EQ(db.value("SELECT ifnull(バーコード, '-') FROM 顧客 WHERE id = 10"), "-");
    EXPECT_EQ(db.value("SELECT バーコード FROM 顧客 WHERE id = 20"), "1000002-3");
    EXPECT_EQ(host.errorCount, 0);

    job.cnvKbn = 4;
    page.destinationField = sj("古");
    ASSERT_EQ(run(), kRunEnded);
    EXPECT_EQ(db.value("SELECT 古 FROM 顧客 WHERE id = 20"), "13101");
}

TEST_F(TableRunFixture, EngineAndErrorFileFailuresEndBeforeAnyRecord) {
    engine.opens = false;
    EXPECT_EQ(run(), kEngineNotOpened);
    engine.opens = true;
    job.errorFileName = dir.file("no/such/dir/err.txt");
    EXPECT_EQ(run(), kErrorFileNotOpened);
    job.errorFileName = dir.path() + "/./addr.db";
    EXPECT_EQ(run(), kErrorFileNotOpened) << "the database itself";
    EXPECT_TRUE(engine.asked.empty());
    EXPECT_EQ(zips().substr(0, 4), "old,");
}

TEST_F(TableRunFixture, PageChecksInTheirOrder) {
    auto check = [&](TablePageFields p, int mode, int hyphen) {
        DaoTable t;
        TablePageCheck c = openForRun(p, t);
        if (c.ok()) c = checkTablePage(p, t, mode, hyphen, job, tableJob);
        return c;
    };
    using F = TablePageField;
    struct Case {
        const char* what;
        TablePageFields page;
        int mode, hyphen, message;
        F focus;
    };
    auto with = [this](auto change) {
        TablePageFields p = page;
        change(p);
        return p;
    };
    const Case cases[] = {
        {"no database", with([](auto& p) { p.database = "   "; }), 2, 0, 300, F::Database},
        {"no such database", with([&](auto& p) { p.database = dir.file("x.db"); }), 2, 0, 14,
         F::Database},
        {"no table", with([](auto& p) { p.table = ""; }), 2, 0, 301, F::Table},
        {"no such table", with([](auto& p) { p.table = "nosuch"; }), 2, 0, 304, F::Table},
        {"address field", with([](auto& p) { p.addressFields[2] = sj("無い"); }), 2, 0, 303,
         F::AddressField1},
        {"typed destination", with([](auto& p) { p.destinationField = sj("郵便番号X"); }), 2, 0,
         303, F::DestinationField},
        {"no address field", with([](auto& p) {
             p.addressFields = {"", " ", "", ""};
         }),
         2, 0, 302, F::AddressField1},
        {"no destination", with([](auto& p) { p.destinationField = "  "; }), 2, 0, 302,
         F::DestinationField},
        {"address is destination", with([](auto& p) { p.addressFields[3] = sj("郵便番号"); }), 2, 0,
         305, F::DestinationField},
        {"two equal addresses", with([](auto& p) { p.addressFields[3] = sj("都道府県 "); }), 2, 0,
         305, F::AddressField1},
        {"destination not text", with([](auto& p) { p.destinationField = sj("数"); }), 2, 0, 307,
         F::DestinationField},
        {"memo destination", with([](auto& p) {
             p.destinationField = sj("市区");
             p.addressFields[1] = "";
         }),
         2, 0, 307, F::DestinationField},
        {"size 7 with hyphen", with([](auto& p) { p.destinationField = sj("短"); }), 2, 1, 306,
         F::DestinationField},
        {"size 7 without hyphen", with([](auto& p) { p.destinationField = sj("短"); }), 2, 0, 0,
         F::None},
        {"old code with hyphen", with([](auto& p) { p.destinationField = sj("古"); }), 1, 1, 306,
         F::DestinationField},
        {"local-government code", with([](auto& p) { p.destinationField = sj("古"); }), 4, 1, 0,
         F::None},
        {"empty table", with([](auto& p) {
             p.table = sj("空");
             p.addressFields = {"a", "", "", ""};
             p.destinationField = "zip";
         }),
         2, 0, 308, F::DestinationField},
    };
    for (const Case& c : cases) {
        TablePageCheck got = check(c.page, c.mode, c.hyphen);
        EXPECT_EQ(got.message, c.message) << c.what;
        EXPECT_EQ(got.focus, c.focus) << c.what;
    }
    // Field names are compared exactly: another letter case is another name.
    EXPECT_EQ(check(with([](auto& p) { p.destinationField = "zip"; }), 2, 0).message, 303);
}

TEST_F(TableRunFixture, ListsForThePage) {
    EXPECT_EQ(listTables(databaseTables(), path), (std::vector<std::string>{sj("顧客"), sj("空")}));
    EXPECT_TRUE(listTables(databaseTables(), dir.file("none.db")).empty());
    std::vector<std::string> fields;
    EXPECT_TRUE(listFields(databaseTables(), path, sj("空"), fields).ok());
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "zip"}));
    EXPECT_EQ(listFields(databaseTables(), path, "", fields).message, 301);
    EXPECT_TRUE(fields.empty());
    EXPECT_EQ(listFields(databaseTables(), "", "x", fields).message, 300);
    EXPECT_EQ(tableResultWidth(ConversionMode::Barcode, 1), 14);
    EXPECT_EQ(tableResultWidth(ConversionMode::Barcode, 0), 13);
    EXPECT_EQ(tableResultWidth(ConversionMode::JisCode, 1), 5);
}

}  // namespace

namespace {

// Runs over a scripted database that fails where the test says.
struct ScriptedTableRun : ::testing::Test {
    TempDir dir;
    ScriptedEngine engine;
    ScriptedHost host;
    ConversionJob job;
    TableJob tableJob;
    DaoTable table;
    database_test::ScriptedDatabase* database = nullptr;

    void SetUp() override {
        OptionsBlock options = defaultOptions();
        options.MaxErrFlg = 0;
        options.ErrFilFlg = 1;
        options.szErrName = "err.txt";
        applyOptions(options, job);
        job.sourceName = "scripted";
        auto owned = std::make_unique<database_test::ScriptedDatabase>();
        database = owned.get();
        for (int i = 1; i <= 5; ++i) {
            database->addresses.push_back("A" + std::to_string(i));
            engine.place("A" + std::to_string(i), "000000" + std::to_string(i));
        }
        ASSERT_TRUE(table.OpenDatabase(std::move(owned)));
        ASSERT_TRUE(table.OpenTable("t"));
        ASSERT_TRUE(table.OpenRecords());
        tableJob.addressFields = {"address", "", "", ""};
        tableJob.destinationField = "zip";
    }
};

TEST_F(ScriptedTableRun, ACommitThatFailsListsEveryRecordOfTheBatch) {
    database->commitFails = true;
    ASSERT_EQ(AccessRun(job, tableJob, table, engine, host, dir.path()), kRunEnded);
    EXPECT_EQ(host.errorCount, 5) << "nothing was written, nothing is reported as converted";
    const std::string errors = readFile(dir.file("err.txt"));
    for (int i = 1; i <= 5; ++i)
        EXPECT_NE(errors.find(sj("ﾚｺｰﾄﾞNo：[" + std::to_string(i) + "],住所文字列：[A" +
                                 std::to_string(i) + "]\r\n  変換結果を書き込めませんでした。")),
                  std::string::npos)
            << i;
    EXPECT_EQ(database->stored, std::vector<std::string>(5, ""));
}

TEST_F(ScriptedTableRun, ARefusedWriteKeepsTheRestOfTheBatch) {
    database->refusedWrites = {2, 4};
    ASSERT_EQ(AccessRun(job, tableJob, table, engine, host, dir.path()), kRunEnded);
    EXPECT_EQ(host.errorCount, 2);
    EXPECT_EQ(database->stored,
              (std::vector<std::string>{"0000001", "", "0000003", "", "0000005"}));
    EXPECT_EQ(database->commits, 1) << "one transaction for a short run";
}

TEST_F(ScriptedTableRun, TheErrorMaximumCountsLostWritesToo) {
    database->commitFails = true;
    job.maxErrors = true;
    job.maxErrorCount = 3;
    host.tickStep = 400;  // a batch is committed after about a second
    ASSERT_EQ(AccessRun(job, tableJob, table, engine, host, dir.path()), kRunEnded);
    EXPECT_EQ(host.messages, std::vector<int>{13});
    EXPECT_GE(host.errorCount, 3);
    EXPECT_LT(host.finalCount, 5u) << "the run stopped before the last record";
}

TEST_F(ScriptedTableRun, ADatabaseLockedByAnotherProgramEndsTheRunWithoutFailedRecords) {
    struct EndHost : ScriptedHost {
        std::vector<RunSummary> ends;
        void runEnded(const RunSummary& summary) override { ends.push_back(summary); }
    };
    struct Case {
        int lockedAfterCommits;
        std::vector<std::string> stored;  // what stays written
    };
    const Case cases[] = {
        {0, std::vector<std::string>(5, "")},
        // A batch a second: the first batch's records stay written.
        {1, {"0000001", "0000002", "0000003", "", ""}},
    };
    for (const Case& c : cases) {
        database->lockedAfterCommits = c.lockedAfterCommits;
        database->commits = 0;
        EndHost end;
        end.tickStep = 400;
        ASSERT_EQ(AccessRun(job, tableJob, table, engine, end, dir.path()), kRunEnded);
        EXPECT_EQ(end.errorCount, 0) << "no record counted as a failed address";
        EXPECT_EQ(end.messages, std::vector<int>{}) << "neither message 6 nor 13";
        ASSERT_FALSE(end.informs.empty());
        EXPECT_EQ(end.informs.front(), databaseInUseText());
        ASSERT_EQ(end.ends.size(), 1u);
        EXPECT_EQ(end.ends[0].outcome, RunOutcome::WriteError);
        EXPECT_EQ(end.ends[0].errors, 0);
        EXPECT_EQ(database->stored, c.stored) << c.lockedAfterCommits;
        database->stored.assign(5, "");
    }
}

}  // namespace

namespace {

// The start of a run as the page and the command line share it.
struct ScriptedFront : TableRunFront {
    std::vector<int> refused;
    std::vector<std::string> questions;
    std::vector<bool> answers;  // Yes when exhausted
    bool rangeGiven = true;
    int runs = 0;
    ScriptedEngine* engine = nullptr;
    ScriptedHost host;
    std::string folder;

    void refuse(const TablePageCheck& check) override { refused.push_back(check.message); }
    bool ask(std::string_view text, std::string_view) override {
        questions.emplace_back(text);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    bool askRange(ConversionJob& job) override {
        if (rangeGiven) checkRange(2, 3, job);
        return rangeGiven;
    }
    int run(const ConversionJob& job, const TableJob& tableJob, Table& table) override {
        ++runs;
        return AccessRun(job, tableJob, table, *engine, host, folder);
    }
    void showMessage(int code) override { refused.push_back(code); }
};

TEST_F(TableRunFixture, StartingARunInThePagesOrder) {
    ScriptedFront front;
    front.engine = &engine;
    front.folder = dir.path();
    OptionsBlock options = defaultOptions();
    options.ErrFilFlg = 0;
    CnvParamBlock params;

    // A refused field: its message, nothing stored, nothing run.
    TablePageFields bad = page;
    bad.destinationField = sj("数");
    EXPECT_EQ(startTableConversion(databaseTables(), bad, false, true, options, params, front),
              kTablePageRefused);
    EXPECT_EQ(front.refused, std::vector<int>{307});
    EXPECT_EQ(params.AccessExcelBackUpFlg, 0);

    // A cancelled range stops before anything is stored or asked.
    front.rangeGiven = false;
    EXPECT_EQ(startTableConversion(databaseTables(), page, true, true, options, params, front),
              kTableRunDeclined);
    EXPECT_TRUE(front.questions.empty());

    // The backup cannot be made (its temporary name is taken by a folder):
    // the question, and No leaves every record as it was.
    std::filesystem::create_directory(path + ".BKP.tmp");
    testing_support::writeFile(path + ".BKP.tmp/keep", "x");
    front.rangeGiven = true;
    front.answers = {true, false};
    EXPECT_EQ(startTableConversion(databaseTables(), page, true, true, options, params, front),
              kTableRunDeclined);
    ASSERT_EQ(front.questions.size(), 2u);
    EXPECT_EQ(front.questions[1], backupFailedQuestion());
    EXPECT_EQ(front.runs, 0);
    EXPECT_EQ(zips().substr(0, 12), "old,old,old,");
    EXPECT_EQ(options.SFileName, path);
    EXPECT_EQ(params.AccessExcelBackUpFlg, 1);

    // Yes goes on without the copy; the range 2-3 is converted.
    front.answers = {true, true};
    EXPECT_EQ(startTableConversion(databaseTables(), page, true, true, options, params, front),
              kRunEnded);
    EXPECT_EQ(front.runs, 1);
    EXPECT_EQ(zips().substr(0, 20), "old,1000002,1000003,");
}

}  // namespace
