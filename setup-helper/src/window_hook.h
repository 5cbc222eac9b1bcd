// Keeping the setup window decorated: one event filter on the application
// object paints the decoration whenever the remembered window is painted.
#pragma once

#include <QSize>

class QWidget;

namespace custom {

// Starts decorating `window` (a top-level widget) with the label of
// `edition`: creates the drawing objects, installs the filter and asks the
// window to repaint. A decoration already in place is removed first. Does
// nothing but that removal when there is no window, no application object,
// or the caller is not on the application's thread.
void installDecoration(QWidget* window, int edition);

// Removes the filter and frees the drawing objects; the window repaints
// itself as it did before. Harmless when nothing is installed.
void removeDecoration();

bool decorationInstalled();

// The screen size the sizes are scaled by. By default the size of the
// window's screen; a valid `size` replaces it (for tests), an invalid one
// returns to the default.
void setScreenSizeOverride(QSize size);

}  // namespace custom
