// keszip barcode: prints the symbol names and exits with the barcode result.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::TempDir;

namespace {

int keszip(const std::string& arguments, std::string* output) {
    return testing_support::runCommand("'" + binPath("keszip") + "' " + arguments + " 2>/dev/null",
                                       output);
}

}  // namespace

TEST(KeszipBarcodeCommand, PrintsSymbolsAndExitsWithTheResult) {
    KESZIP_REQUIRE_REAL_DATA();
    std::string output;
    EXPECT_EQ(keszip("barcode 東京都千代田区霞が関1丁目3番1号", &output), 0);
    EXPECT_EQ(output, "[STC]10000131-3-1[CC4][CC4][CC4][CC4][CC4][CC4][CC4][CC4]-[SPC]\n");
    EXPECT_EQ(keszip("barcode 東京都千代田区", &output), 6);
    EXPECT_EQ(output, "");
    EXPECT_EQ(keszip("barcode 12-45", &output), 4);
    EXPECT_EQ(keszip("barcode 1234567x", &output), 1);
    // Raw Shift-JIS arguments with --sjis, spelled for the shell's printf.
    std::string octal;
    for (unsigned char byte : testing_support::sj("東京都千代田区霞が関")) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\%03o", byte);
        octal += escape;
    }
    EXPECT_EQ(keszip("--sjis barcode \"$(printf '" + octal + "')\"", &output), 0);
    EXPECT_EQ(output.substr(0, 12), "[STC]1000013");
}

TEST(KeszipBarcodeCommand, WritesTheBitmap) {
    TempDir dir;
    std::string output;
    std::string path = dir.file("bar.bmp");
    EXPECT_EQ(keszip("barcode --bmp '" + path + "' --height 12 --width-percent 50 --rotate 1234567",
                     &output),
              0);
    std::string block = testing_support::readFile(path);
    ASSERT_EQ(block.size(), 62u + 23u * 12u * 4u);
    EXPECT_EQ(block[18], 12);  // width: the height of one symbol
    EXPECT_EQ(keszip("barcode --bmp '" + dir.file("none/bar.bmp") + "' 1234567", &output), 2);
    EXPECT_EQ(keszip("barcode --height 0 --bmp '" + path + "' 1234567", &output), 2);
}
