// Addresses written with a name a place had before: a town of an earlier
// edition (五戸町古館 for today's 古舘) or a municipality or ward that no longer
// exists (浜松市中区, 黒川郡富谷町). When the address as written reaches no town,
// or only a generic code, each former name it holds is written as the name
// now and the address looked up again.
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dictionary_data.h"
#include "lookup.h"
#include "shift_jis_text.h"

namespace keszip {

namespace {

constexpr std::string_view kOaza = "\x91\xe5\x8e\x9a";  // 大字
constexpr std::string_view kAza = "\x8e\x9a";           // 字

// Offset of `needle` in `text` at or after `from`, on a character boundary.
std::size_t findOnBoundary(std::string_view text, std::string_view needle, std::size_t from = 0) {
    for (std::size_t at = text.find(needle, from); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        std::size_t pos = 0;
        while (pos < at) {
            pos += isLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        }
        if (pos == at) return at;
    }
    return std::string_view::npos;
}

// Blanks (ASCII and full-width) taken off both ends.
std::string_view trimmed(std::string_view text) {
    for (;;) {
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        } else if (text.substr(0, 2) == "\x81\x40") {
            text.remove_prefix(2);
        } else if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
            text.remove_suffix(1);
        } else if (text.size() >= 2 && text.substr(text.size() - 2) == "\x81\x40") {
            text.remove_suffix(2);
        } else {
            return text;
        }
    }
}

std::string replaced(std::string_view text, std::size_t at, std::size_t length,
                     std::string_view by) {
    return std::string(text.substr(0, at)) + std::string(by) +
           std::string(text.substr(at + length));
}

using FormerRange = std::pair<std::vector<FormerNameRecord>::const_iterator,
                              std::vector<FormerNameRecord>::const_iterator>;

using FormerKey = std::tuple<std::uint8_t, std::uint8_t, std::uint16_t>;

// Orders entries and keys by kind, prefecture and local-government code.
struct FormerLess {
    static FormerKey key(const FormerNameRecord& r) { return {r.kind, r.prefecture, r.localCode}; }
    static FormerKey key(const FormerKey& k) { return k; }
    template <typename X, typename Y>
    bool operator()(const X& x, const Y& y) const {
        return key(x) < key(y);
    }
};

// The entries of one kind and prefecture (and municipality, for towns).
FormerRange formerNamesOf(const DictionaryData& data, std::uint8_t kind, std::uint8_t prefecture,
                          std::uint16_t code) {
    return std::equal_range(data.formerNames.begin(), data.formerNames.end(),
                            FormerKey(kind, prefecture, code), FormerLess{});
}

// The address with the former name of a town of the municipality it reached
// written as the name now. The former name must follow the municipality's
// name (with or without 大字 or 字 between them), and be longer than the town
// the address reached there, if it reached one other than the generic town:
// that town then only matched a part of it (石狩市厚田区別狩 reaches 厚田 as
// written, 厚田別狩 by its name now).
void townRewrites(const ZipEngine& engine, std::string_view address, int flags,
                  std::vector<std::string>& out) {
    const int cursor = engine.match.muniCursor;
    if (cursor < 0 || static_cast<std::size_t>(cursor) >= engine.municipalities().size()) return;
    const MunicipalityRecord& m = engine.municipalities()[static_cast<std::size_t>(cursor)];
    const auto [first, last] = formerNamesOf(*engine.sharedData(), dic::kFormerTown,
                                             static_cast<std::uint8_t>(m.code / 1000), m.code);
    if (first == last) return;
    const std::string& reached = engine.match.best.name;
    const std::size_t reachedLength =
        (flags & kFlagGenericCode) ? 0 : std::min(reached.find('('), reached.size());
    for (auto f = first; f != last; ++f) {
        if (f->former.size() <= reachedLength) continue;
        for (std::size_t at = findOnBoundary(address, m.name); at != std::string_view::npos;
             at = findOnBoundary(address, m.name, at + 1)) {
            std::size_t start = at + m.name.size();
            for (std::string_view word : {kOaza, kAza}) {
                if (address.compare(start, word.size(), word) == 0) {
                    start += word.size();
                    break;
                }
            }
            if (address.compare(start, f->former.size(), f->former) == 0) {
                out.push_back(replaced(address, start, f->former.size(), f->now));
                break;
            }
        }
    }
}

// The address with a former municipality name written as the name now: the
// name must start the address, or follow the name of its prefecture.
void municipalityRewrites(const ZipEngine& engine, std::string_view address,
                          std::vector<std::string>& out) {
    const DictionaryData& data = *engine.sharedData();
    // The prefecture the address names, when it names one: only its entries.
    auto [first, last] = std::pair(data.formerNames.begin(), data.formerNames.end());
    if (engine.match.prefFound && engine.match.prefLength > 0 && engine.match.prefCode > 0) {
        std::tie(first, last) = formerNamesOf(data, dic::kFormerMunicipality,
                                              static_cast<std::uint8_t>(engine.match.prefCode), 0);
    }
    for (auto f = first; f != last; ++f) {
        if (f->kind != dic::kFormerMunicipality) continue;
        const std::size_t at = findOnBoundary(address, f->former);
        if (at == std::string_view::npos) continue;
        const std::string_view before = trimmed(address.substr(0, at));
        const bool ownPrefecture = f->prefecture >= 1 &&
                                   f->prefecture <= engine.prefectures().size() &&
                                   before == engine.prefectures()[f->prefecture - 1u].name;
        if (!before.empty() && !ownPrefecture) continue;
        // A name now in another prefecture starts with that prefecture's
        // name, which takes the place of the one written.
        bool otherPrefecture = false;
        for (const PrefectureRecord& p : engine.prefectures()) {
            otherPrefecture = otherPrefecture || (p.code != f->prefecture && !p.name.empty() &&
                                                  f->now.compare(0, p.name.size(), p.name) == 0);
        }
        out.push_back(otherPrefecture ? replaced(address, 0, at + f->former.size(), f->now)
                                      : replaced(address, at, f->former.size(), f->now));
    }
}

}  // namespace

int lookupAddress(ZipEngine& engine, std::string_view address, const LookupTargets& targets,
                  TownMatcher townMatcher) {
    const int flags = lookupAddressAsWritten(engine, address, targets, townMatcher);
    const DictionaryData* data = engine.sharedData();
    if (!engine.isOpen() || !data || data->formerNames.empty()) return flags;

    std::vector<std::string> tries;
    if (flags != 0) townRewrites(engine, address, flags, tries);
    if (flags == 0 || (flags & kFlagGenericCode)) municipalityRewrites(engine, address, tries);
    if (tries.empty()) return flags;
    // Shorter rewrites first: a name now that also keeps the former name as
    // the start of the town's (浜松市中央区舞阪町) comes after the plain one.
    std::stable_sort(tries.begin(), tries.end(), [](const std::string& a, const std::string& b) {
        return a.size() < b.size();
    });

    // A try that reaches a town wins; else, for an address that reached
    // nothing, the first that reaches a municipality's generic code.
    const std::string* generic = nullptr;
    for (const std::string& text : tries) {
        const int retry = lookupAddressAsWritten(engine, text, targets, townMatcher);
        if (retry != 0 && !(retry & kFlagGenericCode)) return retry | kFlagFormerName;
        if (retry != 0 && !generic) generic = &text;
    }
    if (flags == 0 && generic) {
        return lookupAddressAsWritten(engine, *generic, targets, townMatcher) | kFlagFormerName;
    }
    return lookupAddressAsWritten(engine, address, targets, townMatcher);
}

}  // namespace keszip
