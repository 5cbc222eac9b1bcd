// zelko7 convert table end to end, over the real dictionaries built beside
// it and SQLite databases made here.
#include <gtest/gtest.h>

#include <filesystem>

#include "sqlite_test_db.h"
#include "support/test_support.h"

using database_test::SqliteFile;
using namespace testing_support;

namespace {

std::string zelko7(const std::string& arguments, int* status) {
    std::string output;
    *status = runCommand(binPath("zelko7") + " " + arguments + " 2>&1", &output);
    return output;
}

struct TableCommand : ::testing::Test {
    TempDir dir;
    std::string path;
    void SetUp() override {
        path = dir.file("addr.db");
        SqliteFile db(path);
        db.exec(
            "CREATE TABLE 住所録 (id INTEGER PRIMARY KEY, 県 VARCHAR(10), 住所 TEXT, 番 INTEGER, "
            "郵便番号 VARCHAR(8), 短 VARCHAR(7));"
            "INSERT INTO 住所録 (県, 住所, 番) VALUES ('東京都', '千代田区霞が関１丁目', 2), "
            "('大阪府', '大阪市北区梅田', 1), (NULL, '存在しない市', NULL);");
    }
    std::string zips() {
        SqliteFile db(path);
        return db.value("SELECT group_concat(ifnull(郵便番号, '-')) FROM 住所録");
    }
    std::string common() {
        return "convert table --database " + path +
               " --table 住所録 --mode 7 --no-max-errors --no-error-file --yes ";
    }
};

TEST_F(TableCommand, ConvertsInPlaceWithABackupCopyMadeFirst) {
    KESZIP_REQUIRE_REAL_DATA();
    // An old copy is replaced by one of the database as it was before the run.
    writeFile(path + ".BKP", "an old copy");
    int status = -1;
    std::string out =
        zelko7(common() + "--fields 県,住所,番 --dest-field 郵便番号 --hyphen --backup", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(zips(), "100-0013,530-0001,-");
    SqliteFile copy(path + ".BKP");
    EXPECT_EQ(copy.value("SELECT group_concat(ifnull(郵便番号, '-')) FROM 住所録"), "-,-,-");

    // A partial run over record 2 only, without a hyphen, into a size-7 field.
    out = zelko7(common() + "--fields 県,住所 --dest-field 短 --no-hyphen --range 2-2", &status);
    EXPECT_EQ(status, 0) << out;
    SqliteFile db(path);
    EXPECT_EQ(db.value("SELECT group_concat(ifnull(短, '-')) FROM 住所録"), "-,5300001,-");
}

TEST_F(TableCommand, RefusalsNameTheirMessage) {
    struct Case {
        std::string arguments;
        const char* message;
    };
    const Case cases[] = {
        {"--fields 県 --dest-field 短 --hyphen", "変換先フィールド桁数を確認して下さい。"},
        {"--fields 県 --dest-field 無い", "存在しないフィールド名です。"},
        {"--fields 県 --dest-field 番", "変換先フィールド属性がテキスト型でありません。"},
        {"--fields 県,県 --dest-field 郵便番号", "同一フィールド名を選択しています。"},
        {"--dest-field 郵便番号", "フィールド名が選択されていません。"},
        {"--fields 県 --dest-field 郵便番号 --range 3-2", "( 802 )"},
    };
    for (const Case& c : cases) {
        int status = -1;
        const std::string out = zelko7(common() + c.arguments, &status);
        EXPECT_EQ(status, 10) << c.arguments;
        EXPECT_NE(out.find(c.message), std::string::npos) << c.arguments << "\n" << out;
    }
    int status = -1;
    std::string out = zelko7("convert table --database " + dir.file("none.db") +
                                 " --table t --fields a --dest-field b --yes",
                             &status);
    EXPECT_EQ(status, 10);
    EXPECT_NE(out.find("データベースがオープンできません。"), std::string::npos) << out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.db")));
    EXPECT_EQ(zips(), "-,-,-") << "no record touched";
}

}  // namespace
