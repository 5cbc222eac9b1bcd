// The control ids of the SDF page (sdf_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::sdf_page {

inline constexpr int kTemplate = 107;
inline constexpr int kSourceEdit = 1022;
inline constexpr int kBrowseSourceButton = 1026;
inline constexpr int kLineBreaksRadio = 1111;
inline constexpr int kFixedLengthRadio = 1117;
inline constexpr int kRecordLengthEdit = 1080;
inline constexpr int kAddress1StartEdit = 1038;
inline constexpr int kAddress1SizeEdit = 1040;
inline constexpr int kAddress2StartEdit = 1054;
inline constexpr int kAddress2SizeEdit = 1057;
inline constexpr int kAddress3StartEdit = 1062;
inline constexpr int kAddress3SizeEdit = 1068;
inline constexpr int kAddress4StartEdit = 1071;
inline constexpr int kAddress4SizeEdit = 1074;
inline constexpr int kDestinationEdit = 1029;
inline constexpr int kBrowseDestinationButton = 1032;
inline constexpr int kInsertEdit = 1048;
inline constexpr int kRunAllButton = 1090;
inline constexpr int kRunPartButton = 4;

}  // namespace gui::ids::sdf_page
