#include "former_names.h"

#include <map>
#include <set>

#include "build_error.h"
#include "csv_source_line.h"
#include "edition_changes.h"
#include "municipality_split.h"
#include "prefecture_names.h"
#include "sjis_text.h"
#include "text_lines.h"
#include "utf8_ken_all.h"

namespace mkdic {

namespace {

std::string baseName(const std::string& name) {
    const std::size_t open = sjis::findChars(name, sjis::kOpenParen);
    return open == std::string::npos ? name : name.substr(0, open);
}

// The municipality names of each prefecture as addresses write them: the
// whole name ("浜松市中央区", "黒川郡大和町"), a city divided into wards
// ("浜松市"), and a county town without its county ("大和町").
struct PlaceNames {
    std::map<unsigned, std::set<std::string>> whole, cities, withoutCounty;
    std::map<std::pair<unsigned, std::string>, std::uint16_t> codeOf;  // whole name -> code
    std::map<std::uint16_t, std::set<std::string>> townsOf;            // base names

    explicit PlaceNames(const std::vector<KenAllRow>& towns) {
        for (const KenAllRow& r : towns) {
            const unsigned pref = r.prefectureCode();
            townsOf[static_cast<std::uint16_t>(r.localCode)].insert(baseName(r.townName));
            if (!whole[pref].insert(r.cityName).second) continue;
            codeOf[{pref, r.cityName}] = static_cast<std::uint16_t>(r.localCode);
            const NameSplit split = splitMunicipalityName(r.cityName);
            if (split.kind == CityKind::WardedCity) {
                cities[pref].insert(r.cityName.substr(0, split.cityBytes));
            } else if (split.kind == CityKind::County) {
                withoutCounty[pref].insert(r.cityName.substr(split.cityBytes));
            }
        }
    }
    bool current(unsigned pref, const std::string& name) const {
        const auto has = [&](const auto& map) {
            const auto found = map.find(pref);
            return found != map.end() && found->second.count(name) > 0;
        };
        return has(whole) || has(cities) || has(withoutCounty);
    }
    // The name as the data writes it now, where it differs from `name` only
    // by ケ written ヶ or the other way round (吉野ケ里町, 吉野ヶ里町); empty if none.
    std::string spelledNow(unsigned pref, const std::string& name) const {
        if (current(pref, name)) return name;
        for (const auto* map : {&whole, &cities}) {
            const auto found = map->find(pref);
            if (found == map->end()) continue;
            for (const std::string& now : found->second) {
                if (smallKe(now) == smallKe(name)) return now;
            }
        }
        return {};
    }
    static std::string smallKe(std::string text) {
        for (std::size_t pos = 0; pos + 1 < text.size(); pos += sjis::charLength(text, pos)) {
            if (text.compare(pos, 2, "\x83\x50") == 0) text.replace(pos, 2, "\x83\x96");  // ケ ヶ
        }
        return text;
    }
};

// The name without a note in parentheses at its end ("南部町（旧富沢町域のみ掲載）").
std::string withoutNote(const std::string& name) {
    const std::size_t open = sjis::findChars(name, sjis::kOpenParen);
    return open != std::string::npos && sjis::endsWithChars(name, sjis::kCloseParen)
               ? name.substr(0, open)
               : name;
}

}  // namespace

std::vector<FormerName> formerNamesOfEdition(const std::vector<KenAllRow>& formerTowns,
                                             const std::vector<KenAllRow>& towns) {
    const PlaceNames now(towns);
    std::map<std::uint32_t, std::string> formerCity, cityNow;
    for (const KenAllRow& r : formerTowns) formerCity.emplace(r.localCode, r.cityName);
    for (const KenAllRow& r : towns) cityNow.emplace(r.localCode, r.cityName);

    std::set<FormerName> out;
    for (const EditionChange& c : compareEditions(formerTowns, towns)) {
        if (c.kind == "town renamed") {
            const std::string before = baseName(c.oldNames.front());
            const std::string after = baseName(c.newNames.front());
            const auto& names = now.townsOf.at(static_cast<std::uint16_t>(c.localCode));
            if (before.empty() || before == after || names.count(before)) continue;
            out.insert({keszip::dic::kFormerTown, static_cast<std::uint8_t>(c.localCode / 1000),
                        static_cast<std::uint16_t>(c.localCode), before, after});
        } else if (c.kind == "municipality renamed" || c.kind == "municipality merged") {
            const std::string& before = formerCity.at(c.oldCodes.front());
            const std::string& after = cityNow.at(c.newCodes.front());
            const unsigned pref = c.oldCodes.front() / 1000;
            if (before == after || now.current(pref, before)) continue;
            out.insert({keszip::dic::kFormerMunicipality, static_cast<std::uint8_t>(pref), 0,
                        before, after});
        }
    }
    return {out.begin(), out.end()};
}

MunicipalChanges municipalChangeNames(std::string_view table, const std::vector<KenAllRow>& towns,
                                      std::string_view sourceName) {
    const PlaceNames now(towns);
    std::map<std::string, unsigned> prefectureCodes;
    for (unsigned code = 1; code <= 47; ++code) {
        prefectureCodes.emplace(defaultPrefectureName(code).name, code);
    }
    for (const KenAllRow& r : towns) prefectureCodes.emplace(r.prefectureName, r.prefectureCode());

    struct Row {
        unsigned pref;
        std::string before, after;
    };
    std::vector<Row> rows;
    Utf8ToSjis convert;
    forEachLine(table, [&](std::string_view line, std::size_t lineNumber) {
        if (line.empty() || line[0] == '#') return true;
        const CsvSourceLine parser(line, lineNumber, sourceName);
        const std::vector<std::string> f = parser.fields();
        if (f.size() != 4) parser.fail("expected 4 columns, found " + std::to_string(f.size()));
        std::string sjis[3], problem;
        for (int i = 0; i < 3; ++i) {
            if (f[i].empty()) parser.fail("column " + std::to_string(i + 1) + " is empty");
            if (!convert.name(f[i], sjis[i], problem)) parser.fail(problem);
            if (sjis[i].size() > 255) parser.fail("a name is longer than 255 bytes");
        }
        const auto pref = prefectureCodes.find(sjis[0]);
        if (pref == prefectureCodes.end()) parser.fail("no prefecture is named " + f[0]);
        rows.push_back({pref->second, sjis[1], sjis[2]});
        return true;
    });

    std::map<std::pair<unsigned, std::string>, std::string> next;  // first row of each name
    for (const Row& r : rows) next.emplace(std::pair(r.pref, r.before), r.after);

    MunicipalChanges result;
    result.rows = rows.size();
    std::set<FormerName> out;
    const auto add = [&](unsigned pref, const std::string& before, const std::string& after) {
        if (before != after && !now.current(pref, before)) {
            out.insert({keszip::dic::kFormerMunicipality, static_cast<std::uint8_t>(pref), 0,
                        before, after});
        }
    };
    for (const Row& r : rows) {
        // A municipality that went to another prefecture names it first
        // (長野県木曽郡山口村 -> 岐阜県中津川市).
        std::string after = withoutNote(r.after);
        unsigned pref = r.pref;
        std::string prefix;
        for (const auto& [name, code] : prefectureCodes) {
            if (code != r.pref && after.size() > name.size() && after.rfind(name, 0) == 0) {
                pref = code;
                prefix = name;
                after.erase(0, name.size());
                break;
            }
        }
        // Follow later changes of the name it became (at most a few in practice).
        for (int step = 0; step < 8 && now.spelledNow(pref, after).empty(); ++step) {
            const auto later = next.find({pref, after});
            if (later == next.end()) break;
            after = withoutNote(later->second);
        }
        after = now.spelledNow(pref, after);
        if (after.empty()) {
            ++result.dropped;
            continue;
        }
        // A city divided into wards since: each of its wards, for the lookup
        // to take the one where the town is (an address must name the ward).
        std::vector<std::string> targets;
        if (now.whole.at(pref).count(after) == 0) {
            for (const std::string& ward : now.whole.at(pref)) {
                if (ward.size() > after.size() && ward.rfind(after, 0) == 0)
                    targets.push_back(ward);
            }
        }
        if (targets.empty()) targets.push_back(after);
        const NameSplit split = splitMunicipalityName(r.before);
        for (const std::string& target : targets) {
            add(r.pref, r.before, prefix + target);
            if (split.kind == CityKind::County) {
                // Its towns are often named after it now (舞阪町 -> 浜松市中央区舞阪町舞阪).
                const std::string town = r.before.substr(split.cityBytes);
                add(r.pref, town, prefix + target);
                add(r.pref, r.before, prefix + target + town);
                add(r.pref, town, prefix + target + town);
            }
        }
        if (split.kind == CityKind::County && prefix.empty() &&
            splitMunicipalityName(after).kind == CityKind::None &&
            sjis::endsWithChars(after, sjis::kShi)) {
            add(r.pref, r.before.substr(0, split.cityBytes) + after, after);
        }
    }
    result.names.assign(out.begin(), out.end());
    return result;
}

}  // namespace mkdic
