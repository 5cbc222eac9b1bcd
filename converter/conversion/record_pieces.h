// Cutting the address out of a fixed-position record and placing the result
// field, for the text and SDF runs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace converter {

// The used pieces (start and size both positive) joined in order 1 to 4.
// Bytes past the end of the record read as NUL, which ends the address there:
// later pieces then add nothing. A NUL inside the record ends it the same way.
std::string joinPieces(std::string_view record, const std::array<std::int32_t, 4>& starts,
                       const std::array<std::int32_t, 4>& sizes);

// `text` left-aligned in `width` bytes: blank-padded, or cut when longer.
std::string fitField(std::string_view text, int width);

}  // namespace converter
