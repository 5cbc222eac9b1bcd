// Arbitrary bytes as an argument a user typed: the command line tool converts
// exactly the UTF-8 texts that have a Shift-JIS form, and passes raw
// Shift-JIS through as it is (lookups take the engine's UTF-8 edge, fuzzed
// by fuzz_utf8_lookup). The checks of
// codes and telephone numbers hand on nothing but ASCII digits and hyphens.
#include <cmdline/text_io.h>
#include <platform/sjis.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "argument_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    cmdline::TextIo io(false);
    std::string out;
    const auto direct = platform::utf8ToSjis(text);
    if (io.toEngine(text, out) != direct.has_value() || (direct && *direct != out)) std::abort();
    cmdline::TextIo raw(true);
    if (!raw.toEngine(text, out) || out != text) std::abort();
    for (const CLI::Validator& check :
         {cli::postalCodeArgument(), cli::telephoneNumberArgument()}) {
        std::string argument(text);
        if (!check(argument).empty()) continue;
        for (char c : argument)
            if (c != '-' && (c < '0' || c > '9')) std::abort();
    }
    return 0;
}
