// Accuracy report over the real data: every town whose name stands for one
// code in its municipality is looked up as prefecture + city + town, as the
// same in readings, and without the prefecture; the share that comes back
// with its own code is printed per form, and the misses grouped by cause.
// The towns whose name (with no note after it) ends in a numeral are looked
// up once more with a house number written in four ways, which must give their own code and
// the address number 3-5.
#include <platform/sjis.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "real_towns.h"
#include "src/dictionary_data.h"
#include "src/lookup.h"
#include "src/shift_jis_text.h"
#include "src/zip_engine.h"
#include "written_forms.h"

namespace {

struct Case {
    std::string address;
    const bench::RealTown* town;
};

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

// Looks every case up and prints the share right and the misses by cause.
// With `number` set, a right answer also needs that address number.
void report(keszip::ZipEngine& engine, const char* form, const std::vector<Case>& cases,
            const char* number = nullptr) {
    std::map<std::string, std::vector<Miss>> misses;
    std::size_t right = 0;
    for (const auto& [text, town] : cases) {
        char code7[16] = {}, written[16] = {};
        int flags = keszip::lookupAddress(engine, text, {code7, nullptr, written});
        bool codeRight = flags != 0 && std::strtoul(code7, nullptr, 10) == town->code7;
        if (codeRight && (!number || std::strcmp(written, number) == 0)) {
            ++right;
            continue;
        }
        std::string best = flags ? " " + u8(engine.match.best.name) : "";
        std::string cause = codeRight ? std::string("address number ") + written
                                      : causeOf(flags, code7, engine, *town);
        misses[cause].push_back({u8(text), std::string(code7) + best, town->code7});
    }
    std::printf("%-36s %7zu of %7zu right (%.2f%%)\n", form, right, cases.size(),
                cases.empty()
                    ? 0.0
                    : 100.0 * static_cast<double>(right) / static_cast<double>(cases.size()));
    for (const auto& [cause, list] : misses) {
        std::printf("    %-36s %6zu\n", cause.c_str(), list.size());
        for (std::size_t i = 0; i < list.size() && i < 4; ++i)
            std::printf("        %s -> %s (own code %07u)\n", list[i].address.c_str(),
                        list[i].result.c_str(), list[i].expected);
    }
}

std::vector<Case> casesOf(const std::vector<bench::RealTown>& towns,
                          std::string (*address)(const bench::RealTown&)) {
    std::vector<Case> cases;
    cases.reserve(towns.size());
    for (const auto& town : towns) cases.push_back({address(town), &town});
    return cases;
}

// Whether a Shift-JIS name ends in a kanji numeral or a full-width digit.
bool endsInNumeral(const std::string& name) {
    static const char* const kNumerals[] = {
        "\x88\xEA", "\x93\xF1", "\x8E\x4F", "\x8E\x6C", "\x8C\xDC",  // 一二三四五
        "\x98\x5A", "\x8E\xB5", "\x94\xAA", "\x8B\xE3", "\x8F\x5C",  // 六七八九十
        "\x95\x53", "\x90\xE7", "\x97\xEB", "\x88\xEB", "\x93\xF3",  // 百千零壱弐
        "\x8E\x51", "\x8C\xDE", "\x8F\x45"};                         // 参伍拾
    std::size_t last = 0;
    for (std::size_t i = 0; i < name.size();
         i += keszip::isLeadByte(static_cast<unsigned char>(name[i])) ? 2 : 1)
        last = i;
    if (name.size() != last + 2) return false;
    const std::string tail = name.substr(last);
    if (tail[0] == '\x82' && tail[1] >= '\x4F' && tail[1] <= '\x58') return true;  // ０-９
    for (const char* numeral : kNumerals)
        if (tail == numeral) return true;
    return false;
}

// The towns ending in a numeral, each followed by the house number 3-5 in
// half-width and full-width digits, with unit words and in kanji.
std::vector<Case> numeralEndCases(const std::vector<bench::RealTown>& towns) {
    static const char* const kHouseNumbers[] = {
        "3-5",
        "\x82\x52\x81\x7C\x82\x54",                   // ３－５
        "3\x94\xD4\x35\x8D\x86",                      // 3番5号
        "\x8E\x4F\x92\x9A\x96\xDA\x8C\xDC\x94\xD4"};  // 三丁目五番
    std::vector<Case> cases;
    for (const auto& town : towns) {
        if (!endsInNumeral(town.townName)) continue;
        for (const char* number : kHouseNumbers)
            cases.push_back({town.prefName + town.cityName + town.townName + number, &town});
    }
    return cases;
}

// Towns written with a former name of their municipality that the dictionary
// holds (浜松市中区 for 浜松市中央区, 黒川郡富谷町 for 富谷市): for each former
// name, the first town of the municipality it became.
std::vector<Case> formerMunicipalityCases(const std::vector<bench::RealTown>& towns,
                                          const keszip::ZipEngine& engine) {
    std::vector<Case> cases;
    const keszip::DictionaryData* data = engine.sharedData();
    if (!data) return cases;
    for (const keszip::FormerNameRecord& f : data->formerNames) {
        if (f.kind != keszip::dic::kFormerMunicipality) continue;
        for (const auto& town : towns) {
            if (town.localCode / 1000 != f.prefecture || town.cityName.rfind(f.now, 0) != 0) {
                continue;
            }
            cases.push_back({town.prefName + f.former + town.baseName(), &town});
            break;
        }
    }
    return cases;
}

// Every 97th town after a postal code: its own, the next town's and one no
// town has. Right when the answer's flag tells whether the code written
// differs from the code found.
void reportCodeCheck(keszip::ZipEngine& engine, const std::vector<bench::RealTown>& one) {
    std::size_t right = 0, total = 0;
    std::vector<std::string> wrong;
    for (std::size_t i = 0; i + 1 < one.size(); i += 97) {
        const auto& t = one[i];
        const std::string address = t.prefName + t.cityName + t.baseName() + "1-2";
        for (std::uint32_t written : {t.code7, one[i + 1].code7, 9999999u}) {
            char code[16], code7[16] = {};
            std::snprintf(code, sizeof code, "%03u-%04u ", written / 10000, written % 10000);
            const int flags =
                keszip::lookupAddress(engine, code + address, {code7, nullptr, nullptr});
            ++total;
            const bool differs = std::strtoul(code7, nullptr, 10) != written;
            if (flags != 0 && ((flags & keszip::kFlagCodeDiffers) != 0) == differs) {
                ++right;
            } else if (wrong.size() < 4) {
                wrong.push_back(u8(code + address) + " -> " + code7 + " flags " +
                                std::to_string(flags));
            }
        }
    }
    std::printf("%-36s %7zu of %7zu right (%.2f%%)\n", "postal code checked against answer", right,
                total,
                total ? 100.0 * static_cast<double>(right) / static_cast<double>(total) : 0.0);
    for (const auto& w : wrong) std::printf("        %s\n", w.c_str());
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
        const auto all = bench::loadRealTowns(argv[1]);
        const auto towns = bench::townsNamingOnePlace(all);
        keszip::ZipEngine engine(argv[2]);
        if (!engine.open()) {
            std::fprintf(stderr, "accuracy: cannot open the dictionary in %s (error %d)\n", argv[2],
                         engine.lastError());
            return 1;
        }
        std::printf("Towns whose name stands for one code: %zu\n\n", towns.size());
        report(engine, "prefecture + city + town", casesOf(towns, kanjiForm));
        report(engine, "the same in readings", casesOf(towns, readingForm));
        report(engine, "without the prefecture", casesOf(towns, noPrefectureForm));
        report(engine, "ending in a numeral + 3-5", numeralEndCases(towns), "3-5");
        report(engine, "former municipality name", formerMunicipalityCases(towns, engine));
        std::printf("\nAddresses as address lists write them:\n");
        for (const auto& form :
             bench::writtenForms(all, towns, engine.foldSettings().kanjiSubstitutions)) {
            std::vector<Case> cases;
            for (const auto& c : form.cases) cases.push_back({c.address, c.town});
            report(engine, form.name.c_str(), cases);
        }
        reportCodeCheck(engine, towns);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "accuracy: %s\n", e.what());
        return 1;
    }
    return 0;
}
