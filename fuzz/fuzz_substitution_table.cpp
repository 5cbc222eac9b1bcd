// Arbitrary bytes as a KESZIP.TBL: parsing must neither crash nor produce
// pairs with empty keys or values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "substitution_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto pairs =
        keszip::parseSubstitutionTable(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& pair : pairs) {
        if (pair.key.empty() || pair.value.empty()) std::abort();
    }
    return 0;
}
