// Arbitrary bytes as a telephone number or an address through the telephone
// exports over the real dictionary beside the library, with output buffers
// of exactly the documented sizes: the code lists stay within their size,
// end at a whole code and hold as many codes as the count says.
#include <algorithm>
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

void checkList(const char* codes, int count) {
    checkText(codes, KESZIP_TEL_CODES_SIZE);
    const std::string list(codes);
    const int entries =
        list.empty() ? 0 : 1 + static_cast<int>(std::count(list.begin(), list.end(), ','));
    if (entries != count || (!list.empty() && (list.front() == ',' || list.back() == ',')))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool opened = KesTelOpen() == 1;
    if (!opened) std::abort();  // the fuzz build puts the dictionary beside the library
    if (size == 0) return 0;
    SetHyphenMode(data[0] & 1);
    SetTelBaseDate(data[0] & 2 ? "20250101" : "0");
    const int steps = 1 + (data[0] >> 2) % 8;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto code7 = buffer(KESZIP_CODE7_SIZE);
    auto prefecture = buffer(KESZIP_NAME_SIZE);
    auto city = buffer(KESZIP_NAME_SIZE);
    auto ward = buffer(KESZIP_NAME_SIZE);
    auto town = buffer(KESZIP_TOWN_SIZE);
    auto note = buffer(KESZIP_NOTE_SIZE);
    auto codes = buffer(KESZIP_TEL_CODES_SIZE);
    int count = -1;
    for (int first = 1, n = 0; n < steps; first = 0, ++n) {
        if (GetTelAddress(first, text.c_str(), code7.get(), prefecture.get(), city.get(),
                          ward.get(), town.get(), note.get(), &count, codes.get()) == 0)
            break;
        checkText(code7.get(), KESZIP_CODE7_SIZE);
        checkList(codes.get(), count);
    }
    GetTelDecision(text.c_str(), prefecture.get(), city.get(), ward.get(), town.get(), note.get());
    checkText(town.get(), KESZIP_TOWN_SIZE);
    GetAddressTel(text.c_str(), code7.get(), &count, codes.get());
    checkText(code7.get(), KESZIP_CODE7_SIZE);
    checkList(codes.get(), count);
    GetDecisionTel(text.c_str(), &count, codes.get());
    checkList(codes.get(), count);
    return 0;
}
