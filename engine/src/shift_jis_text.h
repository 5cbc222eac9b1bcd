// Small helpers for Shift-JIS byte texts inside the engine.
#pragma once

#include <platform/sjis_bytes.h>

#include <cstddef>
#include <string_view>

namespace keszip {

inline bool isLeadByte(unsigned char c) { return platform::isSjisLead(c); }

// Position of `needle` in `text` at a character boundary (so that a trail
// byte and the next lead byte are never taken for a character), or npos.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from = 0);

inline bool containsText(std::string_view text, std::string_view needle) {
    return findText(text, needle) != std::string_view::npos;
}

// Copies `text` into a caller buffer of at least `size` bytes, terminated.
void copyText(char* out, std::size_t size, std::string_view text);

}  // namespace keszip
