#include "inc_search.h"

#include <string>
#include <unordered_set>

#include "code_search.h"
#include "fold.h"
#include "town_text.h"

namespace keszip {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kGenericTown =
    "\x88\xC8\x89\xBA\x82\xC9\x8C\x66\x8D\xDA\x82\xAA\x82\xC8\x82\xA2\x8F\xEA\x8D\x87"sv;  // 以下に掲載がない場合
constexpr char kShi = '\xBC';  // ｼ, the last kana of a city's reading

bool isFiller(char c) { return c == ' ' || c == '*'; }

// Collects the entries of one search.
class Collector {
  public:
    Collector(ZipEngine& engine, std::vector<AddressParts>& out) : engine_(engine), out_(out) {}

    void run(std::string_view text) {
        // A text that begins with a prefecture is searched inside it only.
        bool descended = false;
        const auto& prefectures = engine_.prefectures();
        for (std::size_t p = 0; p < prefectures.size(); ++p) {
            std::string_view rest;
            int r = compare(text, prefectures[p].reading, prefectures[p].name, &rest);
            if (r == kPrefixTextShorter || r == kPrefixEqual) {
                AddressParts parts;
                parts.prefecture = prefectures[p].name;
                yield(parts);
            } else if (r == kPrefixEntryShorter) {
                descended = true;
                walkLevels(rest, static_cast<int>(prefectures[p].code));
            }
        }
        if (!descended) walkLevels(text, 0);
    }

  private:
    // Cities proper, municipalities, then counties, of one prefecture (code
    // > 0) or of all.
    void walkLevels(std::string_view text, int prefCode) {
        walkCities(text, prefCode, true);
        const auto& municipalities = engine_.municipalities();
        for (std::size_t i = 0; i < municipalities.size(); ++i) {
            if (prefCode != 0 && municipalities[i].code / 1000 != prefCode) continue;
            visitMunicipality(text, i);
        }
        walkCities(text, prefCode, false);
    }

    void walkCities(std::string_view text, int prefCode, bool citiesProper) {
        const auto& cities = engine_.cities();
        for (std::size_t i = 0; i < cities.size(); ++i) {
            const CityRecord& c = cities[i];
            if (prefCode != 0 && c.lowCode / 1000 != prefCode) continue;
            bool proper = !c.reading.empty() && c.reading.back() == kShi;
            if (proper != citiesProper) continue;
            std::string_view rest;
            int r = compare(text, c.reading, c.name, &rest);
            if (r == kPrefixTextShorter || r == kPrefixEqual) {
                AddressParts parts;
                parts.prefecture = prefectureName(c.lowCode);
                parts.city = c.name;
                yield(parts);
            } else if (r == kPrefixEntryShorter) {
                const auto& municipalities = engine_.municipalities();
                for (std::size_t m = 0; m < municipalities.size(); ++m) {
                    if (municipalities[m].cityIndex == static_cast<int>(i))
                        visitMunicipality(rest, m);
                }
            }
        }
    }

    void visitMunicipality(std::string_view text, std::size_t muni) {
        const MunicipalityRecord& m = engine_.municipalities()[muni];
        std::string_view rest;
        int r = compare(text, m.reading, m.name, &rest);
        if (r == kPrefixTextShorter || r == kPrefixEqual) {
            yield(municipalityParts(muni));
        } else if (r == kPrefixEntryShorter) {
            walkTowns(rest, muni);
        }
    }

    void walkTowns(std::string_view text, std::size_t muni) {
        TownCandidate town;
        bool restart = true;
        while (engine_.nextTown(restart, muni, town)) {
            restart = false;
            std::string name, note;
            splitTownName(town.name, name, note);
            if (name == kGenericTown) continue;
            int r = compare(text, town.reading, town.name, nullptr);
            if (r != kPrefixTextShorter && r != kPrefixEqual) continue;
            AddressParts parts = municipalityParts(muni);
            parts.town = std::move(name);
            parts.note = std::move(note);
            yield(parts);
        }
    }

    AddressParts municipalityParts(std::size_t muni) const {
        const MunicipalityRecord& m = engine_.municipalities()[muni];
        AddressParts parts;
        parts.prefecture = prefectureName(m.code);
        if (m.cityIndex >= 0 && static_cast<std::size_t>(m.cityIndex) < engine_.cities().size())
            parts.city = engine_.cities()[static_cast<std::size_t>(m.cityIndex)].name;
        parts.ward = m.name;
        return parts;
    }

    std::string prefectureName(int jisCode) const {
        std::size_t pref = static_cast<std::size_t>(jisCode / 1000);
        if (pref < 1 || pref > engine_.prefectures().size()) return {};
        return engine_.prefectures()[pref - 1].name;
    }

    // The reading first, then the name.
    int compare(std::string_view text, const std::string& reading, const std::string& name,
                std::string_view* rest) {
        // "*" takes every entry: no need to fold it first.
        if (text == "*") return kPrefixTextShorter;
        int r = prefixCompare(text, fold(reading), rest);
        if (r == kPrefixDiffers) r = prefixCompare(text, fold(name), rest);
        return r;
    }

    std::string fold(const std::string& entry) {
        return foldText(entry, kFoldLiteral, engine_.foldSettings());
    }

    // Each entry once: a county split into several records, or a ward name
    // reached both from its city and on its own, is listed one time.
    // The entries already listed are remembered by their five texts joined with
    // NULs (no text holds one), so that a search listing thousands of entries
    // does not compare each new one with all before it.
    void yield(const AddressParts& parts) {
        std::string key = parts.prefecture;
        for (const std::string* piece : {&parts.city, &parts.ward, &parts.town, &parts.note}) {
            key += '\0';
            key += *piece;
        }
        if (seen_.insert(std::move(key)).second) out_.push_back(parts);
    }

    ZipEngine& engine_;
    std::vector<AddressParts>& out_;
    std::unordered_set<std::string> seen_;
};

}  // namespace

int prefixCompare(std::string_view text, std::string_view entry, std::string_view* rest) {
    if (text == "*") return kPrefixTextShorter;
    std::size_t i = 0, j = 0;
    for (;;) {
        while (j < entry.size() && isFiller(entry[j])) ++j;
        bool entryEnded = j >= entry.size() || entry[j] == '(';
        if (i < text.size() && text[i] == ' ') {
            ++i;
            continue;
        }
        if (i >= text.size()) return entryEnded ? kPrefixEqual : kPrefixTextShorter;
        if (entryEnded) {
            if (rest) *rest = text.substr(i);
            return kPrefixEntryShorter;
        }
        if (text.substr(i) == "*") return kPrefixTextShorter;
        std::size_t n = town::charLength(text, i);
        if (entry.substr(j, n) != text.substr(i, n)) return kPrefixDiffers;
        i += n;
        j += n;
    }
}

int nextIncAddress(ZipEngine& engine, bool first, std::string_view text, AddressParts& parts) {
    IncSearchCursor& c = engine.searches.inc;
    if (first) {
        c = IncSearchCursor{};
        std::string folded =
            text.empty() ? std::string() : foldText(text, kFoldLiteral, engine.foldSettings());
        // Folding drops the "*" that asks for every entry below a level.
        if (!text.empty() && text.back() == '*' && (folded.empty() || folded.back() != '*'))
            folded += '*';
        if (folded.empty()) {
            engine.setLastError(kErrCode);
            return 0;
        }
        Collector(engine, c.entries).run(folded);
    }
    if (c.next >= c.entries.size()) {
        engine.setLastError(kErrCode);
        return 0;
    }
    parts = c.entries[c.next++];
    return 1;
}

}  // namespace keszip
