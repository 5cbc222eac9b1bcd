#include "platform/paths.h"

#include <sys/stat.h>

#include "platform/files.h"

#ifdef _WIN32
#include <windows.h>

#include "windows/wide_text.h"
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace platform {

std::string programPath() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return (n == 0 || n >= MAX_PATH) ? std::string() : utf8Path(std::wstring_view(buffer, n));
#else
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n <= 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
#endif
}

std::string modulePathOf(const void* address) {
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCSTR>(address), &module))
        return {};
    wchar_t buffer[MAX_PATH];
    DWORD n = GetModuleFileNameW(module, buffer, MAX_PATH);
    return (n == 0 || n >= MAX_PATH) ? std::string() : utf8Path(std::wstring_view(buffer, n));
#else
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    std::string path = info.dli_fname;
    // A module found through the program's own name has no directory part.
    if (path.find('/') == std::string::npos) return programPath();
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
    return path;
#endif
}

std::string directoryOf(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    char last = directory.back();
    if (last == '/' || last == '\\') return directory + name;
    return directory + "/" + name;
}

bool fileExists(const std::string& path) { return pathKind(path) == PathKind::File; }

}  // namespace platform
