// Help: the program's Japanese HTML manual, opened in the desktop's browser.
// It lies beside the program in a build or a folder filled by the setup
// program, and under share/doc/zelko7/manual in an installed tree.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace gui {

inline constexpr const char* kManualName = "zelko7.html";

// Path of the manual beside the program.
QString manualPath(const std::string& programDirectory);
// The manual the help command opens: beside the program, then in the
// documentation folder of the tree the program is installed in; the first
// of these places when it is in neither.
QString findManual(const std::string& programDirectory);
// Opens the manual. When it is missing, or no program to show it is found,
// a warning says so and names the file.
void openManual(QWidget* owner, const std::string& programDirectory);

}  // namespace gui
