// The control ids of the run dialog (progress_dialog.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::progress_dialog {

inline constexpr int kTemplate = 131;
inline constexpr int kCounter = 109;
inline constexpr int kErrorCount = 1023;
inline constexpr int kStopButton = 2;

}  // namespace gui::ids::progress_dialog
