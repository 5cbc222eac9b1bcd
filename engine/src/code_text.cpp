#include "code_text.h"

namespace keszip {

std::size_t writeZeroPadded(char* out, unsigned value, int width) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    std::size_t length = 0;
    for (int pad = width - n; pad > 0; --pad) out[length++] = '0';
    while (n > 0) out[length++] = digits[--n];
    out[length] = '\0';
    return length;
}

std::optional<CodeQuery> parseCodeText(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    CodeQuery q;
    int digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '-' && i == 3) continue;
        if (c < '0' || c > '9') return std::nullopt;
        q.value = q.value * 10 + static_cast<std::uint32_t>(c - '0');
        ++digits;
    }
    if (digits != 3 && digits != 5 && digits != 7) return std::nullopt;
    q.digits = digits;
    return q;
}

}  // namespace keszip
