#include "platform/user_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"

#ifdef _WIN32
#include <direct.h>
#include <io.h>

#include "windows/wide_text.h"
#else
#include <unistd.h>
#endif

namespace platform {
namespace {

bool createOne(const std::string& folder) {
#ifdef _WIN32
    return _wmkdir(widePath(folder).c_str()) == 0 || errno == EEXIST;
#else
    return mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
#endif
}

}  // namespace

std::string userConfigFolder() {
#ifdef _WIN32
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData ? utf8Path(appData) : std::string();
#else
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') return {};
    std::string folder = home;
    if (folder.back() != '/') folder += '/';
    return folder + ".config";
#endif
}

bool isWritableFolder(const std::string& folder) {
    const std::string path = folder.empty() ? std::string(".") : folder;
    if (pathKind(path) != PathKind::Directory) return false;
#ifdef _WIN32
    return _waccess(widePath(path).c_str(), 2) == 0;
#else
    return access(path.c_str(), W_OK) == 0;
#endif
}

bool makeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    for (std::size_t pos = folder.find_first_of("/\\", 1); pos != std::string::npos;
         pos = folder.find_first_of("/\\", pos + 1)) {
        createOne(folder.substr(0, pos));
    }
    createOne(folder);
    return pathKind(folder) == PathKind::Directory;
}

}  // namespace platform
