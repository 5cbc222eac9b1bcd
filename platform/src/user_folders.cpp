#include "platform/user_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace platform {
namespace {

bool createOne(const std::string& folder) {
#ifdef _WIN32
    return _mkdir(folder.c_str()) == 0 || errno == EEXIST;
#else
    return mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
#endif
}

}  // namespace

std::string userConfigFolder() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return appData ? std::string(appData) : std::string();
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
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !(st.st_mode & S_IFDIR)) return false;
#ifdef _WIN32
    return _access(path.c_str(), 2) == 0;
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
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && (st.st_mode & S_IFDIR);
}

}  // namespace platform
