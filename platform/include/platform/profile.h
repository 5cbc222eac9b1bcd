// Private-profile (INI) files with the semantics of the Windows profile API:
// sections and keys compare case-insensitively, blanks around names and
// values are dropped, a value wrapped in matching quotes loses them, the first
// occurrence wins, and a value is cut to the caller's size. Texts are bytes
// (Shift-JIS in this system).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Value of `key` in `section` of the profile at `path`, cut to `maxChars`
// characters; `defaultValue` (also cut) when the file, section or key is missing.
std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t maxChars,
                                    const std::string& path);

// The same over profile text already in memory.
std::string profileLookup(const std::string& text, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          std::size_t maxChars);

// Decimal text-to-integer conversion as the C library's atoi does it: leading
// blanks, an optional sign, digits up to the first non-digit; 0 when none. A
// number beyond int gives the nearest int (INT_MAX or INT_MIN). Every number
// read from a settings text goes through here.
int textToInt(std::string_view text);

}  // namespace platform
