// Address elements: a folded address or town text cut into numbers and the
// texts between them, the form in which town names are compared with the
// rest of an address.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace keszip {

enum class ElementKind : std::uint8_t { End, Text, Number };

// High bound of a range open to the top.
inline constexpr std::int32_t kOpenBound = 2147483647;
inline constexpr std::size_t kMaxAddressElements = 20;

struct AddressElement {
    ElementKind kind = ElementKind::End;
    std::string_view text;  // Text: bytes of the parsed text (or a fixed placeholder)
    std::int32_t low = 0;   // Number: the value, or the bounds of a range
    std::int32_t high = 0;
};

// Up to 20 elements and the end element after them.
struct ElementList {
    std::array<AddressElement, kMaxAddressElements + 1> items{};
    std::size_t count = 0;

    void clear() {
        count = 0;
        items[0] = AddressElement{};
    }
};

// Parses `text` (matching form) into elements appended to `list` and returns
// the number of bytes consumed; fewer than text.size() when the list ended
// early (a repeated text, or the element limit). `firstIndex` is the element
// count at which the current parenthesis level began: a text that continues a
// number list of an earlier alternative of that level replaces the elements
// it stands for (see the placement in the .cpp). `before` is the byte that
// stands before `text` in its pattern (0 when none).
std::size_t parseAddressElements(std::string_view text, char before, ElementList& list,
                                 std::size_t firstIndex);

}  // namespace keszip
