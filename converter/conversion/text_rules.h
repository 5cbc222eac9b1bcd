// Small byte-text rules shared by the pages and the runs (Shift-JIS aware).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace converter {

// Cuts trailing blanks, control bytes and full-width spaces from the
// NUL-terminated text in `buffer` (at most size - 1 bytes are looked at);
// a lead byte in the last position of the buffer is dropped. Writes a NUL at
// the new length and returns it.
std::size_t TrimTrailingSpaces(char* buffer, std::size_t size);
// The same on a string; the result is what remains.
std::string trimTrailingSpaces(std::string_view text);

// Whether two names lead to the same file, however they are spelled (links
// followed); letter case counts where the file system says it does.
bool sameFileName(std::string_view a, std::string_view b);

}  // namespace converter
