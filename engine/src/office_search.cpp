#include "office_search.h"

#include "code_text.h"
#include "fold.h"
#include "lookup.h"
#include "office_names.h"

namespace keszip {
namespace {

constexpr int kTokyoIndex = 12;
constexpr int kTokyoCode = 13;

// The range of local-government codes that an address names, with the
// directory matching of the address lookup; false when it names none.
bool addressRange(ZipEngine& engine, std::string_view address, int& low, int& high) {
    MatchState& m = engine.match;
    m.clear();
    m.workText = foldText(address, kFoldMatching, engine.foldSettings());
    matchPrefecture(engine);
    m.cityCursor = -1;
    matchCity(engine);
    bool assumed = false;
    if (!m.prefFound && !m.cityFound) {
        m.prefFound = true;
        m.prefIndex = kTokyoIndex;
        m.prefCode = kTokyoCode;
        m.prefLength = 0;
        assumed = true;
    }
    m.muniCursor = -1;
    matchMunicipality(engine);
    if (!m.muniFound && assumed) {
        // Not in Tokyo either: try without any prefecture.
        m.prefFound = false;
        m.cityCursor = -1;
        matchCity(engine);
        m.muniCursor = -1;
        matchMunicipality(engine);
    }
    if (m.muniFound) {
        low = high = engine.municipalities()[static_cast<std::size_t>(m.muniCursor)].code;
    } else if (m.cityFound) {
        low = m.cityLow;
        high = m.cityHigh;
    } else if (m.prefFound && m.prefLength > 0) {
        low = m.prefCode * 1000;
        high = low + 999;
    } else {
        return false;
    }
    return low != 0;
}

bool nameMatches(const OfficeNameCursor& c, const OfficeRecord& r) {
    if (r.preparedEmpty) return false;
    switch (c.match) {
        case kOfficeExact:
            return r.nameShortened.starts_with(c.text) ||
                   (!c.doubleByte && r.readingShortened == c.text);
        case kOfficeIgnoreWords:
            return r.nameRemoved.starts_with(c.text) ||
                   (!c.doubleByte && r.readingRemoved == c.text);
        default:
            return r.nameRemoved.find(c.text) != std::string::npos ||
                   (!c.doubleByte && r.readingRemoved.find(c.text) != std::string::npos);
    }
}

// Moves the cursor to the next office that `accepts`; 1 when one was found,
// else the search ends with lastError 100.
template <typename Cursor, typename Accept>
int scanOffices(ZipEngine& engine, Cursor& c, const OfficeRecord*& found, Accept&& accepts) {
    const auto& offices = engine.office.offices;
    for (; c.next < offices.size(); ++c.next) {
        if (!accepts(offices[c.next])) continue;
        found = &offices[c.next++];
        return 1;
    }
    c.active = false;
    engine.setLastError(kErrCode);
    return 0;
}

}  // namespace

bool openOffices(ZipEngine& engine) {
    if (engine.office.open) return true;
    int error =
        loadOfficeDictionary(engine.filePath("KESCMP.DIC"), engine.foldSettings(), engine.office);
    if (error == 0) return true;
    engine.setLastError(error < 0 ? kErrSignature : error);
    return false;
}

int closeOffices(ZipEngine& engine) {
    if (!engine.office.open) {
        engine.setLastError(kErrNotOpen);
        return 0;
    }
    engine.office.clear();
    engine.setLastError(kErrNone);
    return 1;
}

void jisCodeNames(const ZipEngine& engine, int code, AddressParts& parts) {
    parts = AddressParts{};
    const auto& prefectures = engine.prefectures();
    int pref = code >= 1 && code <= 99 ? code : code / 1000;
    if (pref < 1 || pref > 47 || static_cast<std::size_t>(pref) > prefectures.size()) return;
    parts.prefecture = prefectures[static_cast<std::size_t>(pref - 1)].name;
    if (code <= 99) return;
    for (const MunicipalityRecord& m : engine.municipalities()) {
        if (m.code != code) continue;
        if (m.cityIndex >= 0 && static_cast<std::size_t>(m.cityIndex) < engine.cities().size()) {
            parts.city = engine.cities()[static_cast<std::size_t>(m.cityIndex)].name;
            parts.ward = m.name;
        } else {
            parts.city = m.name;
        }
        return;
    }
}

int nextOfficeByName(ZipEngine& engine, bool first, std::string_view name, std::string_view address,
                     int match, const OfficeRecord*& found) {
    OfficeNameCursor& c = engine.office.nameSearch;
    if (first) {
        c = OfficeNameCursor{};
        if (name.empty() || name.size() > kCandidateTextLimit) {
            engine.setLastError(kErrCode);
            return 0;
        }
        std::string prepared = prepareOfficeName(name, engine.foldSettings());
        if (prepared.empty()) {
            engine.setLastError(kErrCode);
            return 0;
        }
        CompanyWordList words(engine.foldSettings());
        c.match = match;
        c.text = applyCompanyWords(
            prepared, match == kOfficeExact ? CompanyWords::shorten : CompanyWords::remove, words);
        c.doubleByte = hasDoubleByte(c.text);
        if (!address.empty() && !addressRange(engine, address, c.lowCode, c.highCode)) {
            engine.setLastError(kErrCode);
            return 0;
        }
        c.active = true;
    }
    if (!c.active) {
        engine.setLastError(kErrCode);
        return 0;
    }
    return scanOffices(engine, c, found, [&c](const OfficeRecord& r) {
        return r.jisCode >= c.lowCode && r.jisCode <= c.highCode && nameMatches(c, r);
    });
}

int nextOfficeByCode(ZipEngine& engine, bool first, std::string_view code,
                     const OfficeRecord*& found) {
    engine.currentJisCode = 0;
    if (!engine.office.open) {
        engine.setLastError(kErrNotOpen);
        return 0;
    }
    OfficeCodeCursor& c = engine.office.codeSearch;
    if (first) {
        c = OfficeCodeCursor{};
        auto query = parseCodeText(code);
        if (!query || query->value == 0) {
            engine.setLastError(kErrCode);
            return 0;
        }
        c.digits = query->digits;
        c.value = query->value;
        c.active = true;
    }
    if (!c.active) {
        engine.setLastError(kErrCode);
        return 0;
    }
    const CodeQuery query{c.digits, c.value};
    return scanOffices(engine, c, found, [&query](const OfficeRecord& r) {
        return codeMatches(query, r.oldCode, r.code7);
    });
}

}  // namespace keszip
