// Arbitrary bytes as UTF-8 addresses through the handles' UTF-8 lookups, over
// the real dictionary beside the library: the first byte chooses the options,
// the rest is split at line ends into a batch. Every field must stay
// terminated inside its documented size, text that is not UTF-8 must be
// refused, and the batch must answer each address as a single call does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "keszip.h"

// Every result flag the lookup may set.
constexpr int kResultFlags = KESZIP_FOUND | KESZIP_KYOTO_STREET | KESZIP_GENERIC_CODE |
                             KESZIP_NO_PREFECTURE | KESZIP_NO_CITY | KESZIP_FORMER_NAME |
                             KESZIP_CODE_DIFFERS;

namespace {

bool terminated(const char* field, std::size_t size) { return std::memchr(field, '\0', size); }

void check(const KesZipUtf8Answer& a) {
    if (!terminated(a.code7, sizeof a.code7) || !terminated(a.oldCode, sizeof a.oldCode) ||
        !terminated(a.addressNumber, sizeof a.addressNumber) ||
        !terminated(a.jisCode, sizeof a.jisCode))
        std::abort();
    if (a.status < KESZIP_UTF8_OK || a.status > KESZIP_UTF8_BAD_ARGUMENT) std::abort();
    if (a.flags < 0 || (a.flags & ~kResultFlags) != 0) std::abort();
    if (a.status == KESZIP_UTF8_INVALID || a.status == KESZIP_UTF8_NUL_BYTE) {
        if (a.flags != 0 || std::strcmp(a.code7, "ERR-003") != 0) std::abort();
    }
    if (a.flags == 0 && (a.oldCode[0] || a.addressNumber[0] || a.jisCode[0])) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static KesZipHandle* handle = KesZipCreate(nullptr, nullptr);
    if (!handle) std::abort();  // the fuzz build puts the dictionary beside the library
    if (size == 0) return 0;
    const int options = data[0] & KESZIP_HYPHEN;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<const char*> addresses;
    std::vector<std::size_t> lengths;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        addresses.push_back(text.data() + start);
        lengths.push_back(end - start);
        start = end + 1;
    }
    std::vector<KesZipUtf8Answer> answers(addresses.size());
    for (auto& a : answers) std::memset(&a, '#', sizeof a);
    const int placed = KesZipLookupUtf8Batch(handle, addresses.data(), lengths.data(),
                                             addresses.size(), options, answers.data());
    int count = 0;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        check(answers[i]);
        KesZipUtf8Answer alone;
        std::memset(&alone, '#', sizeof alone);
        if (KesZipLookupUtf8(handle, addresses[i], lengths[i], options, &alone) != alone.flags)
            std::abort();
        check(alone);
        if (alone.flags != answers[i].flags || alone.status != answers[i].status ||
            std::strcmp(alone.code7, answers[i].code7) != 0 ||
            std::strcmp(alone.addressNumber, answers[i].addressNumber) != 0)
            std::abort();
        count += alone.flags != 0;
    }
    if (placed != count) std::abort();
    return 0;
}
