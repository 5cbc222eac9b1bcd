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

// True when `path` is an existing file that may not be written: the user
// may not write it, or it is marked read-only (no write permission for
// anyone, which counts even for an administrator).
bool isReadOnlyFile(const std::string& path);

}  // namespace platform
