#include "decoration.h"

#include <QFontDatabase>
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
const char* const kProductName = "ゼルコセブン";

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

// A font that has a glyph for every character of `text`: the CJK families
// installed with the desktop first, then any family the font database lists
// for Japanese. A font without the glyphs would show empty boxes.
QFont japaneseFont(int pixelSize, const QString& text) {
    const QStringList preferred = {
        QString::fromLatin1("Noto Sans CJK JP"),   QString::fromLatin1("Noto Serif CJK JP"),
        QString::fromLatin1("IPAexGothic"),        QString::fromLatin1("IPAGothic"),
        QString::fromLatin1("TakaoGothic"),        QString::fromLatin1("VL Gothic"),
        QString::fromLatin1("Droid Sans Fallback")};
    QStringList candidates;
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred)
        if (installed.contains(family)) candidates << family;
    candidates << QFontDatabase::families(QFontDatabase::Japanese);
    QFont font;
    font.setPixelSize(std::max(1, pixelSize));
    for (const QString& family : candidates) {
        font.setFamily(family);
        const QFontMetrics metrics(font);
        bool whole = true;
        for (const uint c : text.toUcs4()) whole = whole && metrics.inFontUcs4(c);
        if (whole) return font;
    }
    return font;
}

// Moves `box` inside `area` (left and top win when it is larger).
QRect keptInside(QRect box, const QRect& area) {
    if (box.right() > area.right()) box.moveRight(area.right());
    if (box.bottom() > area.bottom()) box.moveBottom(area.bottom());
    if (box.left() < area.left()) box.moveLeft(area.left());
    if (box.top() < area.top()) box.moveTop(area.top());
    return box;
}

// How far a line's glyphs reach: its advance, or more where an italic
// glyph leans out past it.
int inkWidth(const QFontMetrics& metrics, const QString& text) {
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

// The rectangle a line of text takes with its top-left corner at `at`.
QRect lineBox(const QFont& font, QPoint at, const QString& text) {
    const QFontMetrics metrics(font);
    return QRect(at, QSize(inkWidth(metrics, text), metrics.height()));
}

DecorationText textOf(const QString& text, const QFont& font, QRect box = {}) {
    DecorationText placed;
    placed.text = text;
    placed.font = font;
    placed.box = box;
    return placed;
}

}  // namespace

std::vector<DecorationText> decorationTexts(const DecorationAssets& assets, QSize client,
                                            int edition) {
    const int h = assets.screen.height();
    const auto s = [h](int designValue) { return scaled(h, designValue); };
    const int right = client.width(), bottom = client.height();
    const QRect area = QRect(QPoint(0, 0), client).adjusted(s(6), s(6), -s(6), -s(6));
    std::vector<DecorationText> texts;

    // The product name down the picture's column, one character under the
    // other, centred below the postal mark.
    {
        DecorationText name = textOf(QString::fromUtf8(kProductName), assets.nameFont);
        name.vertical = true;
        // Characters set one under the other, each in a square a little
        // larger than the font's em.
        const QFontMetrics metrics(name.font);
        int width = 0;
        for (const QChar c : name.text) width = std::max(width, metrics.horizontalAdvance(c));
        name.step = name.font.pixelSize() * 11 / 10;
        const int height = name.step * static_cast<int>(name.text.size());
        name.box =
            keptInside(QRect(s(10) + s(105) - width / 2, s(10) + s(232), width, height), area);
        texts.push_back(name);
    }
    // The version text runs upwards from its point: its box lies above it.
    {
        DecorationText version = textOf(QString::fromLatin1(kVersionText), assets.versionFont);
        version.upwards = true;
        const QFontMetrics metrics(version.font);
        const int length = inkWidth(metrics, version.text);
        version.box = keptInside(QRect(s(210), s(270) - length, metrics.height(), length), area);
        texts.push_back(version);
    }
    // The maker's three lines share their left edge: moved together so the
    // longest stays whole.
    const QString maker = QString::fromLatin1(kMakerName);
    const QString homePage = QString::fromLatin1(kMakerHomePage);
    const QString mail = QString::fromLatin1(kMakerMail);
    const int widest = std::max({inkWidth(QFontMetrics(assets.makerFont), maker),
                                 inkWidth(QFontMetrics(assets.smallFont), homePage),
                                 inkWidth(QFontMetrics(assets.smallFont), mail)});
    const int makerLeft = std::max(area.left(), std::min(right - s(380), area.right() - widest));
    texts.push_back(textOf(maker, assets.makerFont,
                           lineBox(assets.makerFont, QPoint(makerLeft, bottom - s(130)), maker)));
    texts.push_back(textOf(homePage, assets.smallFont,
                           lineBox(assets.smallFont, QPoint(makerLeft, bottom - s(90)), homePage)));
    texts.push_back(textOf(mail, assets.smallFont,
                           lineBox(assets.smallFont, QPoint(makerLeft, bottom - s(60)), mail)));
    if (edition == 1 || edition == 2) {
        const QString label = QString::fromLatin1(edition == 1 ? kProductLabel : kUpdateLabel);
        const QPoint at(right - s(edition == 1 ? 320 : 260), s(10));
        DecorationText text =
            textOf(label, assets.labelFont, keptInside(lineBox(assets.labelFont, at, label), area));
        text.background = edition == 1 ? QColor(0, 255, 255) : QColor(255, 255, 0);
        texts.push_back(text);
    }
    return texts;
}

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
    assets.nameFont = japaneseFont(scaled(h, 56), QString::fromUtf8(kProductName));
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

    const int right = client.width(), bottom = client.height();
    QPainter painter(&image);
    painter.setBackgroundMode(Qt::TransparentMode);
    const std::vector<DecorationText> texts = decorationTexts(assets, client, edition);
    for (const DecorationText& text : texts) {
        painter.setFont(text.font);
        const QFontMetrics metrics(text.font);
        if (text.vertical) {
            painter.setPen(Qt::white);
            // Each character's em square centred in its step: the baseline
            // lies 0.88 em below the square's top, as in CJK fonts.
            const int em = text.font.pixelSize();
            int y = text.box.top() + (text.step - em) / 2 + em * 88 / 100;
            for (const QChar c : text.text) {
                const int x =
                    text.box.left() + (text.box.width() - metrics.horizontalAdvance(c)) / 2;
                painter.drawText(QPoint(x, y), QString(c));
                y += text.step;
            }
        } else if (text.upwards) {
            painter.setPen(Qt::white);
            painter.save();
            painter.translate(text.box.left(), text.box.bottom() + 1);
            painter.rotate(-90);
            writeText(painter, QPoint(0, 0), text.text);
            painter.restore();
        } else if (text.background.isValid()) {
            // The edition label: black on its own opaque background.
            painter.fillRect(text.box, text.background);
            painter.setPen(Qt::black);
            writeText(painter, text.box.topLeft(), text.text);
        } else {
            painter.setPen(Qt::white);
            writeText(painter, text.box.topLeft(), text.text);
        }
    }
    // The thin rule between the maker's name and the home-page line.
    const int makerLeft = texts[2].box.left();
    painter.fillRect(
        QRect(QPoint(makerLeft, bottom - s(93)), QPoint(right - s(50) - 1, bottom - s(91) - 1)),
        Qt::white);
    return image;
}

}  // namespace custom
