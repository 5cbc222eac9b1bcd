// Start-up of the desktop program: splash window while the engine opens,
// then the main window until the user confirms the exit question.
#pragma once

#include <memory>
#include <string>

#include "conversion/address_engine.h"

namespace gui {

class MainWindow;
struct ProgramContext;

// Where the settings file lives and where a bare error-file name goes.
struct ProgramPlaces {
    std::string settingsPath;
    std::string programDirectory;
};

// The places of the running program: the core's settings file, and its
// folder for a bare error-file name.
ProgramPlaces installedPlaces();

// Opens the engine behind the splash window. On failure shows the
// dictionary message and returns nullptr; otherwise the main window, shown.
// `context` must outlive the window.
std::unique_ptr<MainWindow> startProgram(ProgramContext& context);

// The whole program: a QApplication, start-up, the event loop. Returns the
// process's exit status (non-zero when the engine could not be opened).
int runDesktopProgram(int argc, char** argv);

}  // namespace gui
