// The search's numbered warnings, shown through the program's message boxes.
#pragma once

class QWidget;

namespace gui {

// The warning box of a numbered message: its text under "エラー ( nnn )".
void showSearchMessage(QWidget* owner, int code);

}  // namespace gui
