// The headless converter end to end, over the dictionaries built beside it.
#include <gtest/gtest.h>
#include <platform/paths.h>

#include <algorithm>

#include "conversion/run_start.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

// Runs zelko7 in `folder` (the test's current folder when empty).
std::string zelko7(const std::string& arguments, int* status, const std::string& folder = "") {
    std::string output;
    const std::string cd = folder.empty() ? "" : "cd '" + folder + "' && ";
    *status = runCommand(cd + binPath("zelko7") + " " + arguments + " 2>&1", &output);
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

TEST(ConvertCommand, SourceGivenAgainUnderAnotherNameIsKeptIntact) {
    TempDir dir;
    const std::string source = sj("東京都千代田区丸の内１丁目\r\n");
    writeFile(dir.file("big.csv"), source);
    int status = -1;
    const std::string out = zelko7("convert csv --source big.csv --dest ./big.csv --fields 1 --yes",
                                   &status, dir.path());
    EXPECT_EQ(status, 10);
    EXPECT_NE(out.find("変換元・先ファイル名が同一です。"), std::string::npos) << out;
    EXPECT_EQ(readFile(dir.file("big.csv")), source);
}

TEST(ConvertCommand, FolderAsSourceEndsWithCodeOne) {
    TempDir dir;
    int status = -1;
    const std::string out = zelko7("convert csv --source " + dir.path() + " --dest " +
                                       dir.file("o.csv") + " --fields 1 --no-error-file --yes",
                                   &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("変換元ファイルがオープンできません。"), std::string::npos) << out;
    EXPECT_EQ(out.find("変換が終了しました"), std::string::npos) << out;
}

TEST(ConvertCommand, RelativeNamesAreTakenFromTheCurrentFolder) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    writeFile(dir.file("in.csv"), sj("どこでもない\r\n"));
    int status = -1;
    std::string out =
        zelko7("convert csv --source in.csv --dest out.csv --fields 1 --error-file e1.err --yes",
               &status, dir.path());
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(readFile(dir.file("e1.err")).find(sj("[1],住所文字列：[どこでもない]")),
              std::string::npos);
    EXPECT_FALSE(platform::fileExists(binPath("e1.err")));
    EXPECT_EQ(readFile(dir.file("out.csv")), sj("\"\",どこでもない\r\n"));

    // The default error file name has no folder either.
    if (platform::fileExists(binPath("zelko7.ini"))) GTEST_SKIP() << "settings beside the program";
    out =
        zelko7("convert csv --source in.csv --dest out2.csv --fields 1 --yes", &status, dir.path());
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(readFile(dir.file("Zelko7err.txt")).find(sj("[どこでもない]")), std::string::npos);
}

TEST(ConvertCommand, FieldNumberPastTheRecordLimitIsRefusedBeforeTheRun) {
    TempDir dir;
    writeFile(dir.file("in.csv"), "a\r\n");
    int status = -1;
    const std::string out = zelko7("convert csv --source in.csv --dest out.csv --fields 600 --yes",
                                   &status, dir.path());
    EXPECT_EQ(status, 10);
    EXPECT_NE(out.find("at most 512 fields"), std::string::npos) << out;
    EXPECT_FALSE(platform::fileExists(dir.file("out.csv")));
}

TEST(RunStart, PagesKeepTheirNumbersInTheSettingsBlocks) {
    using namespace converter;
    CnvParamBlock params = defaultCnvParam();
    PageFields page = pageFieldsFromSettings(SourceKind::Sdf, defaultOptions(), params);
    page.pieceStart = {1, 0, 0, 5};
    page.recordLength = 80;
    page.lineBreaks = true;
    // With line breaks the record length stays as it was.
    storePageNumbers(SourceKind::Sdf, page, params);
    EXPECT_EQ(params.StartPosition[3], 5);
    EXPECT_EQ(params.SDFReturnCodeFlg, 1);
    EXPECT_EQ(params.SDFRecordLength, 0);
    page.lineBreaks = false;
    storePageNumbers(SourceKind::Sdf, page, params);
    EXPECT_EQ(params.SDFRecordLength, 80);
    // The CSV page's field numbers are its own, apart from the byte positions.
    page.pieceStart = {3, 1, 0, 0};
    page.quoted = false;
    storePageNumbers(SourceKind::Csv, page, params);
    EXPECT_EQ(params.CSVFieldNo[0], 3);
    EXPECT_EQ(params.CSVType, 0);
    EXPECT_EQ(params.StartPosition[0], 1);
    EXPECT_EQ(pageFieldsFromSettings(SourceKind::Csv, defaultOptions(), params).pieceStart[0], 3);
}

TEST(ConvertCommand, MisuseSaysWhatIsWrongOnOneLine) {
    struct Case {
        const char* arguments;
        const char* says;
    };
    const Case cases[] = {
        {"convrt csv", "unknown subcommand 'convrt'"},
        {"convert txt --source a", "unknown kind 'txt'"},
        {"--version", "no --version option"},
        {"convert csv --bogus", "--bogus"},
        {"convert csv --max-errors 99999999999", "--max-errors"},
        {"-V", "no -V option"},
        // Lists of values: too many, or a value that is not one.
        {"convert text --pieces 1:2,3:4,5:6,7:8,9:10", "--pieces takes up to four"},
        {"convert sdf --pieces 1:2,3", "--pieces takes up to four"},
        {"convert csv --strict kyoto,,kenn", "unknown strict check: kenn"},
        {"convert csv --fields 1,2,3,4,5", "--fields takes up to four"},
        {"convert csv --fields 1,,2", "--fields takes up to four"},
        {"convert excel --columns A,B,C,D,E", "--columns takes up to four columns"},
        {"convert excel --columns A,,B", "--columns takes up to four columns"},
        {"convert table --database x.db --fields a,b,c,d,e", "--fields takes up to four field"},
        {"convert csv --range 5", "--range takes FIRST-LAST"},
        {"convert table --database x.db --range 1-x", "--range takes FIRST-LAST"},
    };
    for (const Case& c : cases) {
        int status = -1;
        const std::string out = zelko7(c.arguments, &status);
        EXPECT_EQ(status, 10) << c.arguments;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.arguments << ": " << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << c.arguments << ": " << out;
    }
    int status = -1;
    EXPECT_NE(zelko7("convert csv --help", &status).find("--fields"), std::string::npos);
    EXPECT_EQ(status, 0);
}

TEST(ConvertCommand, ThreadsWriteTheSameFilesAsOne) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    // Real addresses of every prefecture, some spoiled so that they fail.
    std::string addresses;
    ASSERT_EQ(runCommand("'" + binPath("make_addresses") + "' '" + std::string(KESZIP_DATA) +
                             "/ken_all.zip' 30000 | awk 'NR % 97 == 0 { $0 = \"x\" $0 } "
                             "{ print NR \",\" $0 \",z\" }' | iconv -f UTF-8 -t CP932",
                         &addresses),
              0);
    writeFile(dir.file("in.csv"), addresses);
    int status = -1;
    int run = 0;
    // What the run printed (but for its elapsed time), wrote and put in its error file.
    auto convert = [&](const std::string& threads, const std::string& more, int expected = 0) {
        const std::string name = std::to_string(++run);
        const std::string out =
            zelko7("convert csv --source in.csv --dest out" + name + ".csv --fields 2 --mode 7 " +
                       "--error-file err" + name + ".txt --yes --threads " + threads + more,
                   &status, dir.path());
        EXPECT_EQ(status, expected) << out;
        const std::size_t time = out.find("変換時間は");
        EXPECT_NE(time, std::string::npos) << out;
        return out.substr(0, time) + readFile(dir.file("out" + name + ".csv")) +
               readFile(dir.file("err" + name + ".txt"));
    };
    const std::string one = convert("1", " --no-max-errors");
    EXPECT_GT(one.size(), addresses.size());
    EXPECT_TRUE(convert("3", " --no-max-errors") == one);
    // The error maximum ends both at the same record.
    // (exit status 5: stopped at the error maximum).
    const std::string cut = convert("1", " --max-errors 200", 5);
    EXPECT_LT(cut.size(), one.size());
    EXPECT_TRUE(convert("2", " --max-errors 200", 5) == cut);

    const std::string out = zelko7(
        "convert csv --source in.csv --dest o.csv --fields 2 --yes "
        "--threads 0",
        &status, dir.path());
    EXPECT_EQ(status, 10) << out;
}
