// The control ids of the options page (options_page.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::options_page {

inline constexpr int kTemplate = 103;
inline constexpr int kFiveDigitRadio = 1034;
inline constexpr int kSevenDigitRadio = 1035;
inline constexpr int kBarcodeRadio = 1036;
inline constexpr int kLocalCodeRadio = 1037;
inline constexpr int kHyphenCheck = 1052;
inline constexpr int kEncodingList = 1170;
inline constexpr int kNoListingCheck = 1109;
inline constexpr int kKyotoShortCheck = 1115;
inline constexpr int kNoPrefectureCheck = 1122;
inline constexpr int kNoCityCheck = 1128;
inline constexpr int kErrorFileCheck = 1079;
inline constexpr int kErrorFileEdit = 1031;
inline constexpr int kBrowseErrorFileButton = 1039;
inline constexpr int kMaxErrorsCheck = 1104;
inline constexpr int kMaxErrorsEdit = 1089;
inline constexpr int kOkButton = 1;

}  // namespace gui::ids::options_page
