#include "platform/file_identity.h"

#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <string_view>

#include "platform/files.h"

#ifdef _WIN32
#include <windows.h>

#include "windows/wide_text.h"
#endif

namespace platform {
namespace {

#ifdef _WIN32
// The full names of both, compared as Windows compares file names: "." and
// ".." resolved against the current folder, "/" as "\\", letter case ignored.
bool sameNameNoCase(const std::string& a, const std::string& b) {
    const auto full = [](const std::string& name) {
        const std::wstring wide = widePath(name);
        wchar_t buffer[4096];
        const DWORD n = GetFullPathNameW(wide.c_str(), 4096, buffer, nullptr);
        return (n == 0 || n >= 4096) ? wide : std::wstring(buffer, n);
    };
    const std::wstring fa = full(a);
    const std::wstring fb = full(b);
    return CompareStringOrdinal(fa.c_str(), static_cast<int>(fa.size()), fb.c_str(),
                                static_cast<int>(fb.size()), TRUE) == CSTR_EQUAL;
}
#else
struct NameInFolder {
    std::string folder;  // "." when the name has none
    std::string name;    // the last component
};

NameInFolder splitName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return {std::string(1, '.'), std::string(path)};
    return {std::string(path.substr(0, slash == 0 ? 1 : slash)),
            std::string(path.substr(slash + 1))};
}
#endif

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
#ifdef _WIN32
    return sameNameNoCase(a, b);
#else
    struct stat sa {};
    struct stat sb {};
    const bool hasA = stat(a.c_str(), &sa) == 0;
    const bool hasB = stat(b.c_str(), &sb) == 0;
    if (hasA && hasB) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (hasA != hasB) return false;
    // Neither exists yet: the same name in the same folder is the same file.
    const NameInFolder na = splitName(a);
    const NameInFolder nb = splitName(b);
    if (na.name != nb.name || na.name == "." || na.name == "..") return false;
    struct stat da {};
    struct stat db {};
    return stat(na.folder.c_str(), &da) == 0 && stat(nb.folder.c_str(), &db) == 0 &&
           da.st_dev == db.st_dev && da.st_ino == db.st_ino;
#endif
}

bool isDirectory(const std::string& path) { return pathKind(path) == PathKind::Directory; }

bool isReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
#ifdef _WIN32
    return _access(path.c_str(), 2) != 0;
#else
    return access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
#endif
}

}  // namespace platform
