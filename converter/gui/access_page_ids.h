// The control ids of the table page (access_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::access_page {

inline constexpr int kTemplate = 134;
inline constexpr int kDatabaseEdit = 1021;
inline constexpr int kBrowseDatabaseButton = 1024;
inline constexpr int kTableList = 1106;
inline constexpr int kAddress1List = 1042;
inline constexpr int kAddress2List = 1045;
inline constexpr int kAddress3List = 1047;
inline constexpr int kAddress4List = 1053;
inline constexpr int kDestinationList = 1064;
inline constexpr int kBackupCheck = 1027;
inline constexpr int kRunAllButton = 1017;
inline constexpr int kRunPartButton = 3;

}  // namespace gui::ids::access_page
