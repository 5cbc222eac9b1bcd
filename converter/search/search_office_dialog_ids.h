// The control ids of the search of large offices (search_office_dialog.ui), which its widgets carry
// in the "controlId" property. Each is named after the widget's role name (kSourceEdit for
// sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::search_office_dialog {

inline constexpr int kByCodeRadio = 1154;
inline constexpr int kCodeEdit = 1159;
inline constexpr int kByNameRadio = 1157;
inline constexpr int kNameEdit = 1161;
inline constexpr int kMatchList = 1163;
inline constexpr int kCityList = 1141;
inline constexpr int kSearchButton = 1164;
inline constexpr int kCloseButton = 2;
inline constexpr int kResultLabel = 1050;
inline constexpr int kResultList = 1151;

}  // namespace gui::ids::search_office_dialog
