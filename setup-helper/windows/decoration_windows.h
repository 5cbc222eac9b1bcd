// The decoration of the setup program's window on Windows: two hooks of the
// calling thread catch the window's paint messages and paint it with GDI.
#pragma once

#include <windows.h>

namespace custom {

void installWindowsDecoration(HWND window, int edition);
void removeWindowsDecoration();

// Paints the decoration into `dc` for a client rectangle `client` and a
// screen `screenHeight` pixels high (the hooks' painting, also for tests).
void paintDecoration(HDC dc, const RECT& client, int screenHeight, int edition);

}  // namespace custom
