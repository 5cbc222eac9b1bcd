// Writes real-looking addresses (UTF-8, one per line) for the throughput
// benchmark: every town of the data with a house number, repeated until the
// requested count is reached.
#include <platform/sjis.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "real_towns.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_addresses KEN_ALL(.zip|.CSV) COUNT\n");
        return 2;
    }
    try {
        auto towns = bench::loadRealTowns(argv[1]);
        long count = std::strtol(argv[2], nullptr, 10);
        platform::SjisConverter converter;
        std::string line;
        for (long i = 0; i < count; ++i) {
            const auto& t = towns[static_cast<std::size_t>(i) % towns.size()];
            std::string sjis =
                t.prefName + t.cityName + (t.generic() ? std::string() : t.baseName());
            converter.toUtf8Lossy(sjis, line);
            std::printf("%s%ld-%ld-%ld\n", line.c_str(), 1 + i % 5, 1 + i % 23, 1 + i % 17);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_addresses: %s\n", e.what());
        return 1;
    }
    return 0;
}
