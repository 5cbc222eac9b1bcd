// Arbitrary bytes as KESTEL.DIC: opening either fails with an error code or
// succeeds, and then every town with its telephone codes can be read and the
// number lookups run without touching memory outside the engine's buffers.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "telephone/tel_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string dir = [] {
        std::string d = "/tmp/fuzz-tel-dictionary-" + std::to_string(getpid());
        mkdir(d.c_str(), 0700);
        return d;
    }();
    FILE* f = std::fopen((dir + "/KESTEL.DIC").c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    keszip::tel::TelephoneEngine engine(dir);
    if (!engine.open()) {
        const int e = engine.lastError();
        // The codes a failed open may give: 2 missing file, 3 wrong signature,
        // 11-14 a short or inconsistent table.
        if (e != 0 && e != 2 && e != 3 && (e < 11 || e > 14)) std::abort();
        return 0;
    }
    keszip::ZipEngine& d = engine.dictionary();
    keszip::TownCandidate town;
    for (std::size_t i = 0; i < d.municipalities().size() && i < 64; ++i) {
        int guard = 0;
        for (bool restart = true; d.nextTown(restart, i, town) && guard < 4096;
             restart = false, ++guard) {
            if (town.telCodes.size() > keszip::kMaxTelCodes) std::abort();
            (void)keszip::tel::listTelCodes(town, 19990101);
        }
    }
    keszip::tel::TelAddress address;
    for (int step = 0; step < 64 && engine.nextAddress(step == 0, "03", 0, address) != 0; ++step) {
    }
    keszip::AddressParts parts;
    (void)engine.decision("0273", parts);
    return 0;
}
