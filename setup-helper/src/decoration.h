// Painting the setup window's decoration: a blue gradient, a tile combined
// by AND, a picture combined by OR, the version and the maker's lines and
// the edition label. Every size scales with the screen height over 864.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

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
};

DecorationAssets createDecorationAssets(QSize screen);

// The maker's lines and the label texts.
extern const char* const kVersionText;
extern const char* const kMakerName;
extern const char* const kMakerHomePage;
extern const char* const kMakerMail;
extern const char* const kProductLabel;
extern const char* const kUpdateLabel;

// The decoration of a window whose client area is `client`, for `edition`
// (1 and 2 show their label, anything else none).
QImage renderDecoration(const DecorationAssets& assets, QSize client, int edition);

}  // namespace custom
