#include "window_handle.h"

namespace setup {

// Custom installs its event filter for this widget.
void* customWindowHandle(QWidget& window) { return &window; }

}  // namespace setup
