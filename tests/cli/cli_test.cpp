// The keszip command line tool as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

using testing_support::binPath;
using testing_support::runCommand;

TEST(Cli, VersionReportsLibraryAndDictionary) {
    KESZIP_REQUIRE_REAL_DATA();
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' version", &out), 0);
    EXPECT_NE(out.find("library\t1.5.1.7\n"), std::string::npos) << out;
    EXPECT_NE(out.find("edition\t"), std::string::npos) << out;
    EXPECT_NE(out.find("data-date\t20"), std::string::npos) << out;
}

TEST(Cli, VersionWithoutDictionarySaysSo) {
    testing_support::TempDir dir;
    for (const char* name : {"keszip", "libkeszip.so"})
        std::filesystem::copy_file(binPath(name), dir.file(name));
    std::string out;
    ASSERT_EQ(runCommand("cd '" + dir.path() + "' && ./keszip version 2>&1", &out), 0);
    EXPECT_NE(out.find("library\t1.5.1.7"), std::string::npos) << out;
    EXPECT_NE(out.find("KESZIP.DIC could not be opened (error 2)"), std::string::npos) << out;
}

TEST(Cli, FoldPrintsMatchingAndLiteralKeys) {
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' fold 霞が関 霞ヶ関", &out), 0);
    auto newline = out.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_EQ(out.substr(0, newline + 1), out.substr(newline + 1)) << out;

    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' fold --mode 0 三丁目", &out), 0);
    EXPECT_EQ(out, "3丁目\n");
    EXPECT_NE(runCommand("'" + binPath("keszip") + "' fold --mode 2 x 2>/dev/null", &out), 0);
}
