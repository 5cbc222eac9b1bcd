// Arbitrary bytes as utf_ken_all.csv (or KEN_ALL.CSV, whichever the content
// looks like): the reader, the joining and cutting of long towns and the
// dictionary builder must answer with a BuildError or a dictionary, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "build_error.h"
#include "dictionary_model.h"
#include "dictionary_writer.h"
#include "ken_all_source.h"
#include "utf8_ken_all.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        mkdic::parseUtf8KenAll(text);
    } catch (const mkdic::BuildError&) {
    }
    try {
        const mkdic::KenAllSource source = mkdic::parseKenAllSource(text, "fuzz.csv");
        const auto model = mkdic::buildDictionaryModel(source.records(), 4096);
        mkdic::writeDictionary(model, mkdic::DictionaryInfo{});
    } catch (const mkdic::BuildError&) {
    }
    return 0;
}
