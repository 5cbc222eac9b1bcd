// A destination that cannot take the copy (a read-only file, a folder) is
// refused by the .xlsx copy before anything is converted, as by every other
// kind of output, and stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/test_support.h"
#include "workbooks/xlsx/xlsx_copy.h"

using testing_support::TempDir;

TEST(ReadOnlyDestination, RefusedAndKept) {
    const struct {
        bool folder;
        const char* about;
    } cases[] = {{false, "a read-only file"}, {true, "a folder named like a workbook"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.about);
        TempDir dir;
        const std::string source = testing_support::fixturePath("xlsx/inline_book.xlsx");
        const std::string out = dir.file("out.xlsx");
        if (c.folder) {
            std::filesystem::create_directory(out);
        } else {
            testing_support::writeFile(out, "old");
            ASSERT_EQ(::chmod(out.c_str(), 0444), 0);
        }
        workbooks::XlsxCopy copy;
        EXPECT_EQ(copy.open(out, source), workbooks::kXlsxCreateFailed);
        struct stat st {};
        ASSERT_EQ(::stat(out.c_str(), &st), 0);
        if (c.folder) {
            EXPECT_TRUE(S_ISDIR(st.st_mode));
        } else {
            EXPECT_EQ(testing_support::readFile(out), "old");
            EXPECT_EQ(st.st_mode & 0777, 0444u);
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}
