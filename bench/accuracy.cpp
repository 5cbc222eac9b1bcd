// Accuracy report over the real data: every town whose name stands for one
// code in its municipality is looked up as prefecture + city + town, as the
// same in readings, and without the prefecture; the share that comes back
// with its own code is printed per form, and the misses grouped by cause.
#include <platform/sjis.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "lookup.h"
#include "real_towns.h"
#include "zip_engine.h"

namespace {

struct Miss {
    std::string address;
    std::string result;
    std::uint32_t expected;
};

std::string u8(const std::string& sjis) { return platform::sjisToUtf8Lossy(sjis); }

// Why a lookup missed: its error text, or how its answer differs.
std::string causeOf(int flags, const char* code7, const keszip::ZipEngine& engine,
                    const bench::RealTown& town) {
    if (flags == 0) return std::string("error ") + code7;
    if (static_cast<std::uint32_t>(engine.currentJisCode) != town.localCode) {
        // Found by name or reading in another municipality first.
        const auto& found =
            engine.municipalities()[static_cast<std::size_t>(engine.match.muniCursor)];
        std::string expectedName = town.cityName;
        bool sameName = expectedName.size() >= found.name.size() &&
                        expectedName.compare(expectedName.size() - found.name.size(),
                                             found.name.size(), found.name) == 0;
        return sameName ? "same municipality name elsewhere" : "another municipality";
    }
    if (town.townName != town.baseName()) return "note of the town not given";
    if (flags & keszip::kFlagGenericCode) return "the municipality's generic code";
    return "another town of the municipality";
}

void report(keszip::ZipEngine& engine, const char* form, const std::vector<bench::RealTown>& towns,
            std::string (*address)(const bench::RealTown&)) {
    std::map<std::string, std::vector<Miss>> misses;
    std::size_t right = 0;
    for (const auto& town : towns) {
        char code7[16] = {};
        std::string text = address(town);
        int flags = keszip::lookupAddress(engine, text, {code7, nullptr, nullptr});
        if (flags != 0 && std::strtoul(code7, nullptr, 10) == town.code7) {
            ++right;
            continue;
        }
        std::string best = flags ? " " + u8(engine.match.best.name) : "";
        misses[causeOf(flags, code7, engine, town)].push_back(
            {u8(text), std::string(code7) + best, town.code7});
    }
    std::printf("%-28s %7zu of %7zu right (%.2f%%)\n", form, right, towns.size(),
                towns.empty()
                    ? 0.0
                    : 100.0 * static_cast<double>(right) / static_cast<double>(towns.size()));
    for (const auto& [cause, list] : misses) {
        std::printf("    %-36s %6zu\n", cause.c_str(), list.size());
        for (std::size_t i = 0; i < list.size() && i < 4; ++i)
            std::printf("        %s -> %s (own code %07u)\n", list[i].address.c_str(),
                        list[i].result.c_str(), list[i].expected);
    }
}

std::string kanjiForm(const bench::RealTown& t) { return t.prefName + t.cityName + t.baseName(); }
std::string readingForm(const bench::RealTown& t) {
    return t.prefReading + t.cityReading + t.baseReading();
}
std::string noPrefectureForm(const bench::RealTown& t) { return t.cityName + t.baseName(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: accuracy KEN_ALL(.zip|.CSV) DICTIONARY_FOLDER\n");
        return 2;
    }
    try {
        auto towns = bench::townsNamingOnePlace(bench::loadRealTowns(argv[1]));
        keszip::ZipEngine engine(argv[2]);
        if (!engine.open()) {
            std::fprintf(stderr, "accuracy: cannot open the dictionary in %s (error %d)\n", argv[2],
                         engine.lastError());
            return 1;
        }
        std::printf("Towns whose name stands for one code: %zu\n\n", towns.size());
        report(engine, "prefecture + city + town", towns, kanjiForm);
        report(engine, "the same in readings", towns, readingForm);
        report(engine, "without the prefecture", towns, noPrefectureForm);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "accuracy: %s\n", e.what());
        return 1;
    }
    return 0;
}
