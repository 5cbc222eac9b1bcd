// The control ids of the main window (main_window.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::main_window {

inline constexpr int kTabs = 1020;
inline constexpr int kHintLine1 = 1119;
inline constexpr int kHintLine2 = 1131;
inline constexpr int kHiddenDefaultButton = 1126;

}  // namespace gui::ids::main_window
