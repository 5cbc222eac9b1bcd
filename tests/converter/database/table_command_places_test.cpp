// zelko7 convert table and the places it takes from outside the command
// line: the current folder for relative names, the settings file for the
// backup box.
#include <gtest/gtest.h>

#include <filesystem>

#include "sqlite_test_db.h"
#include "support/test_support.h"

using database_test::SqliteFile;
using namespace testing_support;

namespace {

std::string inFolder(const std::string& folder, const std::string& command, int* status) {
    std::string output;
    *status = runCommand("cd '" + folder + "' && " + command + " 2>&1", &output);
    return output;
}

}  // namespace

TEST(TableCommandPlaces, ErrorFileNamesAreTakenFromTheCurrentFolder) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    {
        SqliteFile db(dir.file("addr.db"));
        db.exec(
            "CREATE TABLE t (住所 TEXT, 郵便番号 VARCHAR(8));"
            "INSERT INTO t (住所) VALUES ('存在しない市');");
    }
    struct Case {
        const char* option;
        const char* file;
    };
    const Case cases[] = {{"--error-file e1.err", "e1.err"}, {"", "Zelko7err.txt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        // The default name counts only when no settings file names another.
        if (!*c.option && std::filesystem::exists(binPath("zelko7.ini")))
            GTEST_SKIP() << "settings beside the program";
        int status = -1;
        const std::string out = inFolder(dir.path(),
                                         binPath("zelko7") +
                                             " convert table --database addr.db --table t "
                                             "--fields 住所 --dest-field 郵便番号 --mode 7 "
                                             "--no-max-errors --no-backup --yes " +
                                             c.option,
                                         &status);
        EXPECT_EQ(status, 0) << out;
        EXPECT_NE(readFile(dir.file(c.file)).find(sj("住所文字列：[存在しない市]")),
                  std::string::npos)
            << out;
        EXPECT_FALSE(std::filesystem::exists(binPath(c.file)));
    }
}

TEST(TableCommandPlaces, BackupBoxFromTheSettingsIsNamedWithItsFile) {
    // A copy of the program with a settings file of its own beside it.
    TempDir dir;
    std::filesystem::copy_file(binPath("zelko7"), dir.file("zelko7"));
    writeFile(dir.file("zelko7.ini"), "[CnvParam]\r\nAccessExcelBackUpFlg=1\r\n");
    const std::string program = "LD_LIBRARY_PATH='" + binPath("") + "' " + dir.file("zelko7") +
                                " convert table --database odbc:DSN=server --table t "
                                "--fields a --dest-field b --yes";
    struct Case {
        const char* option;
        std::vector<std::string> said;  // every one on the refusal's line
    };
    const Case cases[] = {
        {"", {dir.file("zelko7.ini"), "AccessExcelBackUpFlg=1", "--no-backup"}},
        {"--backup", {"leave out --backup"}},
    };
    for (const Case& c : cases) {
        int status = -1;
        const std::string out = inFolder(dir.path(), program + " " + c.option, &status);
        EXPECT_EQ(status, 10) << out;
        for (const std::string& text : c.said) EXPECT_NE(out.find(text), std::string::npos) << out;
    }
}
