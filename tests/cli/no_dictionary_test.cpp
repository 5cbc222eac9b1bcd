// keszip without its dictionary files: every command that needs them says
// which folders were looked in.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

using namespace testing_support;

TEST(NoDictionary, EveryFolderLookedInIsNamed) {
    // The program and its libraries alone in a folder, the variable naming
    // another folder without files.
    TempDir dir;
    for (const char* file : {"keszip", "libkeszip.so", "libkesbar.so"})
        std::filesystem::copy_file(binPath(file), dir.file(file));
    const std::string program =
        "KESZIP_DICTIONARY_DIR='" + dir.file("elsewhere") + "' '" + dir.file("keszip") + "' ";
    const char* const commands[] = {"lookup 東京都千代田区霞が関1-2-3", "code 1000013",
                                    "office --code 4718571", "version"};
    for (const char* command : commands) {
        SCOPED_TRACE(command);
        std::string out;
        runCommand(program + command + " 2>&1", &out);
        EXPECT_NE(out.find("could not be opened"), std::string::npos) << out;
        EXPECT_NE(out.find("  " + dir.path()), std::string::npos) << out;
        EXPECT_NE(out.find("  " + dir.file("elsewhere")), std::string::npos) << out;
    }
}
