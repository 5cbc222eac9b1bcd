#include "installation.h"

#include "install_set.h"

namespace setup {

const char* const kReleaseTime = ZELKO7_RELEASE_TIME;

InstallationResult runInstallation(const std::filesystem::path& programFolder,
                                   const std::filesystem::path& target, CustomBinding& custom,
                                   const std::function<void(const std::string&)>& progress) {
    InstallationResult result;
    const InstallSet set = findInstallSet(programFolder);
    result.missing = set.missing;
    if (!copyInstallSet(set, target, progress, result.error)) return result;
    if (custom.setDate(dateStampParameter(target, kReleaseTime)) != 1) {
        result.error = "the installed files could not be given the release date";
        return result;
    }
    std::error_code code;
    if (std::filesystem::exists(target / "zelko7", code) &&
        !writeDesktopEntry(target, result.error))
        return result;
    result.ok = true;
    return result;
}

}  // namespace setup
