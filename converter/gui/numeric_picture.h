// The digit pictures of the numeric entry fields ("#####", "######",
// "#########"): how a value is shown through a picture and how a typed text
// is read back as a number.
#pragma once

#include <QString>
#include <optional>

namespace gui {

// Picture flag: a value of 0 shows as a blank field.
inline constexpr int kBlankZero = 1;

// The value shown through the picture: digits right-aligned into the "#"
// positions (a minus sign takes the position before the first digit),
// leading positions blank. nullopt when the value does not fit.
std::optional<QString> showThroughPicture(const QString& picture, int flags, long long value);
// The typed value: the digits, spaces, "-" and "." of the text up to the
// first character above "9", read as a decimal number (0 when none).
double readPictureValue(const QString& text);

}  // namespace gui
