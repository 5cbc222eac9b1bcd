// keszip version names every dictionary the library uses, with its edition,
// data date and source, and says which ones it could not open.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::runCommand;

TEST(CliVersion, ReportsEveryDictionary) {
    KESZIP_REQUIRE_REAL_DATA();
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' version", &out), 0);
    for (const char* line :
         {"KESZIP.DIC\taddresses", "KESCMP.DIC\tlarge offices", "KESTEL.DIC\ttelephone areas"}) {
        const std::regex pattern(std::string("\ndictionary\t") + line +
                                 "\t[0-9]+\t20[0-9][0-9]-[0-9][0-9]-[0-9][0-9]\t[^\n]+\n");
        EXPECT_TRUE(std::regex_search(out, pattern)) << line << "\n" << out;
    }

    // Only the address dictionary beside the library: the others are not opened.
    testing_support::TempDir dir;
    for (const char* name :
         {"keszip", "libkeszip.so", "libkesbar.so", "KESZIP.DIC", "KESZIP.TBL", "KESZIP.PRM"})
        std::filesystem::copy_file(binPath(name), dir.file(name));
    ASSERT_EQ(runCommand("cd '" + dir.path() +
                             "' && KESZIP_DICTIONARY_DIR=/nonexistent ./keszip version 2>&1",
                         &out),
              0);
    EXPECT_NE(out.find("\ndictionary\tKESCMP.DIC\tlarge offices\tnot opened\n"), std::string::npos)
        << out;
    EXPECT_NE(out.find("\ndictionary\tKESTEL.DIC\ttelephone areas\tnot opened\n"),
              std::string::npos)
        << out;
}
