// The optional code list of KESZIP.DIC, read from a text file: one 7-digit
// postal code a line (a hyphen after the third digit is allowed), "#" starts
// a comment, blank lines are skipped.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace mkdic {

// Throws BuildError "<source> line N: ..." for a line that is not a code.
std::vector<std::uint32_t> parseCodeList(std::string_view text, std::string_view sourceName);

}  // namespace mkdic
