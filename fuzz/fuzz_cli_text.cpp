// Arbitrary bytes as a line a user typed: the command line tool either
// converts it or names why not, and it never refuses a line that converts
// (valid UTF-8 without a NUL byte that has a Shift-JIS form).
#include <platform/sjis.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    cli::TextIo io(false);
    std::string out;
    const char* why = io.toEngineOrWhy(text, out);
    const auto direct = platform::utf8ToSjis(text);
    const bool hasNul = text.find('\0') != std::string_view::npos;
    if (why == nullptr && (hasNul || !direct || *direct != out)) std::abort();
    if (why != nullptr && !hasNul && direct) std::abort();
    cli::TextIo raw(true);
    if ((raw.toEngineOrWhy(text, out) == nullptr) == hasNul) std::abort();
    return 0;
}
