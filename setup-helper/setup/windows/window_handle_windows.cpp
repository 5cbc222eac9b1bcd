#include <QWidget>

#include "setup/window_handle.h"

namespace setup {

// Custom.dll hooks the paint messages of this window (its HWND).
void* customWindowHandle(QWidget& window) { return reinterpret_cast<void*>(window.winId()); }

}  // namespace setup
