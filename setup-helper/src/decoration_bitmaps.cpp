#include "decoration_bitmaps.h"

#include <QPainter>
#include <QPainterPath>

namespace custom {

namespace {

QImage toMonochrome(const QImage& drawing) {
    return drawing.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither | Qt::MonoOnly);
}

// A diamond lattice of thin black lines on white: combined by AND it lays a
// fine net over the gradient and leaves the rest as it is.
QImage drawTile() {
    QImage image(180, 140, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    for (int x = -140; x < 180; x += 36) {
        painter.drawLine(x, 0, x + 140, 140);
        painter.drawLine(x + 140, 0, x, 140);
    }
    // A small mark in every cell of the tile.
    painter.setBrush(Qt::black);
    painter.drawRect(88, 68, 3, 3);
    painter.drawRect(16, 68, 3, 3);
    painter.drawRect(160, 68, 3, 3);
    return toMonochrome(image);
}

// White strokes on black: combined by OR only the strokes show. A frame and
// the postal mark; the product name is written below the mark as text.
QImage drawPicture() {
    QImage image(210, 674, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(6, 6, 197, 661);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(40, 40, 130, 14);
    painter.drawRect(40, 76, 130, 14);
    painter.drawRect(98, 76, 14, 120);
    return toMonochrome(image);
}

}  // namespace

QImage loadBitmap(int id) {
    if (id == kTileBitmap) return drawTile();
    if (id == kPictureBitmap) return drawPicture();
    return {};
}

}  // namespace custom
