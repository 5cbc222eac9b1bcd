// Arbitrary bytes as an address through the exported lookups, over the real
// dictionary beside the library: output buffers of exactly the documented
// sizes, so that any write past them is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "keszip.h"

// Every result flag the lookup may set.
constexpr int kResultFlags = KESZIP_FOUND | KESZIP_KYOTO_STREET | KESZIP_GENERIC_CODE |
                             KESZIP_NO_PREFECTURE | KESZIP_NO_CITY | KESZIP_FORMER_NAME |
                             KESZIP_CODE_DIFFERS;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool opened = KesZipOpen() == 1;
    if (!opened) std::abort();  // the fuzz build puts the dictionary beside the library
    if (size == 0) return 0;
    SetHyphenMode(data[0] & 1);
    std::string address(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto oldCode = std::make_unique<char[]>(KESZIP_OLD_CODE_SIZE);
    auto code7 = std::make_unique<char[]>(KESZIP_CODE7_SIZE);
    auto number = std::make_unique<char[]>(KESZIP_ADDRESS_NUMBER_SIZE);
    auto jis = std::make_unique<char[]>(KESZIP_JIS_CODE_SIZE);
    int flags = zelko57(address.c_str(), oldCode.get(), code7.get(), number.get());
    if (flags < 0 || (flags & ~kResultFlags) != 0) std::abort();
    if (std::strlen(code7.get()) > 8 || std::strlen(number.get()) > 13) std::abort();
    Zelko7JisCode(address.c_str(), jis.get(), nullptr, nullptr);
    zelko5(address.c_str(), oldCode.get(), nullptr);
    GetJisCodeNow(jis.get());
    return 0;
}
