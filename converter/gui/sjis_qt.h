// The one place where the program's Shift-JIS texts become Qt strings for
// display, and where typed text becomes Shift-JIS again.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace gui {

// Undecodable bytes show as U+FFFD.
QString fromSjis(std::string_view sjis);
// Characters without a Shift-JIS form become "?" and `ok` (when given) is set false.
std::string toSjis(const QString& text, bool* ok = nullptr);

}  // namespace gui
