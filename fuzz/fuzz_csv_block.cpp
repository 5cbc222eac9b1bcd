// Arbitrary bytes as a block of CSV rows for the Python module's CSV block
// call: the first byte chooses the address column (1 to 8) and the batch
// size. A stand-in lookup answers with fields that need quoting. Every row
// must be answered once, and the block written must read back to the same
// addresses and the same number of rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "csv_block.h"

namespace {

// Splits `block` and records every address the lookup is given.
std::size_t split(std::string_view block, std::size_t column, std::size_t batch,
                  std::vector<std::string>& addresses, std::string& out, std::string& error) {
    return keszip_python::appendCsvAnswers(
        block, column, batch,
        [&](const char* const* texts, const std::size_t* lengths, std::size_t count,
            KesZipUtf8Answer* answers) {
            for (std::size_t i = 0; i < count; ++i) {
                addresses.emplace_back(texts[i], lengths[i]);
                answers[i].flags = static_cast<int>(lengths[i] % 3);
                std::strcpy(answers[i].code7, "1\"0,0");
                std::strcpy(answers[i].oldCode, lengths[i] % 2 ? "10\n0" : "100  ");
                std::strcpy(answers[i].addressNumber, "1-2\r3");
            }
        },
        out, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t column = data[0] % 8 + 1;
    const std::size_t batch = data[0] / 8 % 4 + 1;
    const std::string_view block(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string> addresses;
    std::string out, error;
    const std::size_t rows = split(block, column, batch, addresses, out, error);
    if (!error.empty()) {
        if (rows != 0) std::abort();
        return 0;
    }
    if (rows != addresses.size()) std::abort();
    if (rows > 0 && out.back() != '\n') std::abort();
    // The rows written, split again, hold the same addresses (a row too
    // short to have one now has one of the fields appended).
    std::vector<std::string> again;
    std::string twice;
    if (split(out, column, 4, again, twice, error) != rows || !error.empty()) std::abort();
    for (std::size_t i = 0; i < rows; ++i)
        if (!addresses[i].empty() && again[i] != addresses[i]) std::abort();
    return 0;
}
