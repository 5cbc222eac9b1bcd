#include "platform/file_times.h"

#ifdef _WIN32
#include <windows.h>

#include "windows/wide_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

bool stampFileTimes(const std::string& path, std::int64_t unixSeconds) {
#ifdef _WIN32
    HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // FILETIME counts 100 ns steps from 1601-01-01.
    const std::uint64_t ticks =
        static_cast<std::uint64_t>(unixSeconds + 11644473600LL) * 10000000ULL;
    FILETIME time{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    const bool ok = SetFileTime(file, &time, &time, &time) != 0;
    CloseHandle(file);
    return ok;
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    // Only regular files: a device or a pipe opened for writing is left alone.
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        const struct timespec times[2] = {{static_cast<time_t>(unixSeconds), 0},
                                          {static_cast<time_t>(unixSeconds), 0}};
        ok = ::futimens(fd, times) == 0;
    }
    ::close(fd);
    return ok;
#endif
}

}  // namespace platform
