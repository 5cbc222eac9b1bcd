// Drawing an encoded barcode as a monochrome BMP file image.
#pragma once

#include <cstdint>
#include <vector>

#include "barcode_encoding.h"

namespace kesbar {

// A bar in image coordinates (top row 0), right and bottom exclusive. Bars
// with a very large width percentage may reach outside the image; drawing
// clips them.
struct BarRect {
    std::int64_t left, top, right, bottom;
};

struct ImageSize {
    std::int64_t width, height;
};

constexpr std::size_t kBmpHeaderBytes = 62;
constexpr std::int64_t kMaxImageBytes = 64LL * 1024 * 1024;

// Image size of a barcode with bar height `height`: 23 symbols of `height`
// pixels side by side, or stacked when rotated.
ImageSize imageSize(int height, bool rotate);

// Bar width: height * widthPercent / 600 pixels, at least 1.
std::int64_t barWidth(int height, int widthPercent);

// The bars of `barcode` in drawing order. Each symbol is `height` wide with
// its three bar positions a third of it apart; rotated, the barcode turns a
// quarter turn counter-clockwise and reads from bottom to top.
std::vector<BarRect> barRectangles(const Barcode& barcode, int height, int widthPercent,
                                   bool rotate);

// The whole BMP file image of `barcode` into `block`. False (and `block`
// untouched) when the height is under 1 or the image would exceed
// kMaxImageBytes.
bool drawBarcode(const Barcode& barcode, int height, int widthPercent, bool rotate,
                 std::vector<unsigned char>& block);

}  // namespace kesbar
