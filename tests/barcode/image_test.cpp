// Drawing: the BMP headers, the bar geometry and the pixels read back.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "src/barcode_encoding.h"
#include "src/barcode_image.h"

using kesbar::Barcode;

namespace {

using Block = std::vector<unsigned char>;

std::uint32_t read32(const Block& block, std::size_t at) {
    return block[at] | block[at + 1] << 8 | block[at + 2] << 16 |
           static_cast<std::uint32_t>(block[at + 3]) << 24;
}

// Reads pixels of a block through its own headers, as an image viewer does.
struct BitmapReader {
    explicit BitmapReader(const Block& b)
        : block(b),
          width(static_cast<int>(read32(b, 18))),
          height(static_cast<int>(read32(b, 22))),
          stride((width + 31) / 32 * 4),
          pixels(read32(b, 10)) {}
    // True for black at (x, y), y counted from the top of the image.
    bool black(int x, int y) const {
        std::size_t row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
        return ((block[row + x / 8] >> (7 - x % 8)) & 1) == 0;
    }
    const Block& block;
    int width, height, stride;
    std::size_t pixels;
};

Barcode postalBarcode() {
    Barcode barcode{};
    EXPECT_EQ(kesbar::encode("1234567", barcode), kesbar::Result::Success);
    return barcode;
}

Block draw(const Barcode& barcode, int height, int percent, bool rotate) {
    Block block;
    EXPECT_TRUE(kesbar::drawBarcode(barcode, height, percent, rotate, block));
    return block;
}

// True when every pixel of the rectangle is black (or every one white).
bool allOf(bool black, const BitmapReader& image, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (image.black(x, y) != black) return false;
    return true;
}

bool allBlack(const BitmapReader& image, int left, int top, int right, int bottom) {
    return allOf(true, image, left, top, right, bottom);
}

bool allWhite(const BitmapReader& image, int left, int top, int right, int bottom) {
    return allOf(false, image, left, top, right, bottom);
}

}  // namespace

TEST(BarcodeImage, HeadersOfAThirtyPixelBarcode) {
    Block block = draw(postalBarcode(), 30, 100, false);
    // 690 pixels make rows of 88 bytes; 30 rows.
    const unsigned char expected[62] = {
        'B', 'M', 0x8E, 0x0A, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,    40,   0, 0,    0,    0xB2, 0x02, 0,
        0,   30,  0,    0,    0, 1, 0, 1, 0, 0, 0,  0, 0, 0x50, 0x0A, 0, 0,    0,    0,    0,    0,
        0,   0,   0,    0,    2, 0, 0, 0, 2, 0, 0,  0, 0, 0,    0,    0, 0xFF, 0xFF, 0xFF, 0};
    ASSERT_EQ(block.size(), 62u + 2640u);
    EXPECT_EQ(Block(block.begin(), block.begin() + 62), Block(expected, expected + 62));
}

TEST(BarcodeImage, GeometryAtThirtyPixels) {
    Block block = draw(postalBarcode(), 30, 100, false);
    BitmapReader image(block);
    ASSERT_EQ(image.width, 690);
    ASSERT_EQ(image.height, 30);
    // Start code: no first bar, a long bar at 12-16, a lower bar at 22-26.
    EXPECT_TRUE(allWhite(image, 0, 0, 12, 30));
    EXPECT_TRUE(allBlack(image, 12, 0, 17, 30));
    EXPECT_TRUE(allWhite(image, 17, 0, 22, 30));
    EXPECT_TRUE(allWhite(image, 22, 0, 27, 10));
    EXPECT_TRUE(allBlack(image, 22, 10, 27, 30));
    // "1" (long, long, timing): five-pixel bars from x = 32, 42 and 52.
    EXPECT_TRUE(allWhite(image, 27, 0, 32, 30));
    EXPECT_TRUE(allBlack(image, 32, 0, 37, 30));
    EXPECT_TRUE(allWhite(image, 37, 0, 42, 30));
    EXPECT_TRUE(allBlack(image, 42, 0, 47, 30));
    EXPECT_TRUE(allWhite(image, 52, 0, 57, 10));
    EXPECT_TRUE(allBlack(image, 52, 10, 57, 20));
    EXPECT_TRUE(allWhite(image, 52, 20, 57, 30));
    // "2" (long, lower, upper) at 62, 72, 82.
    EXPECT_TRUE(allBlack(image, 72, 10, 77, 30));
    EXPECT_TRUE(allWhite(image, 72, 0, 77, 10));
    EXPECT_TRUE(allBlack(image, 82, 0, 87, 20));
    EXPECT_TRUE(allWhite(image, 82, 20, 87, 30));
    // Stop code: lower bar at 662, long bar at 672, nothing after 677.
    EXPECT_TRUE(allBlack(image, 662, 10, 667, 30));
    EXPECT_TRUE(allBlack(image, 672, 0, 677, 30));
    EXPECT_TRUE(allWhite(image, 677, 0, 690, 30));
}

TEST(BarcodeImage, RotatedReadsFromBottomToTop) {
    Block block = draw(postalBarcode(), 30, 100, true);
    BitmapReader image(block);
    ASSERT_EQ(image.width, 30);
    ASSERT_EQ(image.height, 690);
    EXPECT_EQ(read32(block, 34), 690u * 4u);
    // Start code at the bottom: long bar on rows 673-677, lower bar on 663-667.
    EXPECT_TRUE(allWhite(image, 0, 678, 30, 690));
    EXPECT_TRUE(allBlack(image, 0, 673, 30, 678));
    EXPECT_TRUE(allBlack(image, 10, 663, 30, 668));
    EXPECT_TRUE(allWhite(image, 0, 663, 10, 668));
    // Stop code at the top.
    EXPECT_TRUE(allWhite(image, 0, 0, 30, 13));
    EXPECT_TRUE(allBlack(image, 0, 13, 30, 18));
    EXPECT_TRUE(allBlack(image, 10, 23, 30, 28));
}

TEST(BarcodeImage, PixelsMatchTheBarsForAnySize) {
    const Barcode barcode = postalBarcode();
    for (int height : {1, 2, 7, 30, 61}) {
        for (int percent : {-50, 0, 100, 250, 3000}) {
            for (bool rotate : {false, true}) {
                Block block = draw(barcode, height, percent, rotate);
                BitmapReader image(block);
                auto size = kesbar::imageSize(height, rotate);
                ASSERT_EQ(image.width, size.width);
                ASSERT_EQ(image.height, size.height);
                ASSERT_EQ(block.size(), 62u + static_cast<std::size_t>(image.stride) *
                                                  static_cast<std::size_t>(image.height));
                auto bars = kesbar::barRectangles(barcode, height, percent, rotate);
                EXPECT_EQ(bars.size(), 67u);  // 23 symbols, one empty position each at both ends
                int mismatches = 0;
                for (int y = 0; y < image.height; ++y) {
                    for (int x = 0; x < image.width; ++x) {
                        bool inBar = false;
                        for (const auto& bar : bars) {
                            inBar = inBar || (x >= bar.left && x < bar.right && y >= bar.top &&
                                              y < bar.bottom);
                        }
                        mismatches += inBar != image.black(x, y);
                    }
                }
                EXPECT_EQ(mismatches, 0) << height << " px, " << percent << "%, rotate " << rotate;
            }
        }
    }
}

TEST(BarcodeImage, BarWidthAndRefusedSizes) {
    EXPECT_EQ(kesbar::barWidth(30, 100), 5);
    EXPECT_EQ(kesbar::barWidth(30, 50), 2);
    EXPECT_EQ(kesbar::barWidth(5, 100), 1);
    EXPECT_EQ(kesbar::barWidth(30, -100), 1);
    const Barcode barcode = postalBarcode();
    Block block = {1, 2, 3};
    EXPECT_FALSE(kesbar::drawBarcode(barcode, 0, 100, false, block));
    EXPECT_FALSE(kesbar::drawBarcode(barcode, -30, 100, true, block));
    EXPECT_FALSE(kesbar::drawBarcode(barcode, 5000, 100, false, block));
    EXPECT_FALSE(kesbar::drawBarcode(barcode, INT_MAX, 100, true, block));
    EXPECT_EQ(block, (Block{1, 2, 3}));
    // Bars far wider than the image all start beyond its right edge.
    block = draw(barcode, 30, INT_MAX, false);
    EXPECT_TRUE(allWhite(BitmapReader(block), 0, 0, 690, 30));
}
