// What zelko7-setup installs and where: the programs, libraries, dictionary
// files and manual of the built set, copied into one folder side by side (a
// portable installation: the libraries find their dictionaries beside
// themselves, the programs their libraries beside themselves).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace setup {

struct InstallSet {
    std::vector<std::filesystem::path> files;     // programs, libraries, dictionaries
    std::optional<std::filesystem::path> manual;  // the HTML manual's folder
    std::vector<std::string> missing;             // dictionary files found nowhere
};

// Looks for the set around the setup program's own folder: beside it (a
// build tree), and in the library, data and manual folders of an installed
// tree relative to it.
InstallSet findInstallSet(const std::filesystem::path& programFolder);

// Copies the set into `target`, creating it; `progress` is told each name.
// False with `error` set when a file cannot be copied.
bool copyInstallSet(const InstallSet& set, const std::filesystem::path& target,
                    const std::function<void(const std::string&)>& progress, std::string& error);

// The folder offered by default: "zelko7" in the user's home folder.
std::filesystem::path defaultTarget();

// The SetDate parameter that stamps every file under `target` with
// `releaseTime` ("YYYY-MM-DD hh:mm:ss"): the folder with "\" separators, in
// Shift-JIS when it can be written so.
std::string dateStampParameter(const std::filesystem::path& target, const std::string& releaseTime);

// The freedesktop entry that starts the installed desktop program.
std::string desktopEntry(const std::filesystem::path& target);

// Writes "zelko7.desktop" into $XDG_DATA_HOME/applications (by default
// ~/.local/share/applications). False with `error` set on failure.
bool writeDesktopEntry(const std::filesystem::path& target, std::string& error);

}  // namespace setup
