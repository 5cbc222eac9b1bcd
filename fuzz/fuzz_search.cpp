// Arbitrary bytes as the text of the searches (code to address, the part all
// towns of a code share, the drill-down search and a handle's code search),
// through the exported interface over the real dictionary beside the
// library, with output buffers of exactly the documented sizes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "keszip.h"

namespace {

std::unique_ptr<char[]> buffer(std::size_t size) { return std::make_unique<char[]>(size); }

void checkText(const char* text, std::size_t size) {
    if (std::memchr(text, '\0', size) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool opened = KesZipOpen() == 1;
    static KesZipHandle* const handle = KesZipCreate(nullptr, nullptr);
    if (!opened || !handle) std::abort();  // the fuzz build puts the dictionary beside the library
    if (size == 0) return 0;
    const int steps = 1 + (data[0] >> 1) % 8;
    SetHyphenMode(data[0] & 1);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto oldCode = buffer(KESZIP_OLD_CODE_SIZE);
    auto code7 = buffer(KESZIP_CODE7_SIZE);
    auto prefecture = buffer(KESZIP_NAME_SIZE);
    auto city = buffer(KESZIP_NAME_SIZE);
    auto ward = buffer(KESZIP_NAME_SIZE);
    auto town = buffer(KESZIP_TOWN_SIZE);
    auto note = buffer(KESZIP_NOTE_SIZE);
    auto checkAll = [&] {
        checkText(prefecture.get(), KESZIP_NAME_SIZE);
        checkText(city.get(), KESZIP_NAME_SIZE);
        checkText(ward.get(), KESZIP_NAME_SIZE);
        checkText(town.get(), KESZIP_TOWN_SIZE);
        checkText(note.get(), KESZIP_NOTE_SIZE);
    };
    for (int first = 1, n = 0; n < steps; first = 0, ++n) {
        if (GetZipAddress(first, text.c_str(), oldCode.get(), code7.get(), prefecture.get(),
                          city.get(), ward.get(), town.get(), note.get()) == 0)
            break;
        checkText(oldCode.get(), KESZIP_OLD_CODE_SIZE);
        checkText(code7.get(), KESZIP_CODE7_SIZE);
        checkAll();
    }
    GetZipDecision(text.c_str(), prefecture.get(), city.get(), ward.get(), town.get(), note.get());
    checkAll();
    for (int first = 1, n = 0; n < steps; first = 0, ++n) {
        if (GetIncAddress(first, text.c_str(), prefecture.get(), city.get(), ward.get(), town.get(),
                          note.get()) == 0)
            break;
        checkAll();
    }
    auto found = std::make_unique<KesZipAddress>();
    for (int first = 1, n = 0; n < steps; first = 0, ++n)
        if (KesZipSearch(handle, first, text.c_str(), data[0] & 1, found.get()) == 0) break;
    return 0;
}
