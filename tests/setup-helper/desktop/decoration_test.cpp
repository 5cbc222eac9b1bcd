// The decoration painted into images for screens 864 and 1080 pixels high:
// gradient bands, the tile's AND, the picture's OR, the texts and the label.
#include "src/decoration.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>

#include "qt_application.h"
#include "src/decoration_bitmaps.h"

namespace {

using custom::scaled;

// The colour of row `y` from the band rule alone: band i covers the rows
// H*i/256 up to H*(i+1)/256, in blue 255 - i.
QRgb bandColour(int screenHeight, int y) {
    for (int i = 0; i < 256; ++i)
        if (y >= screenHeight * i / 256 && y < screenHeight * (i + 1) / 256)
            return qRgb(0, 0, 255 - i);
    return qRgb(0, 0, 0);
}

bool tileBitSet(const QImage& tile, int x, int y) {
    return qGray(tile.pixel(x % tile.width(), y % tile.height())) >= 128;
}

struct Screen {
    int width;
    int height;
    QSize client;
};

void PrintTo(const Screen& screen, std::ostream* out) { *out << "screen height " << screen.height; }

class DecorationTest : public ::testing::TestWithParam<Screen> {
  protected:
    void SetUp() override { testApplication(); }
    int s(int designValue) const { return scaled(GetParam().height, designValue); }
    custom::DecorationAssets assets() const {
        return custom::createDecorationAssets(QSize(GetParam().width, GetParam().height));
    }
};

TEST_P(DecorationTest, SizesScaleWithTheScreenHeight) {
    const custom::DecorationAssets a = assets();
    const int h = GetParam().height;
    EXPECT_EQ(a.versionFont.pixelSize(), h * 50 / 864);
    EXPECT_EQ(a.labelFont.pixelSize(), h * 50 / 864);
    EXPECT_EQ(a.smallFont.pixelSize(), h * 28 / 864);
    EXPECT_EQ(a.makerFont.pixelSize(), h * 34 / 864);
    EXPECT_TRUE(a.versionFont.italic());
    EXPECT_TRUE(a.labelFont.italic());
    EXPECT_EQ(a.labelFont.weight(), 1000);
    EXPECT_EQ(a.tile.size(), QSize(180, 140));  // the tile is never stretched
    EXPECT_EQ(a.picture.size(), QSize(h * 210 / 864, h * 674 / 864));
    EXPECT_EQ(a.versionFont.pixelSize(), h == 864 ? 50 : 62);
}

// Everywhere outside the picture and the texts each pixel is its band's blue
// where the tile has a set bit and black where it has a clear one.
TEST_P(DecorationTest, GradientBandsCombinedWithTheTileByAnd) {
    const Screen screen = GetParam();
    const custom::DecorationAssets a = assets();
    const QImage image = custom::renderDecoration(a, screen.client, 0);
    ASSERT_EQ(image.size(), screen.client);
    const QImage tile = custom::loadBitmap(custom::kTileBitmap);
    int darkened = 0, bands = 0;
    const int xEnd = screen.client.width() - s(400), yEnd = screen.client.height() - s(150);
    for (int y = 0; y < yEnd; ++y) {
        for (int x = s(300); x < xEnd; ++x) {
            const QRgb expected =
                tileBitSet(tile, x, y) ? bandColour(screen.height, y) : qRgb(0, 0, 0);
            ASSERT_EQ(image.pixel(x, y), expected) << x << "," << y;
            (qBlue(expected) == 0 ? darkened : bands)++;
        }
    }
    EXPECT_GT(darkened, 1000);
    EXPECT_GT(bands, darkened);
    // The first and the last band of the screen.
    EXPECT_EQ(bandColour(screen.height, 0), qRgb(0, 0, 255));
    EXPECT_EQ(bandColour(screen.height, screen.height - 1), qRgb(0, 0, 0));
}

// The picture's set bits turn pixels white inside its stretched rectangle
// (10, 10, 210 x 674 at 864) and nowhere left of it.
TEST_P(DecorationTest, PictureStretchedAndCombinedByOr) {
    const QImage image = custom::renderDecoration(assets(), GetParam().client, 0);
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    // Left of the version text only the picture can be white.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < s(205); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const double k = GetParam().height / 864.0;
    // The drawing's frame covers the rows and columns 5 to 7 and its bottom
    // row is 668.
    EXPECT_NEAR(top, s(10) + 5 * k, 1.01);
    EXPECT_NEAR(left, s(10) + 5 * k, 1.01);
    EXPECT_NEAR(bottom, s(10) + 668 * k, 1.01);
    EXPECT_GE(right, s(190));
    // A pixel between the picture's strokes keeps the gradient and tile.
    const QRgb inside = image.pixel(s(10) + s(30), s(10) + s(150));
    EXPECT_NE(inside, qRgb(255, 255, 255));
}

TEST_P(DecorationTest, VersionTextRunsUpwardsFromItsPoint) {
    const QImage image = custom::renderDecoration(assets(), GetParam().client, 0);
    // Right of the picture, the column of the version text.
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (int y = 0; y < image.height() / 2; ++y)
        for (int x = s(225); x < s(300); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0) << "no version text";
    EXPECT_LE(bottom, s(270) + 1);
    EXPECT_GT(bottom, s(230));
    EXPECT_LT(top, s(110));                       // "Version 1.4" is long
    EXPECT_GT(bottom - top, 2 * (right - left));  // taller than wide
    EXPECT_LE(right, s(210) + s(50) + 2);
}

TEST_P(DecorationTest, MakerLinesAndRuleAtTheBottomRight) {
    const QSize client = GetParam().client;
    const QImage image = custom::renderDecoration(assets(), client, 0);
    const int r = client.width(), b = client.height();
    for (int x = r - s(380); x < r - s(50); x += 7)
        EXPECT_EQ(image.pixel(x, b - s(92)), qRgb(255, 255, 255)) << x;
    auto whiteIn = [&](int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) count += image.pixel(x, y) == qRgb(255, 255, 255);
        return count;
    };
    EXPECT_GT(whiteIn(r - s(380), b - s(130), r - s(50), b - s(95)), 50);  // maker's name
    EXPECT_GT(whiteIn(r - s(380), b - s(90), r - s(50), b - s(62)), 30);   // home page
    EXPECT_GT(whiteIn(r - s(380), b - s(60), r - s(50), b - s(30)), 30);   // e-mail
}

TEST_P(DecorationTest, EditionLabelCyanYellowOrNone) {
    const QSize client = GetParam().client;
    const int r = client.width();
    const QRgb cyan = qRgb(0, 255, 255), yellow = qRgb(255, 255, 0);
    const int labelY = s(10) + s(25);
    auto countColour = [&](const QImage& image, QRgb colour) {
        int count = 0;
        for (int y = 0; y < s(100); ++y)
            for (int x = r - s(400); x < r; ++x) count += image.pixel(x, y) == colour;
        return count;
    };

    // The label starts at its design place, or further left where the
    // font's glyphs would not fit before the window's edge.
    const QRect firstBox = custom::decorationTexts(assets(), client, 1).back().box;
    EXPECT_LE(firstBox.left(), r - s(320));
    EXPECT_LT(firstBox.right(), r);
    const QImage first = custom::renderDecoration(assets(), client, 1);
    EXPECT_EQ(first.pixel(firstBox.left() + 2, labelY), cyan);  // the label's leading blank
    EXPECT_NE(first.pixel(firstBox.left() - 2, labelY), cyan);
    EXPECT_GT(countColour(first, cyan), 1000);
    EXPECT_EQ(countColour(first, yellow), 0);

    const QImage second = custom::renderDecoration(assets(), client, 2);
    const QRect secondBox = custom::decorationTexts(assets(), client, 2).back().box;
    EXPECT_LE(secondBox.left(), r - s(260));
    EXPECT_EQ(second.pixel(secondBox.left() + 2, labelY), yellow);
    EXPECT_NE(second.pixel(secondBox.left() - 2, labelY), yellow);
    EXPECT_EQ(countColour(second, cyan), 0);

    for (int edition : {0, 3, -1}) {
        const QImage none = custom::renderDecoration(assets(), client, edition);
        EXPECT_EQ(countColour(none, cyan), 0) << edition;
        EXPECT_EQ(countColour(none, yellow), 0) << edition;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, DecorationTest,
                         ::testing::Values(Screen{1152, 864, QSize(1000, 760)},
                                           Screen{1920, 1080, QSize(1300, 1000)}),
                         [](const auto& info) { return std::to_string(info.param.height); });

TEST(DecorationBitmaps, SizesAndUnknownIds) {
    testApplication();
    const QImage tile = custom::loadBitmap(100), picture = custom::loadBitmap(101);
    EXPECT_EQ(tile.size(), QSize(180, 140));
    EXPECT_EQ(picture.size(), QSize(210, 674));
    EXPECT_EQ(tile.format(), QImage::Format_Mono);
    EXPECT_EQ(picture.format(), QImage::Format_Mono);
    EXPECT_TRUE(custom::loadBitmap(102).isNull());
}

}  // namespace
