#include "shift_jis_text.h"

#include <cstring>

namespace keszip {

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        if (i >= from && text.size() - i >= needle.size() &&
            std::memcmp(text.data() + i, needle.data(), needle.size()) == 0)
            return i;
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
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
