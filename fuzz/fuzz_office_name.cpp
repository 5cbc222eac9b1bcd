// Arbitrary bytes as an office name: the preparation and the company words
// in both directions never crash and never grow the text without bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "src/office_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const keszip::FoldSettings settings;
    static const keszip::CompanyWordList words(settings);
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string prepared = keszip::prepareOfficeName(text, settings);
    if (prepared.size() > 768) std::abort();
    std::string shortened =
        keszip::applyCompanyWords(prepared, keszip::CompanyWords::shorten, words);
    std::string removed = keszip::applyCompanyWords(prepared, keszip::CompanyWords::remove, words);
    if (shortened.size() > prepared.size() || removed.size() > shortened.size()) std::abort();
    keszip::hasDoubleByte(shortened);
    return 0;
}
