// The numbered message box of the conversions: the code's text in a
// warning box captioned "エラー ( nnn )"; a code outside the table shows nothing.
#pragma once

class QWidget;

namespace gui {

void ShowConvMessage(QWidget* owner, int code);

}  // namespace gui
