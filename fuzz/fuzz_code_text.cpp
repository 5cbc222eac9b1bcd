// Arbitrary bytes as a postal-code text: the parser accepts only what it
// documents and never reads past the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "src/code_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto query = keszip::parseCodeText(text);
    if (!query) return 0;
    if (size < 3 || size > 8) std::abort();
    if (query->digits != 3 && query->digits != 5 && query->digits != 7) std::abort();
    if (query->value >= 10000000u) std::abort();
    for (std::size_t i = 0; i < size; ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (!digit && !(i == 3 && text[i] == '-')) std::abort();
    }
    return 0;
}
