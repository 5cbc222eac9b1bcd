// Arbitrary bytes through ConvNewTelNo with an output buffer of exactly the
// size the interface promises is enough (input length + two bytes +
// terminator), on the heap so that AddressSanitizer catches any overrun,
// under several base dates.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "keszip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The interface takes NUL-terminated text.
    const std::string number(reinterpret_cast<const char*>(data), size);
    const std::size_t length = std::strlen(number.c_str());
    for (const char* baseDate : {"19980101", "19990101", "20000101", "29999999"}) {
        if (!SetTelBaseDate(baseDate)) std::abort();
        const std::size_t capacity = length + 2 + 1;
        auto out = std::make_unique<char[]>(capacity);
        const int converted = ConvNewTelNo(out.get(), number.c_str());
        const std::size_t written = strnlen(out.get(), capacity);
        if (written == capacity) std::abort();         // no terminator inside the buffer
        if (!converted && written != 0) std::abort();  // failure leaves the empty text
    }
    return 0;
}
