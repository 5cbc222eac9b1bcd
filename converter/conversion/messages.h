// The numbered messages of the program: every user-facing failure is shown
// as one of these codes, with the caption "エラー ( nnn )".
#pragma once

#include <string>

namespace converter {

// Shift-JIS text of the message, "" for a code that is not in the table.
std::string messageText(int code);
// The caption "エラー ( %3d )" of a message box for `code`, Shift-JIS.
std::string messageCaption(int code);
bool isKnownMessage(int code);

}  // namespace converter
