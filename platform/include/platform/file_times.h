// Setting the times of an existing file.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Opens the existing entry `path` for writing, without following a final
// symbolic link and without waiting on devices or pipes, and sets its times
// to `unixSeconds` (seconds since 1970-01-01 UTC): creation, last access and
// last write on Windows; last access and last modification on POSIX systems,
// which have no settable creation time. False, with nothing changed, when
// the entry cannot be opened for writing (a folder, a link, a file without
// write access) or its times cannot be set.
bool stampFileTimes(const std::string& path, std::int64_t unixSeconds);

}  // namespace platform
