// Files that replace their destination only when complete, and file identity.
#include <gtest/gtest.h>
#include <platform/replacement_file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/test_support.h"

using platform::ReplacementFile;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

std::size_t entries(const TempDir& dir) {
    std::size_t n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++n;
    }
    return n;
}

}  // namespace

TEST(ReplacementFile, OldFileStaysUntilCommitAndWhenDiscarded) {
    TempDir dir;
    const std::string out = dir.file("out.txt");
    writeFile(out, "old");
    {
        ReplacementFile file;
        ASSERT_TRUE(file.open(out));
        std::fputs("new", file.stream());
        ASSERT_TRUE(file.close());
        EXPECT_EQ(readFile(out), "old");
        EXPECT_EQ(entries(dir), 2u);  // the temporary file lies beside it
    }                                 // never committed
    EXPECT_EQ(readFile(out), "old");
    EXPECT_EQ(entries(dir), 1u);

    ReplacementFile file;
    ASSERT_TRUE(file.open(out));
    std::fputs("new", file.stream());
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(readFile(out), "new");
    EXPECT_EQ(entries(dir), 1u);
}

TEST(ReplacementFile, KeepsPermissionsLinksAndWritesDevicesDirectly) {
    TempDir dir;
    const std::string out = dir.file("out.txt");
    writeFile(out, "old");
    ASSERT_EQ(chmod(out.c_str(), 0640), 0);
    ReplacementFile file;
    ASSERT_TRUE(file.open(out));
    std::fputs("new", file.stream());
    ASSERT_TRUE(file.commit());
    struct stat st {};
    ASSERT_EQ(stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A new file gets the rights the umask allows, not the temporary file's 0600.
    const mode_t mask = umask(022);
    ASSERT_TRUE(file.open(dir.file("new.txt")));
    ASSERT_TRUE(file.commit());
    umask(mask);
    ASSERT_EQ(stat(dir.file("new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // The link stays a link; the file it leads to gets the data.
    ASSERT_EQ(symlink(out.c_str(), dir.file("link.txt").c_str()), 0);
    ASSERT_TRUE(file.open(dir.file("link.txt")));
    std::fputs("through the link", file.stream());
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(readFile(out), "through the link");

    EXPECT_FALSE(file.open(dir.path()));  // a folder
    EXPECT_FALSE(file.open(dir.file("missing/out.txt")));
    // A device is written as it is: no temporary file in /dev, and the
    // failure of a full device shows when the data are flushed.
    ASSERT_TRUE(file.open("/dev/full"));
    EXPECT_EQ(file.writingPath(), "/dev/full");
    std::fputs("x", file.stream());
    EXPECT_FALSE(file.commit());
}
