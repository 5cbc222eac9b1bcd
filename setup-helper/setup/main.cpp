// zelko7-setup: installs the programs, libraries, dictionaries and manual
// into one folder. With --target DIR it works without a window.
#include <platform/paths.h>

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "custom_binding.h"
#include "installation.h"
#include "setup_window.h"
#include "window_handle.h"

namespace {

const char* const kUsage =
    "usage: zelko7-setup [--target DIR]\n"
    "  Without options a window asks for the folder and shows the progress.\n"
    "  --target DIR  install into DIR without a window\n";

// Custom lies beside the program in a build or portable folder, in the
// library folder of an installed tree.
std::vector<std::string> customFolders(const std::string& programFolder) {
    return {programFolder, programFolder + ZELKO7_SETUP_LIBRARY_FROM_PROGRAMS};
}

int installHeadless(const std::string& programFolder, const std::string& target) {
    setup::CustomBinding custom;
    std::string error;
    if (!custom.load(customFolders(programFolder), error)) {
        std::cerr << "zelko7-setup: " << error << "\n";
        return 1;
    }
    const setup::InstallationResult result = setup::runInstallation(
        programFolder, target, custom, [](const std::string& name) { std::cout << name << "\n"; });
    for (const std::string& name : result.missing)
        std::cerr << "zelko7-setup: warning: " << name << " is not part of this build\n";
    if (!result.ok) {
        std::cerr << "zelko7-setup: " << result.error << "\n";
        return 1;
    }
    std::cout << "installed into " << target << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string programFolder = platform::directoryOf(platform::programPath());
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--target") == 0 && i + 1 < argc && argc == 3)
            return installHeadless(programFolder, argv[i + 1]);
        std::fputs(kUsage, stderr);
        return 2;
    }

    QApplication application(argc, argv);
    setup::CustomBinding custom;
    std::string error;
    const bool decorated = custom.load(customFolders(programFolder), error);
    if (!decorated) std::cerr << "zelko7-setup: " << error << "\n";
    custom.setVariable("EDITION", "1");
    setup::SetupWindow window(custom, programFolder);
    window.show();
    if (decorated) custom.dspHook(setup::customWindowHandle(window), "EDITION");
    const int status = application.exec();
    custom.dspUnHook();
    return status;
}
