// Arbitrary ready barcode data and drawing parameters through the encoding
// and the drawing: the text stays within its buffer size and every bitmap's
// headers agree with its size. The engine is not involved.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "src/barcode_encoding.h"
#include "src/barcode_image.h"

namespace {

std::uint32_t read32(const std::vector<unsigned char>& block, std::size_t at) {
    return block[at] | block[at + 1] << 8 | block[at + 2] << 16 |
           static_cast<std::uint32_t>(block[at + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 5) return 0;
    // Heights up to 127 keep each run fast; the percentage takes any 16-bit value.
    const int height = static_cast<std::int8_t>(bytes[0]);
    const int percent = static_cast<std::int16_t>(bytes[1] | bytes[2] << 8);
    const bool rotate = bytes[3] & 1;
    std::string data(reinterpret_cast<const char*>(bytes + 4), size - 4);

    if (kesbar::finishData(data) != kesbar::Result::Success) return 0;
    kesbar::Barcode barcode{};
    if (kesbar::encode(data, barcode) != kesbar::Result::Success) return 0;
    for (std::int8_t symbol : barcode) {
        if (symbol < 0 || symbol >= kesbar::kSymbolCount) std::abort();
    }
    if (kesbar::barcodeText(barcode).size() >= 116) std::abort();

    std::vector<unsigned char> block;
    if (!kesbar::drawBarcode(barcode, height, percent, rotate, block)) {
        if (height >= 1) std::abort();  // every small height can be drawn
        return 0;
    }
    const std::uint32_t width = read32(block, 18), rows = read32(block, 22);
    const std::uint32_t stride = (width + 31) / 32 * 4;
    if (read32(block, 2) != block.size() || read32(block, 34) != stride * rows ||
        block.size() != 62 + static_cast<std::size_t>(stride) * rows) {
        std::abort();
    }
    return 0;
}
