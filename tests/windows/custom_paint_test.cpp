// Custom's painting on Windows, into a bitmap of the test's own: the
// gradient, the rule and the edition label where the design puts them.
#include <gtest/gtest.h>
#include <windows.h>

#include "windows/decoration_windows.h"

namespace {

struct Canvas {
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // 0xRRGGBB of a pixel.
    unsigned pixel(int x, int y) const {
        GdiFlush();
        return static_cast<const unsigned*>(bits)[y * kWidth + x] & 0xFFFFFF;
    }
};

TEST(CustomPaint, DrawsTheDesignAtItsPlaces) {
    const RECT client{0, 0, Canvas::kWidth, Canvas::kHeight};
    struct Case {
        int edition;
        unsigned labelPixel;  // just inside the label's left edge
    };
    // Edition 1 shows a cyan label, 2 a yellow one (further right), 0 none.
    for (const Case& c : {Case{1, 0x00FFFF}, Case{2, 0xFFFF00}, Case{0, 0x0000F9}}) {
        Canvas canvas;
        ASSERT_NE(canvas.bits, nullptr);
        custom::paintDecoration(canvas.dc, client, 864, c.edition);
        EXPECT_EQ(canvas.pixel(100, 1), 0x0000FFu);    // band 0: bright blue
        EXPECT_EQ(canvas.pixel(100, 430), 0x000080u);  // band 127
        EXPECT_EQ(canvas.pixel(430, 507), 0xFFFFFFu);  // the rule at B - 93
        const int labelLeft = Canvas::kWidth - (c.edition == 2 ? 260 : 320);
        EXPECT_EQ(canvas.pixel(labelLeft + 2, 20), c.labelPixel) << c.edition;
    }
}

}  // namespace
