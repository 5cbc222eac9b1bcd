// zelko7 convert excel over the real dictionary beside the program.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "xlrd_reader.h"

using testing_support::binPath;
using testing_support::runCommand;
using testing_support::TempDir;

namespace {

int zelko7(const std::string& arguments, std::string& output) {
    return runCommand(binPath("zelko7") + " " + arguments + " 2>&1", &output);
}

TEST(ExcelCommand, ConvertsASheetIntoACopy) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    const std::string source = testing_support::fixturePath("workbooks/xlwt_book.xls");
    std::string output;
    const int status =
        zelko7("convert excel --source " + source + " --dest " + dir.file("out.xls") +
                   " --sheet 住所録 --columns D,B --dest-column F --mode 7 "
                   "--no-hyphen --no-error-file --no-max-errors --yes",
               output);
    EXPECT_EQ(status, 0) << output;
    const std::string dump = testbook::xlrdDump(dir.file("out.xls"));
    EXPECT_NE(dump.find("0\t1\t5\t1\t1000013"), std::string::npos) << dump;
    EXPECT_EQ(testbook::xlrdCompare(source, dir.file("out.xls"), "--skip 0:5"), "");

    // A sheet name in another letter case is not the sheet: end code 1.
    EXPECT_EQ(zelko7("convert excel --source " + source + " --dest " + dir.file("b.xls") +
                         " --sheet numbers --columns A --dest-column B --yes --no-error-file",
                     output),
              1)
        << output;
    // Misuse is refused before any work.
    EXPECT_EQ(zelko7("convert excel --source " + source + " --dest " + dir.file("c.xls") +
                         " --sheet Numbers --columns A,IW --dest-column B --yes",
                     output),
              10);
    EXPECT_EQ(zelko7("convert excel --source " + source + " --dest " + dir.file("c.xls") +
                         " --sheet Numbers --columns A --dest-column A --yes",
                     output),
              10);
    EXPECT_NE(output.find("203"), std::string::npos) << output;
}

}  // namespace
