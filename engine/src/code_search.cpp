#include "code_search.h"

#include "shift_jis_text.h"
#include "town_text.h"

namespace keszip {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kGenericTown =
    "\x88\xC8\x89\xBA\x82\xC9\x8C\x66\x8D\xDA\x82\xAA\x82\xC8\x82\xA2\x8F\xEA\x8D\x87"sv;  // 以下に掲載がない場合
constexpr std::string_view kExceptBuildingsNote =
    "(\x8E\x9F\x82\xCC\x83\x72\x83\x8B\x82\xF0\x8F\x9C\x82\xAD)"sv;  // (次のビルを除く)
constexpr std::string_view kLotFollowsText =
    "\x82\xCC\x8E\x9F\x82\xC9\x94\xD4\x92\x6E\x82\xAA\x82\xAD\x82\xE9\x8F\xEA\x8D\x87"sv;  // の次に番地がくる場合

// Tells a town block that cannot be read (lastError 16) from the end of the
// towns, and leaves the earlier lastError alone otherwise.
class BlockErrorWatch {
  public:
    explicit BlockErrorWatch(ZipEngine& engine) : engine_(engine), saved_(engine.lastError()) {
        engine_.setLastError(kErrNone);
    }
    bool failed() {
        if (engine_.lastError() == kErrTownBlock) return true;
        engine_.setLastError(saved_);
        return false;
    }

  private:
    ZipEngine& engine_;
    int saved_;
};

}  // namespace

int searchFlags(std::string_view town, std::string_view note) {
    int flags = kSearchFound;
    if (town == kGenericTown) flags |= kSearchGenericTown;
    if (note == kExceptBuildingsNote) flags |= kSearchExceptBuildings;
    if (containsText(town, kLotFollowsText)) flags |= kSearchLotFollows;
    return flags;
}

void splitTownName(std::string_view name, std::string& town, std::string& note) {
    std::size_t open = town::findByte(name, '(');
    if (open == std::string_view::npos) open = name.size();
    town.assign(name.substr(0, open));
    note.assign(name.substr(open));
}

void townParts(const ZipEngine& engine, std::size_t muni, const TownCandidate& town,
               AddressParts& parts) {
    parts = AddressParts{};
    const auto& municipalities = engine.municipalities();
    if (muni < municipalities.size()) {
        const MunicipalityRecord& m = municipalities[muni];
        std::size_t pref = m.code / 1000;
        if (pref >= 1 && pref <= engine.prefectures().size())
            parts.prefecture = engine.prefectures()[pref - 1].name;
        if (m.cityIndex >= 0 && static_cast<std::size_t>(m.cityIndex) < engine.cities().size()) {
            parts.city = engine.cities()[static_cast<std::size_t>(m.cityIndex)].name;
            parts.ward = m.name;
        } else {
            parts.city = m.name;
        }
    }
    splitTownName(town.name, parts.town, parts.note);
}

int nextCodeAddress(ZipEngine& engine, bool first, std::string_view codeText, TownCandidate& town,
                    AddressParts& parts) {
    if (!engine.isOpen()) {
        engine.setLastError(kErrNotOpen);
        return 0;
    }
    engine.currentJisCode = 0;
    CodeSearchCursor& c = engine.searches.code;
    if (first) {
        c = CodeSearchCursor{};
        auto query = parseCodeText(codeText);
        if (!query) {
            engine.setLastError(kErrCode);
            return 0;
        }
        c.query = *query;
        c.active = true;
    }
    if (!c.active) {
        engine.setLastError(kErrCode);
        return 0;
    }
    const auto& municipalities = engine.municipalities();
    for (; c.muni < municipalities.size(); ++c.muni, c.town = 0) {
        const MunicipalityRecord& m = municipalities[c.muni];
        if (!rangeHolds(c.query, m.lowCode7, m.highCode7, m.lowOldCode, m.highOldCode)) continue;
        // The town cursor of the engine is shared with the other lookups, so
        // the towns already returned are read again and stepped over.
        TownCandidate candidate;
        std::size_t read = 0;
        bool restart = true;
        BlockErrorWatch watch(engine);
        while (engine.nextTown(restart, c.muni, candidate)) {
            restart = false;
            ++read;
            if (read <= c.town) continue;
            c.town = read;
            if (!codeMatches(c.query, candidate.oldCode, candidate.code7)) continue;
            town = candidate;
            townParts(engine, c.muni, town, parts);
            return searchFlags(parts.town, parts.note);
        }
        if (watch.failed()) {
            c.active = false;
            return 0;
        }
    }
    c.active = false;
    engine.setLastError(kErrCode);
    return 0;
}

int codeDecision(ZipEngine& engine, std::string_view codeText, AddressParts& parts) {
    parts = AddressParts{};
    if (!engine.isOpen()) {
        engine.setLastError(kErrNotOpen);
        return 0;
    }
    auto query = parseCodeText(codeText);
    if (!query) {
        engine.setLastError(kErrCode);
        return 0;
    }
    const auto& municipalities = engine.municipalities();
    bool any = false;
    bool cleared[5] = {};
    for (std::size_t i = 0; i < municipalities.size(); ++i) {
        const MunicipalityRecord& m = municipalities[i];
        if (!rangeHolds(*query, m.lowCode7, m.highCode7, m.lowOldCode, m.highOldCode)) continue;
        TownCandidate candidate;
        AddressParts next;
        bool restart = true;
        BlockErrorWatch watch(engine);
        while (engine.nextTown(restart, i, candidate)) {
            restart = false;
            if (!codeMatches(*query, candidate.oldCode, candidate.code7)) continue;
            townParts(engine, i, candidate, next);
            if (!any) {
                parts = next;
                any = true;
                continue;
            }
            // A level that differs clears itself and every level below it.
            std::string* levels[5] = {&parts.prefecture, &parts.city, &parts.ward, &parts.town,
                                      &parts.note};
            const std::string* others[5] = {&next.prefecture, &next.city, &next.ward, &next.town,
                                            &next.note};
            for (int level = 0; level < 5; ++level) {
                if (cleared[level] || *levels[level] == *others[level]) continue;
                for (int below = level; below < 5; ++below) {
                    levels[below]->clear();
                    cleared[below] = true;
                }
                break;
            }
            if (cleared[0]) {
                parts = AddressParts{};
                engine.setLastError(kErrCode);
                return 0;
            }
        }
        if (watch.failed()) {
            parts = AddressParts{};
            return 0;
        }
    }
    if (parts.prefecture.empty()) {
        parts = AddressParts{};
        engine.setLastError(kErrCode);
        return 0;
    }
    if (parts.city.empty()) parts.ward.clear(), parts.town.clear();
    if (parts.town.empty()) parts.note.clear();
    return searchFlags(parts.town, parts.note);
}

}  // namespace keszip
