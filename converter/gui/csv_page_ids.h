// The control ids of the CSV page (csv_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::csv_page {

inline constexpr int kTemplate = 106;
inline constexpr int kSourceEdit = 1049;
inline constexpr int kBrowseSourceButton = 1055;
inline constexpr int kField1Edit = 1058;
inline constexpr int kField2Edit = 1033;
inline constexpr int kField3Edit = 1063;
inline constexpr int kField4Edit = 1069;
inline constexpr int kDestinationEdit = 1043;
inline constexpr int kBrowseDestinationButton = 1046;
inline constexpr int kQuotedRadio = 1081;
inline constexpr int kUnquotedRadio = 1085;
inline constexpr int kMarkerCheck = 1140;
inline constexpr int kMarkerEdit = 1145;
inline constexpr int kRunAllButton = 1072;
inline constexpr int kRunPartButton = 1075;

}  // namespace gui::ids::csv_page
