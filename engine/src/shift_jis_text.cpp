#include "shift_jis_text.h"

#include <cstring>

namespace keszip {

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    // Each occurrence of the bytes counts only where a character starts, so
    // the character boundaries are walked up to it.
    std::size_t boundary = 0;
    for (std::size_t at = text.find(needle, from); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        while (boundary < at)
            boundary += isLeadByte(static_cast<unsigned char>(text[boundary])) ? 2 : 1;
        if (boundary == at) return at;
    }
    return std::string_view::npos;
}

void copyText(char* out, std::size_t size, std::string_view text) {
    if (!out || size == 0) return;
    std::size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace keszip
