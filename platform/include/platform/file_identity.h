// Whether two names lead to the same file, and what kind of thing a name is.
#pragma once

#include <string>

namespace platform {

// True when `a` and `b` name the same file: both exist and are one file once
// links are followed (same device and inode), or neither need exist and both
// name the same entry of the same folder. Names differing only in letter case
// are different files where the file system says so.
bool sameFile(const std::string& a, const std::string& b);

bool isDirectory(const std::string& path);

}  // namespace platform
