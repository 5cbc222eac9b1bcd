#include "desktop_program.h"

#include <platform/paths.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "font_setup.h"
#include "main_window.h"
#include "program_context.h"
#include "splash_window.h"
#include "user_dialogs.h"

namespace gui {

ProgramPlaces installedPlaces() {
    // A bare error-file name lies beside the settings file, wherever the core puts it.
    const std::string& settings = converter::SettingsPath();
    return {settings, platform::directoryOf(settings)};
}

std::unique_ptr<MainWindow> startProgram(ProgramContext& context) {
    bool opened = false;
    {
        SplashWindow splash;
        splash.showCentred();
        opened = context.engine.open();
    }
    if (!opened) {
        userDialogs().message(
            nullptr,
            QStringLiteral(
                "\n辞書ファイルを使用することができません。\n\nユーザーサポートにご連絡下さい。\n"),
            QStringLiteral("Zelko7"), BoxIcon::Warning);
        return nullptr;
    }
    auto window = std::make_unique<MainWindow>(context);
    window->show();
    return window;
}

int runDesktopProgram(int argc, char** argv) {
#if defined(__unix__) && !defined(__APPLE__)
    // Without a display Qt would abort; say what to do instead.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "zelko7: no display for the desktop program; "
                     "use `zelko7 convert ...` to convert without one (see --help)\n");
        return 1;
    }
#endif
    QApplication app(argc, argv);
    prepareDesktop();
    converter::KesZipEngine engine;
    const ProgramPlaces places = installedPlaces();
    ProgramContext context{
        engine, converter::SettingsStore(places.settingsPath), places.programDirectory, {}, {}};
    std::unique_ptr<MainWindow> window = startProgram(context);
    if (!window) return 1;
    return app.exec();
}

}  // namespace gui
