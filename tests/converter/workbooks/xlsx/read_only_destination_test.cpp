// A read-only destination is refused by every kind of workbook copy and
// stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_support.h"
#include "workbooks/xlsx/xlsx_copy.h"

using testing_support::TempDir;

TEST(ReadOnlyDestination, RefusedAndKept) {
    TempDir dir;
    const std::string source = testing_support::fixturePath("xlsx/inline_book.xlsx");
    const std::string out = dir.file("out.xlsx");
    testing_support::writeFile(out, "old");
    ASSERT_EQ(::chmod(out.c_str(), 0444), 0);
    workbooks::XlsxCopy copy;
    EXPECT_EQ(copy.open(out, source), workbooks::kXlsxCreateFailed);
    EXPECT_EQ(testing_support::readFile(out), "old");
    struct stat st {};
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}
