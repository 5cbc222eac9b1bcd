// The control ids of the range dialog (range_dialog.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::range_dialog {

inline constexpr int kFirstEdit = 1146;
inline constexpr int kLastEdit = 1025;
inline constexpr int kStartButton = 1098;
inline constexpr int kCancelButton = 2;

}  // namespace gui::ids::range_dialog
