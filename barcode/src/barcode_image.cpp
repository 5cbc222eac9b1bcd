#include "barcode_image.h"

#include <algorithm>
#include <cstring>

namespace kesbar {
namespace {

// Image rows are padded to whole 32-bit words.
std::int64_t rowStride(std::int64_t width) { return (width + 31) / 32 * 4; }

void put16(unsigned char* at, std::uint32_t value) {
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* at, std::uint32_t value) {
    put16(at, value);
    put16(at + 2, value >> 16);
}

void writeHeaders(unsigned char* out, ImageSize size, std::uint32_t pixelBytes) {
    std::memset(out, 0, kBmpHeaderBytes);
    // File header.
    out[0] = 'B';
    out[1] = 'M';
    put32(out + 2, static_cast<std::uint32_t>(kBmpHeaderBytes) + pixelBytes);
    put32(out + 10, static_cast<std::uint32_t>(kBmpHeaderBytes));
    // Information header; a positive height means bottom-up rows.
    put32(out + 14, 40);
    put32(out + 18, static_cast<std::uint32_t>(size.width));
    put32(out + 22, static_cast<std::uint32_t>(size.height));
    put16(out + 26, 1);
    put16(out + 28, 1);
    put32(out + 34, pixelBytes);
    put32(out + 46, 2);
    put32(out + 50, 2);
    // Colour table: entry 0 black, entry 1 white (blue, green, red, reserved).
    std::memset(out + 58, 0xFF, 3);
}

// Clears bits [left, right) of one row: the bars take colour 0, black.
void clearSpan(unsigned char* row, std::int64_t left, std::int64_t right) {
    while (left < right && (left & 7) != 0) {
        row[left >> 3] &= static_cast<unsigned char>(~(0x80u >> (left & 7)));
        ++left;
    }
    if (right - left >= 8) {
        std::int64_t whole = (right - left) >> 3;
        std::memset(row + (left >> 3), 0, static_cast<std::size_t>(whole));
        left += whole << 3;
    }
    for (; left < right; ++left) {
        row[left >> 3] &= static_cast<unsigned char>(~(0x80u >> (left & 7)));
    }
}

}  // namespace

ImageSize imageSize(int height, bool rotate) {
    std::int64_t length = std::int64_t{kBarcodeLength} * height;
    return rotate ? ImageSize{height, length} : ImageSize{length, height};
}

std::int64_t barWidth(int height, int widthPercent) {
    return std::max<std::int64_t>(1, std::int64_t{height} * widthPercent / 600);
}

std::vector<BarRect> barRectangles(const Barcode& barcode, int height, int widthPercent,
                                   bool rotate) {
    const std::int64_t h = height;
    const std::int64_t w = barWidth(height, widthPercent);
    const std::int64_t length = kBarcodeLength * h;
    std::vector<BarRect> bars;
    bars.reserve(kBarcodeLength * 3);
    for (int s = 0; s < kBarcodeLength; ++s) {
        const SymbolShape& shape = symbolShape(barcode[s]);
        for (int k = 0; k < 3; ++k) {
            std::int64_t top = 0, bottom = h;
            switch (shape.bars[k]) {
                case Bar::None:
                    continue;
                case Bar::Long:
                    break;
                case Bar::Upper:
                    bottom = 2 * h / 3;
                    break;
                case Bar::Lower:
                    top = h / 3;
                    break;
                case Bar::Timing:
                    top = h / 3;
                    bottom = 2 * h / 3;
                    break;
            }
            std::int64_t left = h * s + h * k / 3 + w / 2;
            BarRect bar{left, top, left + w, bottom};
            if (rotate) bar = {bar.top, length - bar.right, bar.bottom, length - bar.left};
            bars.push_back(bar);
        }
    }
    return bars;
}

bool drawBarcode(const Barcode& barcode, int height, int widthPercent, bool rotate,
                 std::vector<unsigned char>& block) {
    if (height < 1 || height > kMaxImageBytes) return false;
    const ImageSize size = imageSize(height, rotate);
    const std::int64_t stride = rowStride(size.width);
    const std::int64_t pixelBytes = stride * size.height;
    if (pixelBytes > kMaxImageBytes - static_cast<std::int64_t>(kBmpHeaderBytes)) return false;

    std::vector<unsigned char> out(kBmpHeaderBytes + static_cast<std::size_t>(pixelBytes), 0xFF);
    writeHeaders(out.data(), size, static_cast<std::uint32_t>(pixelBytes));
    unsigned char* pixels = out.data() + kBmpHeaderBytes;
    for (const BarRect& bar : barRectangles(barcode, height, widthPercent, rotate)) {
        std::int64_t left = std::max<std::int64_t>(bar.left, 0);
        std::int64_t right = std::min(bar.right, size.width);
        std::int64_t top = std::max<std::int64_t>(bar.top, 0);
        std::int64_t bottom = std::min(bar.bottom, size.height);
        if (left >= right) continue;
        for (std::int64_t y = top; y < bottom; ++y) {
            // Rows are stored bottom-up.
            clearSpan(pixels + (size.height - 1 - y) * stride, left, right);
        }
    }
    block = std::move(out);
    return true;
}

}  // namespace kesbar
