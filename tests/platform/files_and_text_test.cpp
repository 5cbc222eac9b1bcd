#include <gtest/gtest.h>
#include <platform/binary_file.h>
#include <platform/files.h>
#include <platform/paths.h>
#include <platform/sjis.h>

#include "support/test_support.h"

using testing_support::TempDir;

TEST(Sjis, RoundTripsIncludingVendorExtensions) {
    // ㈱, 髙 and 﨑 are extension characters of code page 932.
    for (const char* text : {"東京都千代田区", "ｶﾀｶﾅ", "㈱髙島屋", "山﨑", "①～Ⅹ", ""}) {
        auto sjis = platform::utf8ToSjis(text);
        ASSERT_TRUE(sjis) << text;
        EXPECT_EQ(platform::sjisToUtf8(*sjis), std::string(text));
    }
    EXPECT_EQ(*platform::utf8ToSjis("東"), "\x93\x8C");
    EXPECT_EQ(*platform::utf8ToSjis("ｱ"), "\xB1");
}

TEST(Sjis, RefusesWhatHasNoCounterpart) {
    EXPECT_FALSE(platform::utf8ToSjis("\xF0\x9F\x98\x80"));  // an emoji
    EXPECT_FALSE(platform::utf8ToSjis("\xFF"));              // not UTF-8
    EXPECT_FALSE(platform::sjisToUtf8("\x93"));              // lone lead byte
    EXPECT_EQ(platform::sjisToUtf8Lossy("A\x93"), "A\xEF\xBF\xBD");
}

TEST(BinaryFile, ReportsFailuresByResult) {
    TempDir dir;
    platform::BinaryFile file;
    EXPECT_FALSE(file.open(dir.file("missing")));
    EXPECT_EQ(file.read(nullptr, 10), 0u);
    EXPECT_FALSE(file.seek(0));
    EXPECT_TRUE(file.close());

    testing_support::writeFile(dir.file("data"), "0123456789");
    ASSERT_TRUE(file.open(dir.file("data")));
    char buffer[16] = {};
    EXPECT_TRUE(file.seek(6));
    EXPECT_EQ(file.read(buffer, sizeof buffer), 4u);  // short read
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_TRUE(file.seek(100));  // past the end: the read then finds nothing
    EXPECT_EQ(file.read(buffer, 1), 0u);
    EXPECT_TRUE(file.close());
}

TEST(CopyFileOver, ReplacesAnExistingFileAndReportsAMissingSource) {
    TempDir dir;
    testing_support::writeFile(dir.file("from"), "new");
    struct Case {
        const char* before;  // nullptr: no file there yet
        const char* source;
        bool copied;
    };
    for (const Case& c : {Case{nullptr, "from", true}, Case{"", "from", true},
                          Case{"a longer older text", "from", true}, Case{"old", "none", false}}) {
        const std::string to = dir.file("to");
        std::filesystem::remove(to);
        if (c.before) testing_support::writeFile(to, c.before);
        const std::error_code error = platform::copyFileOver(dir.file(c.source), to);
        EXPECT_EQ(!error, c.copied) << error.message();
        EXPECT_EQ(testing_support::readFile(to), c.copied ? "new" : c.before);
    }
}

TEST(Paths, ProgramAndModuleAreFound) {
    std::string program = platform::programPath();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(platform::fileExists(program));
    EXPECT_EQ(platform::modulePathOf(reinterpret_cast<const void*>(&platform::programPath)),
              program);  // linked statically into this test program
    EXPECT_EQ(platform::directoryOf("/a/b/c.dll"), "/a/b/");
    EXPECT_EQ(platform::directoryOf("c.dll"), "");
    EXPECT_EQ(platform::joinPath("/a/b", "X"), "/a/b/X");
    EXPECT_EQ(platform::joinPath("/a/b/", "X"), "/a/b/X");
}
