// The control ids of the search by typed text (search_text_dialog.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::search_text_dialog {

inline constexpr int kTextEdit = 1093;
inline constexpr int kChooseButton = 1126;
inline constexpr int kCloseButton = 2;
inline constexpr int kResultLabel = 1100;
inline constexpr int kResultList = 1096;

}  // namespace gui::ids::search_text_dialog
