// Arbitrary bytes as a KESZIP.TBL: parsing must neither crash nor produce
// pairs with empty keys or values. Written again by the dictionary builder,
// the table keeps the whole default table around whatever pairs it keeps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings_files.h"
#include "src/substitution_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto pairs = keszip::parseSubstitutionTable(text);
    for (const auto& pair : pairs) {
        if (pair.key.empty() || pair.value.empty()) std::abort();
    }
    static const std::string fresh = mkdic::defaultSubstitutionTable();
    static const std::size_t derived = fresh.find("\r\n# \x88\xC8\x89\xBA") + 2;  // # 以下
    const std::string kept = mkdic::defaultSubstitutionTable(text);
    const std::size_t tail = fresh.size() - derived;
    if (kept.size() < fresh.size() || kept.compare(0, derived, fresh, 0, derived) != 0 ||
        kept.compare(kept.size() - tail, tail, fresh, derived, tail) != 0)
        std::abort();
    return 0;
}
