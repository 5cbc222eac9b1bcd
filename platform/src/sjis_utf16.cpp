#include "platform/sjis_utf16.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// Converts `size` bytes with `cd` into `out` (bytes). An input unit that
// cannot be converted (`unit` bytes, or two units for a surrogate pair when
// `surrogates` is set) becomes `replacement`. Returns how many did.
std::size_t convertLenient(void* handle, const char* input, std::size_t size, std::size_t unit,
                           bool surrogates, std::string_view replacement, std::string& out) {
    out.clear();
    iconv_t cd = static_cast<iconv_t>(handle);
    std::size_t replaced = 0;
    if (cd == reinterpret_cast<iconv_t>(-1)) return replaced;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(size * 2 + 16);
    char* in = const_cast<char*>(input);
    std::size_t inLeft = size;
    std::size_t used = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        std::size_t skip = unit;
        if (surrogates && inLeft >= 4) {
            const unsigned hi = static_cast<unsigned char>(in[1]);
            if (hi >= 0xD8 && hi <= 0xDB) skip = 4;
        }
        if (skip > inLeft) skip = inLeft;
        if (out.size() - used < replacement.size() + 4) out.resize(out.size() * 2 + 8);
        std::memcpy(out.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        ++replaced;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return replaced;
}

}  // namespace

Utf16Converter::Utf16Converter()
    : toSjis_(iconv_open("CP932", "UTF-16LE")), toUtf16_(iconv_open("UTF-16LE", "CP932")) {}

Utf16Converter::~Utf16Converter() {
    for (void* cd : {toSjis_, toUtf16_})
        if (static_cast<iconv_t>(cd) != reinterpret_cast<iconv_t>(-1))
            iconv_close(static_cast<iconv_t>(cd));
}

bool Utf16Converter::toSjis(std::u16string_view text, std::string& out) {
    // Workbook texts are little-endian; so is every host this runs on.
    return 0 == convertLenient(toSjis_, reinterpret_cast<const char*>(text.data()), text.size() * 2,
                               2, true, "?", out);
}

void Utf16Converter::toUtf16(std::string_view sjis, std::u16string& out) {
    std::string bytes;
    static const char question[2] = {'?', '\0'};
    convertLenient(toUtf16_, sjis.data(), sjis.size(), 1, false, std::string_view(question, 2),
                   bytes);
    out.resize(bytes.size() / 2);
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * 2);
}

}  // namespace platform
