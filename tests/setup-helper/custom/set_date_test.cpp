// SetDate on temporary folder trees: which entries get the time, which are
// left alone, and which parameters are refused.
#include "src/set_date.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::writeFile;

// 2000-04-01 00:00:00 in Japan (JST, nine hours ahead of UTC).
constexpr std::int64_t kAprilFoolsJst = 954514800;
constexpr std::int64_t kOldTime = 1234567890;

class SetDateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        savedTz_ = tz ? tz : "";
        hadTz_ = tz != nullptr;
        ::setenv("TZ", "JST-9", 1);
        ::tzset();
    }
    void TearDown() override {
        if (hadTz_)
            ::setenv("TZ", savedTz_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

    // A file with both times set to kOldTime.
    std::string oldFile(const std::string& relative) {
        const fs::path path = fs::path(dir_.path()) / relative;
        fs::create_directories(path.parent_path());
        writeFile(path.string(), "x");
        const struct timespec times[2] = {{kOldTime, 0}, {kOldTime, 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        return path.string();
    }

    // The tree's root folder written the way SetDate expects it: "\" between parts.
    std::string windowsFolder() const {
        std::string folder = dir_.path();
        for (char& c : folder)
            if (c == '/') c = '\\';
        return folder;
    }

    TempDir dir_;

  private:
    std::string savedTz_;
    bool hadTz_ = false;
};

struct Times {
    std::int64_t access;
    std::int64_t modification;
};

Times timesOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return {info.st_atim.tv_sec, info.st_mtim.tv_sec};
}

void expectStamped(const std::string& path, std::int64_t time) {
    const Times times = timesOf(path);
    EXPECT_EQ(times.access, time) << path;
    EXPECT_EQ(times.modification, time) << path;
}

TEST_F(SetDateTest, StampsEveryFileOfTheTreeButNoDotNames) {
    const std::string top = oldFile("top.txt");
    const std::string noDot = oldFile("README");
    const std::string middle = oldFile("sub/middle.dat");
    const std::string deep = oldFile("sub/deeper/deepest/deep.bin");
    const std::string dotFile = oldFile(".profile");
    const std::string dotInSub = oldFile("sub/.cache");
    const std::string inDotFolder = oldFile(".hidden/inside.txt");
    const std::string belowDotFolder = oldFile(".hidden/more/below.txt");

    ASSERT_EQ(custom::setDate(windowsFolder() + "\\*.*/2000-04-01 00:00:00/"), 1);
    for (const std::string& path : {top, noDot, middle, deep}) expectStamped(path, kAprilFoolsJst);
    for (const std::string& path : {dotFile, dotInSub, inDotFolder, belowDotFolder})
        expectStamped(path, kOldTime);
}

TEST_F(SetDateTest, PatternLimitsTheFilesInEveryFolder) {
    const std::string text = oldFile("a.txt");
    const std::string upper = oldFile("sub/B.TXT");
    const std::string other = oldFile("sub/c.csv");
    ASSERT_EQ(custom::setDate(windowsFolder() + "\\*.txt/2000-04-01 00:00:00/"), 1);
    expectStamped(text, kAprilFoolsJst);
    expectStamped(upper, kAprilFoolsJst);
    expectStamped(other, kOldTime);

    EXPECT_TRUE(custom::matchesFilePattern("KESZIP.DIC", "*.*"));
    EXPECT_TRUE(custom::matchesFilePattern("keszip", "*.*"));
    EXPECT_TRUE(custom::matchesFilePattern("KESZIP.DIC", "kes???.dic"));
    EXPECT_FALSE(custom::matchesFilePattern("KESZIP.DIC", "kes??.dic"));
    EXPECT_TRUE(custom::matchesFilePattern("住所.csv", "??.csv"));  // "?" is one character
    EXPECT_FALSE(custom::matchesFilePattern("a.csv", "*.txt"));
    EXPECT_TRUE(custom::matchesFilePattern("abcbc", "a*bc"));
    EXPECT_TRUE(custom::matchesFilePattern("abc", "a*c**"));
    EXPECT_FALSE(custom::matchesFilePattern("abcb", "a*c"));
    // Many stars against a long name that almost matches: answered at once,
    // not by trying every way to share the name among the stars.
    std::string stars;
    for (int i = 0; i < 2000; ++i) stars += "*a";
    EXPECT_FALSE(custom::matchesFilePattern(std::string(3000, 'a') + "b", stars + "c"));
}

TEST_F(SetDateTest, EntriesThatCannotBeOpenedArePassedOver) {
    const std::string before = oldFile("a.txt");
    const std::string after = oldFile("z.txt");
    const std::string outside = oldFile("../outside-" + fs::path(dir_.path()).filename().string());
    // A link to a file outside the tree, a link to nothing and a pipe without
    // a reader: none of them can be opened for writing as a file of the tree.
    fs::create_symlink(outside, fs::path(dir_.path()) / "link.txt");
    fs::create_symlink(dir_.file("nothing"), fs::path(dir_.path()) / "dangling.txt");
    ASSERT_EQ(testing_support::runCommand("mkfifo '" + dir_.file("pipe.txt") + "'"), 0);
    const bool root = ::geteuid() == 0;
    const std::string locked = oldFile("sub/locked.txt");
    fs::permissions(locked, fs::perms::owner_read);

    ASSERT_EQ(custom::setDate(windowsFolder() + "\\*.*/2000-04-01 00:00:00/"), 1);
    expectStamped(before, kAprilFoolsJst);
    expectStamped(after, kAprilFoolsJst);
    expectStamped(outside, kOldTime);
    // The superuser may write to any file; only others find it locked.
    expectStamped(locked, root ? kAprilFoolsJst : kOldTime);
    fs::remove(outside);
}

TEST_F(SetDateTest, MalformedParametersTouchNothing) {
    const std::string file = oldFile("a.txt");
    const std::string folder = windowsFolder();
    EXPECT_EQ(custom::setDate(""), 0);
    EXPECT_EQ(custom::setDate(folder + "\\*.*"), 0);                       // no "/" at all
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2000-04-01"), 0);            // date cut short
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2000-04-31 00:00:00/"), 0);  // no 31 April
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2000-13-01 00:00:00/"), 0);
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2000-04-01 24:00:00/"), 0);
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2000-O4-01 00:00:00/"), 0);  // letter O
    EXPECT_EQ(custom::setDate("a.txt/2000-04-01 00:00:00/"), 0);           // no folder
    expectStamped(file, kOldTime);

    // The closing "/" may be left out; anything after it is ignored, and
    // any one character may separate the fields.
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2000.04.01T00.00.00"), 1);
    expectStamped(file, kAprilFoolsJst);
    EXPECT_EQ(custom::setDate(folder + "\\*.*/2001-02-03 04:05:06/ignored/"), 1);
    expectStamped(file, 981140706);  // 2001-02-03 04:05:06 JST
}

TEST_F(SetDateTest, ShiftJisFolderWhoseTrailByteIsABackslash) {
    // "ソ" is 0x83 0x5C in Shift-JIS: its second byte must not split the path.
    const std::string file = oldFile("ソフト/データ.txt");
    const std::string parameter = sj(windowsFolder() + "\\ソフト\\*.*/2000-04-01 00:00:00/");
    ASSERT_NE(parameter.find("\x83\x5C"), std::string::npos);
    ASSERT_EQ(custom::setDate(parameter), 1);
    expectStamped(file, kAprilFoolsJst);
}

TEST_F(SetDateTest, RequestSplitsFolderPatternAndTime) {
    const auto request = custom::parseDateStampRequest("\\opt\\zelko7\\*.dic/2000-04-01 00:00:00/");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->folder, "/opt/zelko7");
    EXPECT_EQ(request->pattern, "*.dic");
    EXPECT_EQ(request->unixSeconds, kAprilFoolsJst);
}

}  // namespace
