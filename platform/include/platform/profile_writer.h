// Writing private-profile (INI) files with the semantics of the Windows
// profile API: the key's line is replaced in place when it exists (sections
// and keys compare case-insensitively), otherwise it is added at the end of
// its section, and a missing section is added at the end of the file. Lines
// end with CR LF; texts are bytes (Shift-JIS in this system).
#pragma once

#include <string>

namespace platform {

// The profile text `text` with `key` of `section` set to `value`.
std::string profileAssign(const std::string& text, const std::string& section,
                          const std::string& key, const std::string& value);

// Sets `key` of `section` in the profile at `path`, creating the file when it
// does not exist; false when the file cannot be written.
bool writePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

}  // namespace platform
