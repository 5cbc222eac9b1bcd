// The control ids of the search page (search_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::search_page {

inline constexpr int kTemplate = 130;
inline constexpr int kPrefectureList = 1142;
inline constexpr int kAddressEdit = 1002;
inline constexpr int kSearchButton = 1001;
inline constexpr int kSevenDigitEdit = 1006;
inline constexpr int kFiveDigitEdit = 1010;
inline constexpr int kBarcodeEdit = 1013;
inline constexpr int kLocalCodeEdit = 1018;
inline constexpr int kCodeSearchButton = 1132;
inline constexpr int kTextSearchButton = 1126;
inline constexpr int kOfficeSearchButton = 1137;

}  // namespace gui::ids::search_page
