// Painting the setup window's decoration: a blue gradient, a tile combined
// by AND, a picture combined by OR, the version and the maker's lines and
// the edition label. Every size scales with the screen height over 864.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace custom {

// `designValue` for a screen `screenHeight` pixels high (exact at 864).
int scaled(int screenHeight, int designValue);

// The drawing objects DspHook creates and DspUnHook frees.
struct DecorationAssets {
    QSize screen;
    QImage tile;     // bitmap 100 as white and black pixels; null when not loaded
    QImage picture;  // bitmap 101 stretched for the screen; null when not loaded
    QFont smallFont;
    QFont makerFont;
    QFont largeVerticalFont;  // kept for the set, not used in painting
    QFont verticalFont70;     // kept for the set, not used in painting
    QFont versionFont;        // written upwards
    QFont labelFont;
    QFont nameFont;  // the product name down the picture: a font with Japanese glyphs
};

DecorationAssets createDecorationAssets(QSize screen);

// The maker's lines and the label texts.
extern const char* const kVersionText;
extern const char* const kMakerName;
extern const char* const kMakerHomePage;
extern const char* const kMakerMail;
extern const char* const kProductLabel;
extern const char* const kUpdateLabel;
// The product name, written top to bottom down the picture (UTF-8).
extern const char* const kProductName;

// One text of the decoration where it is drawn: `box` is the rectangle its
// glyphs take in the window (for the version text, after turning it
// upwards; for the product name, the column of its characters).
struct DecorationText {
    QString text;
    QFont font;
    QRect box;
    bool upwards = false;
    bool vertical = false;
    int step = 0;  // vertical text: the distance from one character to the next
    // The edition label's opaque background (black text on it); invalid for
    // the white texts written straight onto the picture.
    QColor background;
};

// The texts of the decoration of a window whose client area is `client`, for
// `edition`, in drawing order. Each sits at its design place, moved inwards
// where the font's glyphs would cross the window's edge, so every text is
// whole at any screen height.
std::vector<DecorationText> decorationTexts(const DecorationAssets& assets, QSize client,
                                            int edition);

// The decoration of a window whose client area is `client`, for `edition`
// (1 and 2 show their label, anything else none).
QImage renderDecoration(const DecorationAssets& assets, QSize client, int edition);

}  // namespace custom
