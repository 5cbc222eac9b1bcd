// The headless converter end to end, over the dictionaries built beside it.
#include <gtest/gtest.h>
#include <platform/paths.h>

#include "test_support.h"

using namespace testing_support;

namespace {

std::string zelko7(const std::string& arguments, int* status) {
    std::string output;
    *status = runCommand(binPath("zelko7") + " " + arguments + " 2>&1", &output);
    return output;
}

}  // namespace

TEST(ConvertCommand, CsvRunWithOptionsFromTheCommandLine) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    const bool hadSettings = platform::fileExists(binPath("zelko7.ini"));
    writeFile(dir.file("in.csv"), sj("東京都,千代田区丸の内１丁目,1\r\nどこでもない,x\r\n"));
    int status = -1;
    const std::string out =
        zelko7("convert csv --source " + dir.file("in.csv") + " --dest " + dir.file("out.csv") +
                   " --fields 1,2 --mode 7 --hyphen --no-quote --marker NG --no-max-errors"
                   " --error-file " +
                   dir.file("err.txt") + " --yes",
               &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(readFile(dir.file("out.csv")),
              sj("100-0005,東京都,千代田区丸の内１丁目,1\r\nNG,どこでもない,x\r\n"));
    EXPECT_NE(readFile(dir.file("err.txt")).find(sj("[2],住所文字列：[どこでもないx]")),
              std::string::npos);
    EXPECT_NE(out.find("変換が終了しました。"), std::string::npos);
    // A headless run never writes the settings file.
    EXPECT_EQ(platform::fileExists(binPath("zelko7.ini")), hadSettings);
}

TEST(ConvertCommand, RefusedFieldsAndEndCodes) {
    TempDir dir;
    int status = -1;
    std::string out = zelko7("convert csv --source a --dest b --fields 0 --yes", &status);
    EXPECT_EQ(status, 10);
    EXPECT_NE(out.find("住所項目Noを指定して下さい。"), std::string::npos);
    out = zelko7(
        "convert sdf --source a --dest b --pieces 1:5 --insert 1 --layout fixed "
        "--record-length 32768 --yes",
        &status);
    EXPECT_EQ(status, 10);
    EXPECT_NE(out.find("( 509 )"), std::string::npos);
    out = zelko7("convert text --source " + dir.file("missing") + " --dest " + dir.file("o") +
                     " --pieces 1:5 --no-error-file --yes",
                 &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("変換元ファイルがオープンできません。"), std::string::npos);
}
