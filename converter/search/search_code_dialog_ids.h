// The control ids of the search by postal code (search_code_dialog.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::search_code_dialog {

inline constexpr int kCodeEdit = 1077;
inline constexpr int kFiveDigitCheck = 1102;
inline constexpr int kSearchButton = 1073;
inline constexpr int kCloseButton = 2;
inline constexpr int kResultLabel = 1087;
inline constexpr int kResultList = 1083;

}  // namespace gui::ids::search_code_dialog
