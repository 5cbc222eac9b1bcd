#include "tel_engine.h"

#include <algorithm>

#include "src/code_search.h"

namespace keszip::tel {
namespace {

constexpr std::size_t kShortestNumber = 2;
constexpr std::size_t kLongestNumber = 11;

// The length of a number leaves its hyphens out, so that a whole number
// written with them (03-3211-4321) is taken.
bool numberLengthOk(std::string_view number) {
    const auto hyphens = static_cast<std::size_t>(std::count(number.begin(), number.end(), '-'));
    const std::size_t length = number.size() - hyphens;
    return length >= kShortestNumber && length <= kLongestNumber;
}

// The first `length` characters of two decimal keys compared as bytes; a key
// shorter than `length` ends with a terminator that sorts below every digit.
int compareKeyPrefix(const std::string& a, const std::string& b, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const int ca = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        const int cb = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
    return 0;
}

enum Level { kCityLevel, kWardLevel, kTownLevel, kNoteLevel };

// Empties `level` and every level below it.
void clearFrom(AddressParts& parts, Level level) {
    switch (level) {
        case kCityLevel:
            parts.city.clear();
            [[fallthrough]];
        case kWardLevel:
            parts.ward.clear();
            [[fallthrough]];
        case kTownLevel:
            parts.town.clear();
            [[fallthrough]];
        case kNoteLevel:
            parts.note.clear();
    }
}

}  // namespace

bool keyRangeCovers(const std::string& key, const std::string& low, const std::string& high) {
    if (compareKeyPrefix(key, low, key.size()) >= 0 && compareKeyPrefix(key, high, key.size()) <= 0)
        return true;
    for (std::size_t length = 1; length < key.size(); ++length) {
        const std::string_view part(key.data(), length);
        if (part >= low && part <= high) return true;
    }
    return false;
}

TelephoneEngine::TelephoneEngine(std::string directory)
    : dictionary_(std::move(directory), DictionaryKind::Telephone) {}

bool TelephoneEngine::open() { return dictionary_.isOpen() || dictionary_.open(); }

int TelephoneEngine::close() {
    endEnumeration();
    return dictionary_.close();
}

void TelephoneEngine::endEnumeration() {
    running_ = false;
    muni_ = 0;
    townsRead_ = 0;
}

// A municipality is read only when its key range covers the number's key.
bool TelephoneEngine::candidate(std::size_t muni, const std::string& key) const {
    const MunicipalityRecord& m = dictionary_.municipalities()[muni];
    return keyRangeCovers(key, std::to_string(m.lowOldCode), std::to_string(m.highOldCode));
}

bool TelephoneEngine::hit(const TownCandidate& town, std::string_view number) const {
    for (std::uint32_t code : town.telCodes)
        if (matchesTelCode(number, formatTelCode(code))) return true;
    return false;
}

void TelephoneEngine::fillParts(std::size_t muni, const TownCandidate& town,
                                AddressParts& parts) const {
    townParts(dictionary_, muni, town, parts);
    parts.prefecture = std::string(prefectureName(dictionary_.municipalities()[muni].code / 1000));
}

int TelephoneEngine::nextAddress(bool first, std::string_view number, int baseDate,
                                 TelAddress& out) {
    if (!open()) return 0;
    if (first) {
        endEnumeration();
        if (!numberLengthOk(number)) {
            dictionary_.setLastError(kErrCode);
            return 0;
        }
        number_.assign(number);
        key_ = std::to_string(telKey(number));
        running_ = true;
    }
    if (!running_) {
        dictionary_.setLastError(kErrCode);
        return 0;
    }
    const auto& municipalities = dictionary_.municipalities();
    for (; muni_ < municipalities.size(); ++muni_, townsRead_ = 0) {
        if (!candidate(muni_, key_)) continue;
        // The town cursor is shared with the other telephone lookups, so the
        // towns already looked at are read again and stepped over.
        TownCandidate town;
        std::size_t read = 0;
        bool restart = true;
        while (dictionary_.nextTown(restart, muni_, town)) {
            restart = false;
            if (++read <= townsRead_) continue;
            townsRead_ = read;
            if (!hit(town, number_)) continue;
            out = TelAddress{};
            out.code7 = town.code7;
            out.codes = listTelCodes(town, baseDate);
            fillParts(muni_, town, out.parts);
            return searchFlags(out.parts.town, out.parts.note);
        }
    }
    endEnumeration();
    dictionary_.setLastError(kErrCode);
    return 0;
}

int TelephoneEngine::decision(std::string_view number, AddressParts& out) {
    out = AddressParts{};
    if (!open()) return 0;
    if (!numberLengthOk(number)) {
        dictionary_.setLastError(kErrCode);
        return 0;
    }
    const std::string key = std::to_string(telKey(number));
    const auto& municipalities = dictionary_.municipalities();
    bool any = false;
    for (std::size_t muni = 0; muni < municipalities.size(); ++muni) {
        if (!candidate(muni, key)) continue;
        TownCandidate town;
        bool restart = true;
        while (dictionary_.nextTown(restart, muni, town)) {
            restart = false;
            if (!hit(town, number)) continue;
            AddressParts parts;
            fillParts(muni, town, parts);
            if (!any) {
                out = parts;
                any = true;
                continue;
            }
            // Levels that differ are emptied with everything below them;
            // levels already empty are not compared again.
            if (parts.prefecture != out.prefecture) {
                out = AddressParts{};
                dictionary_.setLastError(kErrCode);
                return 0;
            }
            if (!out.city.empty() && parts.city != out.city) clearFrom(out, kCityLevel);
            if (!out.ward.empty() && parts.ward != out.ward) clearFrom(out, kWardLevel);
            if (!out.town.empty() && parts.town != out.town) clearFrom(out, kTownLevel);
            if (!out.note.empty() && parts.note != out.note) clearFrom(out, kNoteLevel);
        }
    }
    if (!any || out.prefecture.empty()) {
        out = AddressParts{};
        dictionary_.setLastError(kErrCode);
        return 0;
    }
    if (out.city.empty()) clearFrom(out, kWardLevel);
    if (out.town.empty()) clearFrom(out, kNoteLevel);
    return searchFlags(out.town, out.note);
}

}  // namespace keszip::tel
