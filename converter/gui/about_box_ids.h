// The control ids of the version dialog (about_box.ui), which its widgets carry in
// the "controlId" property. Each is named after the widget's role name
// (kSourceEdit for sourceEdit); code and tests find controls by these.
#pragma once

namespace gui::ids::about_box {

// The label that shows the dictionary's edition and data date.
inline constexpr int kDictionaryLabel = 1201;
inline constexpr int kOkButton = 1;

}  // namespace gui::ids::about_box
