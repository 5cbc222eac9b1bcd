// The exported functions over ready barcode data: results, the block handed
// out and the file written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "kesbar_library.h"
#include "support/test_support.h"

using barcode_test::KesBarLibrary;
using barcode_test::library;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

// The block of `source`, copied out and released.
std::string imageOf(const char* source, int height, int percent, int rotate, int* result) {
    unsigned char* block = nullptr;
    int size = -1;
    *result = library().image(source, height, &block, &size, percent, rotate);
    std::string bytes;
    if (*result == 0) bytes.assign(reinterpret_cast<char*>(block), static_cast<std::size_t>(size));
    library().free(block);
    return bytes;
}

}  // namespace

TEST(KesBarExports, TextOfReadyData) {
    ASSERT_TRUE(library().ok()) << library().error;
    std::string cc4;
    for (int i = 0; i < 13; ++i) cc4 += "[CC4]";
    EXPECT_EQ(library().text("123-4567"), "[STC]1234567" + cc4 + "[CC8][SPC]");
    // Ten letters fill the data; the rest is dropped.
    std::string letters;
    for (int i = 0; i < 10; ++i) letters += "[CC3]5";
    EXPECT_EQ(library().text("ZZZZZZZZZZZZ"), "[STC]" + letters + "-[SPC]");

    int result = -1;
    library().text("1234567a", &result);
    EXPECT_EQ(result, 1);
    library().text("12-45", &result);
    EXPECT_EQ(result, 4);
    library().text("123-456", &result);
    EXPECT_EQ(result, 4);
    // The buffer is checked only after the data.
    EXPECT_EQ(library().str("1234567", nullptr), 2);
    EXPECT_EQ(library().str("12", nullptr), 4);
    EXPECT_EQ(library().str("1234567a", nullptr), 1);
    EXPECT_EQ(library().str(nullptr, nullptr), 4);
}

TEST(KesBarExports, ImageBlockAndFileHoldTheSameBitmap) {
    ASSERT_TRUE(library().ok()) << library().error;
    TempDir dir;
    int result = -1;
    std::string block = imageOf("1000013A1-3-1", 30, 100, 0, &result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(block.size(), 2702u);
    EXPECT_EQ(block.substr(0, 2), "BM");

    // An existing, longer file is replaced.
    std::string path = dir.file("bar.bmp");
    testing_support::writeFile(path, std::string(5000, 'x'));
    EXPECT_EQ(library().bar("1000013A1-3-1", path.c_str(), 30, 100, 0), 0);
    EXPECT_EQ(readFile(path), block);

    std::string rotated = imageOf("1000013A1-3-1", 30, 100, 1, &result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(library().bar("1000013A1-3-1", path.c_str(), 30, 100, 1), 0);
    EXPECT_EQ(readFile(path), rotated);

    // Without a file name the bitmap is made and dropped.
    EXPECT_EQ(library().bar("1000013", nullptr, 30, 100, 0), 0);
    EXPECT_EQ(library().bar("1000013", nullptr, 0, 100, 0), 2);
}

TEST(KesBarExports, FailuresLeaveNoOutput) {
    ASSERT_TRUE(library().ok()) << library().error;
    TempDir dir;
    auto* poison = reinterpret_cast<unsigned char*>(&dir);
    unsigned char* block = poison;
    int size = 77;
    // A bad character clears the outs; short data leave them alone.
    EXPECT_EQ(library().image("1234567x", 30, &block, &size, 100, 0), 1);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(size, 0);
    block = poison, size = 77;
    EXPECT_EQ(library().image("123", 30, &block, &size, 100, 0), 4);
    EXPECT_EQ(block, poison);
    EXPECT_EQ(size, 77);
    // A height that makes no image is refused, as is nowhere to put the block.
    EXPECT_EQ(library().image("1234567", 0, &block, &size, 100, 0), 2);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(library().image("1234567", 100000, &block, &size, 100, 1), 2);
    EXPECT_EQ(library().image("1234567", 30, nullptr, &size, 100, 0), 2);
    EXPECT_EQ(library().image("1234567", 30, &block, nullptr, 100, 0), 2);

    // No file for bad data; result 2 when the file cannot be created.
    std::string path = dir.file("bad.bmp");
    EXPECT_EQ(library().bar("1234567x", path.c_str(), 30, 100, 0), 1);
    EXPECT_EQ(library().bar("12-45", path.c_str(), 30, 100, 0), 4);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(library().bar("1234567", dir.file("no/such/dir.bmp").c_str(), 30, 100, 0), 2);
    EXPECT_EQ(library().bar("1234567", "", 30, 100, 0), 2);
    // A device that takes no bytes: the write comes up short.
    if (access("/dev/full", W_OK) == 0) {
        EXPECT_EQ(library().bar("1234567", "/dev/full", 30, 100, 0), 3);
    }
}

TEST(KesBarExports, ImageToolReadsTheFile) {
    if (testing_support::runCommand("command -v identify >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    }
    ASSERT_TRUE(library().ok()) << library().error;
    TempDir dir;
    for (int rotate : {0, 1}) {
        std::string path = dir.file("bar.bmp");
        ASSERT_EQ(library().bar("1000013A1-3-1", path.c_str(), 30, 100, rotate), 0);
        std::string output;
        ASSERT_EQ(testing_support::runCommand("identify -format '%m %w %h %k' '" + path + "' 2>&1",
                                              &output),
                  0)
            << output;
        // BMP3: the format with the 40-byte header; two colours in use.
        EXPECT_EQ(output, rotate ? "BMP3 30 690 2" : "BMP3 690 30 2");
    }
}
