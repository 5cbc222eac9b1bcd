// Helpers for the town-matching tests: texts are written in UTF-8 in their
// matching form (as foldText leaves them) and converted to Shift-JIS.
#pragma once

#include <string>

#include "src/address_elements.h"
#include "support/test_support.h"

namespace town_test {

// The elements as "text|1~3|text", numbers as "n", "low~high" or "low~"
// for an open range.
inline std::string describe(const keszip::ElementList& list) {
    std::string out;
    for (std::size_t i = 0; i < list.count; ++i) {
        const auto& e = list.items[i];
        if (i > 0) out += '|';
        if (e.kind == keszip::ElementKind::Text) {
            out += testing_support::u8(e.text);
        } else if (e.low == e.high) {
            out += std::to_string(e.low);
        } else {
            out += std::to_string(e.low) + "~";
            if (e.high != keszip::kOpenBound) out += std::to_string(e.high);
        }
    }
    return out;
}

}  // namespace town_test
