#include "edition_changes.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>
#include <tuple>

#include "sjis_text.h"

namespace mkdic {

namespace {

using Key = std::pair<std::uint32_t, std::string>;  // local-government code, town name

// The name up to its parenthesised note.
std::string baseName(const std::string& name) {
    const std::size_t open = sjis::findChars(name, sjis::kOpenParen);
    return open == std::string::npos ? name : name.substr(0, open);
}

std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = sjis::charLength(text, pos);
        out.push_back(text.substr(pos, len));
        pos += len;
    }
    return out;
}

// Edit distance in characters.
std::size_t distance(std::string_view a, std::string_view b) {
    const auto x = characters(a), y = characters(b);
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t up = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[y.size()];
}

struct Edition {
    std::map<Key, std::set<std::uint32_t>> towns;              // town -> its codes
    std::map<std::uint32_t, std::vector<Key>> byCode;          // code -> its towns
    std::map<std::uint32_t, std::string> municipalities;       // local code -> prefecture + city
    std::map<std::uint32_t, std::set<std::uint32_t>> codesOf;  // local code -> its codes

    explicit Edition(const std::vector<KenAllRow>& rows) {
        for (const KenAllRow& r : rows) {
            const Key key{r.localCode, r.townName};
            if (towns[key].insert(r.code7).second) byCode[r.code7].push_back(key);
            municipalities.emplace(r.localCode, r.prefectureName + r.cityName);
            codesOf[r.localCode].insert(r.code7);
        }
    }
};

std::vector<std::uint32_t> listOf(const std::set<std::uint32_t>& codes) {
    return {codes.begin(), codes.end()};
}

}  // namespace

std::vector<EditionChange> compareEditions(const std::vector<KenAllRow>& oldTowns,
                                           const std::vector<KenAllRow>& newTowns) {
    const Edition a(oldTowns), b(newTowns);
    std::map<std::string, std::vector<EditionChange>> byKind;
    const auto add = [&](EditionChange c) { byKind[c.kind].push_back(std::move(c)); };
    const auto municipalityOf = [&](std::uint32_t local) {
        const auto found = b.municipalities.find(local);
        return found != b.municipalities.end() ? found->second : a.municipalities.at(local);
    };

    // Municipalities: a local-government code of the old edition that is gone
    // went where most of its codes went.
    std::map<std::uint32_t, std::uint32_t> successor;  // old local code -> new local code
    for (const auto& [local, name] : a.municipalities) {
        if (const auto same = b.municipalities.find(local); same != b.municipalities.end()) {
            if (same->second != name) {
                add({"municipality renamed",
                     {local},
                     {local},
                     same->second,
                     {name},
                     {same->second}});
            }
            continue;
        }
        std::map<std::uint32_t, std::size_t> votes;
        for (std::uint32_t code : a.codesOf.at(local)) {
            if (const auto towns = b.byCode.find(code); towns != b.byCode.end()) {
                ++votes[towns->second.front().first];
            }
        }
        if (votes.empty()) continue;  // its towns are gone: listed as towns removed
        const std::uint32_t target =
            std::max_element(votes.begin(), votes.end(), [](const auto& x, const auto& y) {
                return x.second < y.second;
            })->first;
        successor[local] = target;
        const bool renamed = !a.municipalities.count(target);
        add({renamed ? "municipality renamed" : "municipality merged",
             {local},
             {target},
             b.municipalities.at(target),
             {name},
             {b.municipalities.at(target)}});
    }
    // A new local code that took over one old municipality is its renaming, listed above.
    std::set<std::uint32_t> successors;
    for (const auto& [from, to] : successor) successors.insert(to);

    // Codes.
    for (const auto& [code, towns] : a.byCode) {
        if (b.byCode.count(code)) continue;
        EditionChange c{
            "code disappeared", {code}, {}, municipalityOf(towns.front().first), {}, {}};
        for (const Key& k : towns) c.oldNames.push_back(k.second);
        add(std::move(c));
    }
    for (const auto& [code, towns] : b.byCode) {
        if (a.byCode.count(code)) continue;
        EditionChange c{"code appeared", {}, {code}, municipalityOf(towns.front().first), {}, {}};
        for (const Key& k : towns) c.newNames.push_back(k.second);
        add(std::move(c));
    }

    // Towns: those of a municipality that moved to a new local code count as
    // the same towns there.
    const auto newKeyOf = [&](const Key& k) {
        const auto to = successor.find(k.first);
        return to == successor.end() ? k : Key{to->second, k.second};
    };
    std::vector<Key> gone, fresh;
    std::set<Key> oldKeysMoved;
    for (const auto& [key, codes] : a.towns) {
        const Key now = newKeyOf(key);
        const auto there = b.towns.find(now);
        if (there == b.towns.end()) {
            gone.push_back(key);
            continue;
        }
        oldKeysMoved.insert(now);
        if (there->second != codes) {
            add({"town moved",
                 listOf(codes),
                 listOf(there->second),
                 municipalityOf(now.first),
                 {key.second},
                 {now.second}});
        }
    }
    for (const auto& [key, codes] : b.towns) {
        if (!oldKeysMoved.count(key)) fresh.push_back(key);
    }

    // Renamed: a gone and a fresh town of one municipality under one code,
    // paired by the fewest characters changed.
    std::set<Key> paired;
    for (const Key& old : gone) {
        const Key here = newKeyOf(old);
        const std::uint32_t code = *a.towns.at(old).begin();
        const Key* best = nullptr;
        std::size_t bestDistance = 0;
        for (const Key& k : fresh) {
            if (k.first != here.first || paired.count(k) || !b.towns.at(k).count(code)) continue;
            const std::size_t d = distance(old.second, k.second);
            if (!best || d < bestDistance) best = &k, bestDistance = d;
        }
        if (!best) continue;
        paired.insert(*best);
        paired.insert(old);
        add({"town renamed",
             listOf(a.towns.at(old)),
             listOf(b.towns.at(*best)),
             municipalityOf(here.first),
             {old.second},
             {best->second},
             here.first});
    }

    // Split and merged: gone and fresh towns of one municipality with the same
    // name before its note (or the same code).
    std::map<Key, std::pair<std::vector<Key>, std::vector<Key>>> families;
    for (const Key& k : gone) {
        if (!paired.count(k)) families[{newKeyOf(k).first, baseName(k.second)}].first.push_back(k);
    }
    for (const Key& k : fresh) {
        if (!paired.count(k)) families[{k.first, baseName(k.second)}].second.push_back(k);
    }
    for (auto& [family, members] : families) {
        auto& [olds, news] = members;
        const auto byCode = [](const Edition& e) {
            return [&e](const Key& x, const Key& y) {
                return std::pair(*e.towns.at(x).begin(), x.second) <
                       std::pair(*e.towns.at(y).begin(), y.second);
            };
        };
        std::sort(olds.begin(), olds.end(), byCode(a));
        std::sort(news.begin(), news.end(), byCode(b));
        if (!olds.empty() && !news.empty() && (olds.size() > 1 || news.size() > 1)) {
            EditionChange c{olds.size() == 1 ? "town split" : "town merged",
                            {},
                            {},
                            municipalityOf(family.first),
                            {},
                            {}};
            std::set<std::uint32_t> oldCodes, newCodes;
            for (const Key& k : olds) {
                c.oldNames.push_back(k.second);
                oldCodes.insert(a.towns.at(k).begin(), a.towns.at(k).end());
            }
            for (const Key& k : news) {
                c.newNames.push_back(k.second);
                newCodes.insert(b.towns.at(k).begin(), b.towns.at(k).end());
            }
            if (olds.size() > 1 && news.size() > 1) c.kind = "town split";
            c.oldCodes = listOf(oldCodes);
            c.newCodes = listOf(newCodes);
            add(std::move(c));
            continue;
        }
        if (!olds.empty() && !news.empty()) {  // one each: a renaming under another code
            add({"town renamed",
                 listOf(a.towns.at(olds[0])),
                 listOf(b.towns.at(news[0])),
                 municipalityOf(family.first),
                 {olds[0].second},
                 {news[0].second},
                 family.first});
            continue;
        }
        for (const Key& k : olds) {
            add({"town removed",
                 listOf(a.towns.at(k)),
                 {},
                 municipalityOf(newKeyOf(k).first),
                 {k.second},
                 {}});
        }
        for (const Key& k : news) {
            add({"town added", {}, listOf(b.towns.at(k)), municipalityOf(k.first), {}, {k.second}});
        }
    }

    std::vector<EditionChange> out;
    for (const char* kind : kChangeKinds) {
        auto& list = byKind[kind];
        std::stable_sort(
            list.begin(), list.end(), [](const EditionChange& x, const EditionChange& y) {
                const auto first = [](const EditionChange& c) {
                    return std::tuple(c.oldCodes.empty() ? c.newCodes.front() : c.oldCodes.front(),
                                      c.oldNames, c.newNames);
                };
                return first(x) < first(y);
            });
        for (EditionChange& c : list) out.push_back(std::move(c));
    }
    return out;
}

std::string changeLines(const std::vector<EditionChange>& changes) {
    const auto codes = [](const std::vector<std::uint32_t>& list, bool local) {
        std::string text;
        for (std::uint32_t code : list) {
            char digits[16];
            std::snprintf(digits, sizeof digits, local ? "%05u" : "%07u", code);
            text += (text.empty() ? "" : ",") + std::string(digits);
        }
        return text;
    };
    const auto names = [](const std::vector<std::string>& list) {
        std::string text;
        for (const std::string& name : list) text += (text.empty() ? "" : ",") + name;
        return text;
    };
    std::string out;
    for (const EditionChange& c : changes) {
        const bool local = c.kind.rfind("municipality", 0) == 0;
        out += c.kind + "\t" + codes(c.oldCodes, local) + "\t" + codes(c.newCodes, local) + "\t" +
               c.municipality + "\t" + names(c.oldNames) + "\t" + names(c.newNames) + "\n";
    }
    return out;
}

std::string changeSummary(const std::vector<EditionChange>& changes) {
    std::string out;
    for (const char* kind : kChangeKinds) {
        const auto n = std::count_if(changes.begin(), changes.end(),
                                     [&](const EditionChange& c) { return c.kind == kind; });
        out += std::string(kind) + "\t" + std::to_string(n) + "\n";
    }
    return out;
}

}  // namespace mkdic
