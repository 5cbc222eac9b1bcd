#include <QWidget>
#include <QWindow>

#include "setup/window_handle.h"

namespace setup {

// Custom.dll hooks the paint messages of this window (its HWND) and paints
// all of it, so Qt paints nothing there itself. The window's children (the
// controls' panel) become native windows of their own inside it, each
// painted by Qt, which the window's painting leaves out.
void* customWindowHandle(QWidget& window) {
    window.setAttribute(Qt::WA_PaintOnScreen);
    const WId handle = window.winId();
    for (QWidget* child : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect geometry = child->geometry();
        child->setParent(nullptr, Qt::Window | Qt::FramelessWindowHint);
        child->winId();
        child->windowHandle()->setParent(window.windowHandle());
        child->setGeometry(geometry);
        child->show();
    }
    return reinterpret_cast<void*>(handle);
}

}  // namespace setup
