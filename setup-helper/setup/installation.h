// One installation from start to end, shared by the window and the headless
// mode: copy the set, stamp the installed files, write the desktop entry.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "custom_binding.h"

namespace setup {

struct InstallationResult {
    bool ok = false;
    std::string error;                 // why it failed
    std::vector<std::string> missing;  // dictionary files the set did not hold
};

// The release's date and time, given to every installed file.
extern const char* const kReleaseTime;

InstallationResult runInstallation(const std::filesystem::path& programFolder,
                                   const std::filesystem::path& target, CustomBinding& custom,
                                   const std::function<void(const std::string&)>& progress);

}  // namespace setup
