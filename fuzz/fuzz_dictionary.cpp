// Arbitrary bytes as KESZIP.DIC: loading either fails with an error code or
// succeeds, and every town of every municipality can then be read without
// touching memory outside the engine's buffers.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "src/lookup.h"
#include "src/zip_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz-dictionary-" + std::to_string(getpid()) + ".bin";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    keszip::ZipEngine engine("/nonexistent");
    if (!engine.loadMainDictionary(path)) {
        int e = engine.lastError();
        // The codes a failed open may give: 2 missing file, 3 wrong signature,
        // 11-15 a short or inconsistent table.
        if (e != 0 && e != 2 && e != 3 && (e < 11 || e > 15)) std::abort();
        return 0;
    }
    keszip::TownCandidate town;
    for (std::size_t i = 0; i < engine.municipalities().size() && i < 64; ++i) {
        int guard = 0;
        for (bool restart = true; engine.nextTown(restart, i, town) && guard < 4096;
             restart = false, ++guard) {
            if (town.name.size() > keszip::kCandidateTextLimit) std::abort();
        }
    }
    (void)engine.infoText(1);
    (void)engine.infoText(9);
    // Lookups that the former names of a damaged table would rewrite:
    // 宮城県黒川郡富谷町富谷1, and the same without the prefecture.
    const std::string address =
        "\x8b\x7b\x8f\xe9\x8c\xa7\x8d\x95\x90\xec\x8c\x53\x95\x78\x92\x4a\x92\xac\x95\x78\x92\x4a"
        "1";
    for (const std::string& text : {address, address.substr(6)}) {
        char code7[16] = {};
        (void)keszip::lookupAddress(engine, text, {code7, nullptr, nullptr});
    }
    return 0;
}
