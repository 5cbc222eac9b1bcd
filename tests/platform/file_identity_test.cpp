// Whether two names lead to the same file.
#include <gtest/gtest.h>
#include <platform/file_identity.h>
#include <unistd.h>

#include <filesystem>

#include "support/test_support.h"

using testing_support::TempDir;
using testing_support::writeFile;

TEST(FileIdentity, SameFileWhateverTheSpelling) {
    TempDir dir;
    writeFile(dir.file("a.csv"), "x");
    writeFile(dir.file("A.csv"), "y");
    EXPECT_TRUE(platform::sameFile(dir.file("a.csv"), dir.path() + "/./a.csv"));
    EXPECT_TRUE(platform::sameFile(
        dir.file("a.csv"),
        dir.path() + "//../" + std::filesystem::path(dir.path()).filename().string() + "/a.csv"));
    // Letter case makes another file here.
    EXPECT_FALSE(platform::sameFile(dir.file("a.csv"), dir.file("A.csv")));
    ASSERT_EQ(symlink(dir.file("a.csv").c_str(), dir.file("l.csv").c_str()), 0);
    ASSERT_EQ(link(dir.file("a.csv").c_str(), dir.file("h.csv").c_str()), 0);
    EXPECT_TRUE(platform::sameFile(dir.file("l.csv"), dir.file("a.csv")));
    EXPECT_TRUE(platform::sameFile(dir.file("h.csv"), dir.file("a.csv")));
    // Files that do not exist yet: the same entry of the same folder.
    EXPECT_TRUE(platform::sameFile(dir.file("new.csv"), dir.path() + "/./new.csv"));
    EXPECT_FALSE(platform::sameFile(dir.file("new.csv"), dir.file("NEW.csv")));
    EXPECT_FALSE(platform::sameFile(dir.file("new.csv"), dir.file("a.csv")));
    EXPECT_TRUE(platform::isDirectory(dir.path()));
    EXPECT_FALSE(platform::isDirectory(dir.file("a.csv")));
}
