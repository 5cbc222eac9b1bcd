#include "decoration.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "decoration_bitmaps.h"

namespace custom {

const char* const kVersionText = "Version 1.4";
const char* const kMakerName = "The KesZip Project";
const char* const kMakerHomePage = "https://www.keszip.example/";
const char* const kMakerMail = "support@keszip.example";
const char* const kProductLabel = " Product Version ";
const char* const kUpdateLabel = " Update Kit ";

namespace {

constexpr int kDesignHeight = 864;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

QFont romanFont(int screenHeight, int designHeight, int weight, bool italic) {
    // Not a QStringLiteral: Qt's font cache keeps the family name, and a
    // literal's text would vanish with this library when the host unloads it.
    QFont font(QString::fromLatin1("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setFixedPitch(false);
    font.setPixelSize(std::max(1, scaled(screenHeight, designHeight)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(italic);
    return font;
}

// White for a set bit of a one-bit image, black for a clear one: the colours
// a monochrome bitmap takes when it is combined with a colour image.
QImage asColour(const QImage& monochrome) {
    QImage colour = monochrome.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < colour.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(colour.scanLine(y));
        for (int x = 0; x < colour.width(); ++x) row[x] = qGray(row[x]) >= 128 ? kWhite : kBlack;
    }
    return colour;
}

void fillGradient(QImage& image, int screenHeight) {
    const int right = std::min(2000, image.width());
    for (int i = 0; i < 256; ++i) {
        const int top = std::max(0, screenHeight * i / 256);
        const int bottom = std::min(image.height(), screenHeight * (i + 1) / 256);
        const QRgb colour = qRgb(0, 0, 255 - i);
        for (int y = top; y < bottom; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::fill(row, row + right, colour);
        }
    }
}

// Combines `source` into `image` at (left, top), pixel by pixel, by AND or OR.
void combine(QImage& image, const QImage& source, int left, int top, bool useOr) {
    const int yEnd = std::min(image.height(), top + source.height());
    const int xEnd = std::min(image.width(), left + source.width());
    for (int y = std::max(0, top); y < yEnd; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - top));
        for (int x = std::max(0, left); x < xEnd; ++x)
            row[x] = useOr ? (row[x] | from[x - left]) : (row[x] & from[x - left]);
    }
}

// Text with its top-left corner at `at`, as the window system writes it.
void writeText(QPainter& painter, QPoint at, const QString& text) {
    painter.drawText(at + QPoint(0, QFontMetrics(painter.font()).ascent()), text);
}

void writeLabel(QPainter& painter, const QFont& font, QPoint at, const QString& text,
                QColor background) {
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.fillRect(QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height())),
                     background);
    painter.setPen(Qt::black);
    writeText(painter, at, text);
}

}  // namespace

int scaled(int screenHeight, int designValue) { return screenHeight * designValue / kDesignHeight; }

DecorationAssets createDecorationAssets(QSize screen) {
    const int h = screen.height();
    DecorationAssets assets;
    assets.screen = screen;
    const QImage tile = loadBitmap(kTileBitmap);
    if (!tile.isNull()) assets.tile = asColour(tile);
    const QImage picture = loadBitmap(kPictureBitmap);
    if (!picture.isNull())
        assets.picture =
            asColour(picture.scaled(std::max(1, scaled(h, 210)), std::max(1, scaled(h, 674)),
                                    Qt::IgnoreAspectRatio, Qt::FastTransformation));
    assets.smallFont = romanFont(h, 28, 400, false);
    assets.makerFont = romanFont(h, 34, 400, false);
    assets.largeVerticalFont = romanFont(h, 170, 400, false);
    assets.verticalFont70 = romanFont(h, 70, 400, false);
    assets.versionFont = romanFont(h, 50, 400, true);
    assets.labelFont = romanFont(h, 50, 1000, true);
    return assets;
}

QImage renderDecoration(const DecorationAssets& assets, QSize client, int edition) {
    const int h = assets.screen.height();
    const auto s = [h](int designValue) { return scaled(h, designValue); };
    QImage image(client, QImage::Format_RGB32);
    image.fill(kBlack);
    fillGradient(image, h);
    if (!assets.tile.isNull()) {
        for (int y = 0; y < assets.screen.height(); y += assets.tile.height())
            for (int x = 0; x < assets.screen.width(); x += assets.tile.width())
                combine(image, assets.tile, x, y, false);
    }
    if (!assets.picture.isNull()) combine(image, assets.picture, s(10), s(10), true);

    const int left = 0, top = 0, right = client.width(), bottom = client.height();
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);

    painter.save();
    painter.setFont(assets.versionFont);
    painter.translate(left + s(210), top + s(270));
    painter.rotate(-90);  // the text runs upwards
    writeText(painter, QPoint(0, 0), QString::fromLatin1(kVersionText));
    painter.restore();

    painter.setFont(assets.makerFont);
    writeText(painter, QPoint(right - s(380), bottom - s(130)), QString::fromLatin1(kMakerName));
    painter.fillRect(QRect(QPoint(right - s(380), bottom - s(93)),
                           QPoint(right - s(50) - 1, bottom - s(91) - 1)),
                     Qt::white);
    painter.setFont(assets.smallFont);
    writeText(painter, QPoint(right - s(380), bottom - s(90)), QString::fromLatin1(kMakerHomePage));
    writeText(painter, QPoint(right - s(380), bottom - s(60)), QString::fromLatin1(kMakerMail));

    if (edition == 1)
        writeLabel(painter, assets.labelFont, QPoint(right - s(320), top + s(10)),
                   QString::fromLatin1(kProductLabel), QColor(0, 255, 255));
    else if (edition == 2)
        writeLabel(painter, assets.labelFont, QPoint(right - s(260), top + s(10)),
                   QString::fromLatin1(kUpdateLabel), QColor(255, 255, 0));
    return image;
}

}  // namespace custom
