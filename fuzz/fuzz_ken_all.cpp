// Arbitrary bytes as KEN_ALL.CSV: the row parser and the dictionary builder
// must answer with a BuildError or a dictionary, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "build_error.h"
#include "dictionary_model.h"
#include "dictionary_writer.h"
#include "ken_all.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the block limit, so that small inputs reach the block split.
    const std::size_t maxBlock = 64 + static_cast<std::size_t>(data[0]) * 64;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string_view firstLine = text.substr(0, text.find('\n'));
    try {
        mkdic::parseKenAllLine(firstLine, 1);
    } catch (const mkdic::BuildError&) {
    }
    try {
        const auto rows = mkdic::parseKenAll(text);
        const auto model = mkdic::buildDictionaryModel(rows, maxBlock);
        mkdic::writeDictionary(model, mkdic::DictionaryInfo{});
    } catch (const mkdic::BuildError&) {
    }
    return 0;
}
