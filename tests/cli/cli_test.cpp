// The keszip command line tool as a user runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::runCommand;

TEST(Cli, VersionReportsLibraryAndDictionary) {
    KESZIP_REQUIRE_REAL_DATA();
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' version", &out), 0);
    EXPECT_NE(out.find("library\t1.5.1.7\n"), std::string::npos) << out;
    EXPECT_NE(out.find("edition\t"), std::string::npos) << out;
    EXPECT_NE(out.find("data-date\t20"), std::string::npos) << out;
}

TEST(Cli, VersionWithoutDictionarySaysSo) {
    testing_support::TempDir dir;
    for (const char* name : {"keszip", "libkeszip.so", "libkesbar.so"})
        std::filesystem::copy_file(binPath(name), dir.file(name));
    std::string out;
    ASSERT_EQ(runCommand("cd '" + dir.path() + "' && ./keszip version 2>&1", &out), 0);
    EXPECT_NE(out.find("library\t1.5.1.7"), std::string::npos) << out;
    EXPECT_NE(out.find("KESZIP.DIC could not be opened (error 2)"), std::string::npos) << out;
}

TEST(Cli, FoldPrintsMatchingAndLiteralKeys) {
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' fold 霞が関 霞ヶ関", &out), 0);
    auto newline = out.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_EQ(out.substr(0, newline + 1), out.substr(newline + 1)) << out;

    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' fold --mode 0 三丁目", &out), 0);
    EXPECT_EQ(out, "3丁目\n");
    EXPECT_NE(runCommand("'" + binPath("keszip") + "' fold --mode 2 x 2>/dev/null", &out), 0);
}

namespace {

std::string keszip(const std::string& arguments, int* status = nullptr) {
    std::string out;
    const int code = runCommand("'" + binPath("keszip") + "' " + arguments + " 2>&1", &out);
    if (status) *status = code;
    return out;
}

}  // namespace

TEST(Cli, LookupPrintsNothingButTheErrorForAnAddressNotPlaced) {
    KESZIP_REQUIRE_REAL_DATA();
    // The first line sets a local-government code; 府中市 alone is refused
    // with ERR-005 after a candidate was found.
    EXPECT_EQ(keszip("lookup 東京都千代田区丸の内1 どこにもない住所 府中市本町"),
              "1\t1000005\t100  \t1\t13101\n0\tERR-003\t\t\t\n0\tERR-005\t\t\t\n");
    EXPECT_EQ(keszip("lookup --hyphen 府中市本町"), "0\tERR--005\t\t\t\n");
}

TEST(Cli, OldCodesAreWrittenAsTheLookupsWriteThem) {
    KESZIP_REQUIRE_REAL_DATA();
    // 霞が関's old code is 100, a multiple of 100: three digits and two blanks.
    const std::string lookup = keszip("lookup 東京都千代田区霞が関1-2-3");
    EXPECT_EQ(lookup.substr(0, 16), "1\t1000013\t100  \t") << lookup;
    EXPECT_EQ(keszip("code 1000013").substr(0, 17), "33\t100  \t1000013\t");
    EXPECT_EQ(keszip("code --hyphen 1000013").substr(0, 19), "33\t100   \t100-0013\t");
    const std::string split = keszip("split 東京都千代田区霞が関1-2-3");
    EXPECT_EQ(split.substr(split.find('\t'), 7), "\t100  \t") << split;
    EXPECT_EQ(keszip("office --code 1008050").substr(0, 14), "1008050\t100  \t");
    // An old code that is not a multiple of 100 keeps its five digits.
    EXPECT_EQ(keszip("code 9071800").substr(0, 16), "5\t90718\t9071800\t");
}

TEST(Cli, MisuseIsOneLineOnStandardErrorBeforeAnyWork) {
    KESZIP_REQUIRE_REAL_DATA();
    struct Case {
        const char* arguments;
        const char* says;
    };
    const Case cases[] = {
        {"code abc", "postal code"},
        {"code 12345678", "postal code"},
        {"code 1234", "postal code"},
        {"decide abc", "postal code"},
        {"decide 12-34567", "postal code"},
        {"office --code abc", "postal code"},
        {"tel abc", "telephone number"},
        {"tel-decide 03x", "telephone number"},
        {"tel -", "at least one digit"},
        {"barcode --width-percent 100000 1234567", "--width-percent"},
        {"barcode --width-percent 0 1234567", "--width-percent"},
        {"bogus", "unknown subcommand 'bogus'"},
        {"--sjis bogus x", "unknown subcommand 'bogus'"},
        {"--version", "keszip version"},
        {"lookup --no-such-option x", "--no-such-option"},
        {"search \"$(printf '\\377')\"", "no Shift-JIS form"},
        {"split 😀", "no Shift-JIS form"},
        {"office --name 😀", "no Shift-JIS form"},
    };
    for (const Case& c : cases) {
        std::string out;
        const int status =
            runCommand("'" + binPath("keszip") + "' " + c.arguments + " 2>&1 >/dev/null", &out);
        EXPECT_NE(status, 0) << c.arguments;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.arguments << ": " << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << c.arguments << ": " << out;
        // Nothing on standard output.
        EXPECT_EQ(
            runCommand("'" + binPath("keszip") + "' " + c.arguments + " 2>/dev/null", &out) != 0 &&
                out.empty(),
            true)
            << c.arguments;
    }
    // Well-formed arguments still pass.
    int status = -1;
    EXPECT_NE(keszip("code 100-0013", &status), "");
    EXPECT_EQ(status, 0);
    keszip("tel 0273-12", &status);
    EXPECT_EQ(status, 0);
    keszip("barcode --width-percent 200 1234567", &status);
    EXPECT_EQ(status, 0);
}

TEST(Cli, LookupNamesTheLinesItCannotReadAndKeepsOneLinePerLine) {
    KESZIP_REQUIRE_REAL_DATA();
    testing_support::TempDir dir;
    // Line 2 is not UTF-8, line 3 has a NUL byte inside, line 4 an emoji (looked up
    // as the placeholder), line 6 a postal code other than its own before it.
    testing_support::writeFile(dir.file("in.txt"),
                               std::string("東京都千代田区丸の内1\n\xff\xfe\n東京都") + '\0' +
                                   "千代田区\n\xF0\x9F\x98\x80\n" + "東京都千代田区霞が関1\n" +
                                   "〒100-0014 東京都千代田区霞が関1\n");
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' lookup < '" + dir.file("in.txt") + "' 2>'" +
                             dir.file("err.txt") + "'",
                         &out),
              0);
    EXPECT_EQ(out,
              "1\t1000005\t100  \t1\t13101\n0\tERR-003\t\t\t\n0\tERR-003\t\t\t\n"
              "0\tERR-003\t\t\t\n1\t1000013\t100  \t1\t13101\n"
              "129\t1000013\t100  \t1\t13101\n");
    EXPECT_EQ(testing_support::readFile(dir.file("err.txt")),
              "keszip: line 2 has bytes that are not UTF-8; it is not looked up\n"
              "keszip: line 3 has a NUL byte; it is not looked up\n"
              "keszip: line 4 has characters that have no Shift-JIS form; each was looked up as "
              "〓\n"
              "keszip: line 6 has a postal code before the address other than the code it is "
              "placed at\n");
    // Arguments are named by their place.
    ASSERT_EQ(
        runCommand("'" + binPath("keszip") + "' lookup 東京都 \"$(printf '\\377')\" 2>&1", &out),
        0);
    EXPECT_NE(out.find("argument 2 has bytes that are not UTF-8"), std::string::npos) << out;
}

TEST(Cli, LookupSkipsTheByteOrderMarkOfAUtf8File) {
    KESZIP_REQUIRE_REAL_DATA();
    // Editors on Windows begin a UTF-8 file with a byte order mark; it belongs
    // to the file, not to the first address. A mark later on is kept (as the
    // placeholder of a character Shift-JIS lacks).
    testing_support::TempDir dir;
    testing_support::writeFile(
        dir.file("in.txt"),
        "\xEF\xBB\xBF東京都千代田区丸の内1\r\n\xEF\xBB\xBF東京都千代田区丸の内1\r\n");
    std::string out;
    ASSERT_EQ(runCommand("'" + binPath("keszip") + "' lookup < '" + dir.file("in.txt") + "' 2>'" +
                             dir.file("err.txt") + "'",
                         &out),
              0);
    EXPECT_EQ(out, "1\t1000005\t100  \t1\t13101\n0\tERR-003\t\t\t\n");
    EXPECT_EQ(testing_support::readFile(dir.file("err.txt")),
              "keszip: line 2 has characters that have no Shift-JIS form; each was looked up as "
              "〓\n");
}

TEST(Cli, CodesAndNumbersTypedInFullWidthAreTheSameDigits) {
    // A Japanese input method gives full-width digits and hyphens; they mean
    // what the half-width ones mean.
    EXPECT_EQ(keszip("code １００－００１３"), keszip("code 100-0013"));
    EXPECT_EQ(keszip("decide ０６０－０８０８"), keszip("decide 0600808"));
    EXPECT_EQ(keszip("office --code ４７１８５７１"), keszip("office --code 4718571"));
    EXPECT_EQ(keszip("tel ０１５４７"), keszip("tel 01547"));
    EXPECT_EQ(keszip("tel-decide ０３－３"), keszip("tel-decide 03-3"));
    int status = -1;
    const std::string refused = keszip("code １２３４", &status);
    EXPECT_NE(status, 0);
    EXPECT_NE(refused.find("postal code"), std::string::npos) << refused;
}
