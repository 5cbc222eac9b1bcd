// What the setup program hands Custom's DspHook as its window: the top-level
// widget where the decoration is a Qt event filter, the native window where
// it is window hooks and GDI painting.
#pragma once

class QWidget;

namespace setup {

void* customWindowHandle(QWidget& window);

}  // namespace setup
