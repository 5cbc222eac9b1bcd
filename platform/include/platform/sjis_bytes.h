// The byte rules of Shift-JIS text (code page 932) that every layer shares:
// which bytes start a double-byte character, and how a text is cut to a
// number of bytes without splitting a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// True when `c` is a Shift-JIS lead byte (the first byte of a double-byte character).
constexpr bool isSjisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of `text` that holds whole characters and fits in
// `capacity` bytes. A lead byte at the very end of the text has no second
// byte and counts as one.
constexpr std::string_view cutSjis(std::string_view text, std::size_t capacity) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width =
            isSjisLead(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + width > capacity) break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace platform
