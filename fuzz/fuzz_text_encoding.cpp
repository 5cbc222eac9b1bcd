// Arbitrary bytes as the start of a list and as an address of a UTF-8 list:
// the look at the encoding, the address put into Shift-JIS for the engine and
// the whole characters kept for the error file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "conversion/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (bool complete : {false, true}) {
        const converter::EncodingLook look = converter::lookAtText(text, complete);
        if (look.byteOrderMark && !converter::looksLikeUtf8(look)) std::abort();
    }
    const std::string whole = converter::wholeUtf8Characters(text);
    if (whole.size() > text.size()) std::abort();
    // What is kept is UTF-8 through and through.
    const converter::EncodingLook kept = converter::lookAtText(whole, true);
    if (!kept.validUtf8) std::abort();
    // Every kept character gives at most two Shift-JIS bytes.
    const std::string sjis = converter::lookupFormOf(text);
    if (sjis.size() > 2 * whole.size()) std::abort();
    return 0;
}
