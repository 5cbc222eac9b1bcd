// The library's two monochrome bitmaps: 100, a 180 x 140 tile, and 101, a
// 210 x 674 picture. They are drawn by this code rather than read from files,
// so they cannot go missing.
#pragma once

#include <QImage>

namespace custom {

constexpr int kTileBitmap = 100;
constexpr int kPictureBitmap = 101;

// Bitmap `id` as a one-bit image (colour 0 black, colour 1 white); a null
// image for any other id.
QImage loadBitmap(int id);

}  // namespace custom
