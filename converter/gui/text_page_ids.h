// The control ids of the standard-text page (text_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::text_page {

inline constexpr int kTemplate = 133;
inline constexpr int kSourceEdit = 1041;
inline constexpr int kBrowseSourceButton = 1116;
inline constexpr int kAddress1StartEdit = 1044;
inline constexpr int kAddress1SizeEdit = 1078;
inline constexpr int kAddress2StartEdit = 1084;
inline constexpr int kAddress2SizeEdit = 1088;
inline constexpr int kAddress3StartEdit = 1094;
inline constexpr int kAddress3SizeEdit = 1097;
inline constexpr int kAddress4StartEdit = 1101;
inline constexpr int kAddress4SizeEdit = 1103;
inline constexpr int kDestinationEdit = 1105;
inline constexpr int kBrowseDestinationButton = 1123;
inline constexpr int kInsertEdit = 1110;
inline constexpr int kMarkerCheck = 1140;
inline constexpr int kMarkerEdit = 1145;
inline constexpr int kRunAllButton = 1129;
inline constexpr int kRunPartButton = 1133;

}  // namespace gui::ids::text_page
