// Help: the program's Japanese HTML manual, installed beside the program,
// opened in the desktop's browser.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace gui {

inline constexpr const char* kManualName = "zelko7.html";

// Path of the manual beside the program.
QString manualPath(const std::string& programDirectory);
// Opens the manual; a warning when it is missing or no browser takes it.
void openManual(QWidget* owner, const std::string& programDirectory);

}  // namespace gui
