// The towns of the real KEN_ALL data (either of Japan Post's formats),
// continuation rows merged, for the
// accuracy report and the throughput benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct RealTown {
    std::uint32_t localCode = 0;
    std::uint32_t code7 = 0;
    std::string prefName, cityName, townName;           // Shift-JIS kanji, as in the source
    std::string prefReading, cityReading, townReading;  // half-width katakana
    // The name up to its parenthesised note, and the reading likewise.
    std::string baseName() const;
    std::string baseReading() const;
    bool generic() const;  // 以下に掲載がない場合
};

// Reads ken_all.zip or utf_ken_all.zip (or the CSV in either); throws on a missing or malformed
// file.
std::vector<RealTown> loadRealTowns(const std::string& path);

// Towns whose base name stands for one code in its municipality (and is not a
// catch-all): looking such a town up by its name must give its own code.
std::vector<RealTown> townsNamingOnePlace(const std::vector<RealTown>& towns);

}  // namespace bench
