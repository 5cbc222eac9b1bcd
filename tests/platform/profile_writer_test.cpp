#include <gtest/gtest.h>
#include <platform/profile.h>
#include <platform/profile_writer.h>

#include "support/test_support.h"

using platform::profileAssign;

TEST(ProfileWriter, ReplacesAddsToItsSectionOrAddsTheSection) {
    const std::string text = "[A]\r\nx=1\r\n\r\n[b]\r\n Y = 2 \r\n[C]\r\nz=3";
    // Case-insensitive section and key, the line replaced in place.
    EXPECT_EQ(profileAssign(text, "B", "y", "9"), "[A]\r\nx=1\r\n\r\n[b]\r\ny=9\r\n[C]\r\nz=3");
    // A new key goes after the last key of its section, before blank lines.
    EXPECT_EQ(profileAssign(text, "A", "w", "5"),
              "[A]\r\nx=1\r\nw=5\r\n\r\n[b]\r\n Y = 2 \r\n[C]\r\nz=3");
    // A last line without its line end gets one first.
    EXPECT_EQ(profileAssign(text, "C", "q", ""),
              "[A]\r\nx=1\r\n\r\n[b]\r\n Y = 2 \r\n[C]\r\nz=3\r\nq=\r\n");
    EXPECT_EQ(profileAssign("", "New", "k", "v"), "[New]\r\nk=v\r\n");
    EXPECT_EQ(platform::profileLookup(profileAssign(text, "D", "k", "v"), "D", "k", "", 255), "v");
}

TEST(ProfileWriter, WritesAFileAndReportsFailure) {
    testing_support::TempDir dir;
    const std::string path = dir.file("p.ini");
    ASSERT_TRUE(platform::writePrivateProfileString("S", "k", "1", path));
    ASSERT_TRUE(platform::writePrivateProfileString("S", "k", "2", path));
    EXPECT_EQ(testing_support::readFile(path), "[S]\r\nk=2\r\n");
    EXPECT_FALSE(platform::writePrivateProfileString("S", "k", "1", dir.file("no/p.ini")));
}
