// The control ids of the Excel page (excel_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::excel_page {

inline constexpr int kTemplate = 138;
inline constexpr int kSourceEdit = 1092;
inline constexpr int kBrowseSourceButton = 1113;
inline constexpr int kSheetList = 1155;
inline constexpr int kAddress1List = 1144;
inline constexpr int kAddress2List = 1147;
inline constexpr int kAddress3List = 1148;
inline constexpr int kAddress4List = 1149;
inline constexpr int kDestinationEdit = 1107;
inline constexpr int kBrowseDestinationButton = 1120;
inline constexpr int kDestinationColumnList = 1152;
inline constexpr int kRunAllButton = 1135;
inline constexpr int kRunPartButton = 1139;

}  // namespace gui::ids::excel_page
