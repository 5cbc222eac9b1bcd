// Arbitrary bytes as an address to split, through the exported interface
// over the real dictionary beside the library, with output buffers of
// exactly the documented sizes. The position-keeping fold is checked too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "keszip.h"
#include "src/separate_address.h"

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
    if (keszip::foldInPlace(address).size() != address.size()) std::abort();
    address = address.c_str();  // the exports see the text up to its first NUL
    auto oldCode = std::make_unique<char[]>(KESZIP_OLD_CODE_SIZE);
    auto code7 = std::make_unique<char[]>(KESZIP_CODE7_SIZE);
    auto prefecture = std::make_unique<char[]>(KESZIP_NAME_SIZE);
    auto city = std::make_unique<char[]>(KESZIP_NAME_SIZE);
    auto ward = std::make_unique<char[]>(KESZIP_NAME_SIZE);
    auto town = std::make_unique<char[]>(KESZIP_TOWN_SIZE);
    auto rest = std::make_unique<char[]>(KESZIP_TOWN_SIZE);
    int flags = SeparateAddress(address.c_str(), oldCode.get(), code7.get(), prefecture.get(),
                                city.get(), ward.get(), town.get(), rest.get());
    if (flags < 0 || (flags & ~kResultFlags) != 0) std::abort();
    if (flags == 0 && (town[0] != '\0' || rest[0] != '\0')) std::abort();
    return 0;
}
