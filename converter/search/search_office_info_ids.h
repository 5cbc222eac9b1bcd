// The control ids of the large office shown (search_office_info.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::search_office_info {

inline constexpr int kCodeEdit = 1158;
inline constexpr int kNameEdit = 1159;
inline constexpr int kAddressEdit = 1160;
inline constexpr int kCloseButton = 1;

}  // namespace gui::ids::search_office_info
