#include "lookup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "address_number.h"
#include "fold.h"
#include "shift_jis_text.h"
#include "town_matcher.h"

namespace keszip {
namespace {

constexpr int kTokyoIndex = 12;
constexpr int kTokyoCode = 13;
constexpr int kHiroshimaIndex = 33;
constexpr int kHiroshimaCode = 34;

// Length of `name` when it is a non-empty prefix of `text`, else 0. An empty
// folded name would otherwise match every address.
std::size_t prefixMatch(std::string_view text, std::string_view name) {
    // The first byte rules out nearly every name before a full comparison.
    if (name.empty() || name.size() > text.size() || name[0] != text[0]) return 0;
    return std::memcmp(text.data(), name.data(), name.size()) == 0 ? name.size() : 0;
}

// The first record index from `from` on, in ascending order, for which
// `test` holds: among the indexes `ofPrefecture` when `onePrefecture`, else
// among all `count` records. `count` when there is none.
template <typename Test>
std::size_t firstRecord(bool onePrefecture, const std::vector<std::uint16_t>& ofPrefecture,
                        std::size_t count, std::size_t from, Test test) {
    if (!onePrefecture) {
        for (std::size_t i = from; i < count; ++i)
            if (test(i)) return i;
        return count;
    }
    auto it = std::lower_bound(ofPrefecture.begin(), ofPrefecture.end(), from);
    for (; it != ofPrefecture.end(); ++it)
        if (test(*it)) return *it;
    return count;
}

void writeError(const LookupTargets& targets, const char* text) {
    copyText(targets.code7, 8, text);
}

// Removes the folded 大字 ("大ｱｻﾞ", or "ｵｵｱｻﾞ" from a reading) that many
// addresses carry before the town name but the dictionary leaves out,
// except in the few towns whose names really contain it.
void removeOaza(std::string& text, bool telephone) {
    static const std::string kKanji = "\x91\xE5\xB1\xBB\xDE";  // 大ｱｻﾞ
    static const std::string kKanjiKeep =
        "\x93\xDF\x89\xC1\x8B\xCB\x96\xEC\x8A\x4F\x93\xF1\x8F\x8A\x91\xE5\xB1\xBB\xDE\x93\xFC\x89"
        "\xEF\x92\x6E";  // 那加桐野外二所大ｱｻﾞ入会地
    static const std::string kReading = "\xB5\xB5\xB1\xBB\xDE";  // ｵｵｱｻﾞ
    static const std::string kReadingKeep1 =
        "\xB6\xB6\xD0\xB6\xDE\xCA\xD7\xBC\xC5\xB6\xB7\xD8\xC9\xCE\xB6\xC6\xB6\xBC\xD6\xB5\xB5\xB1"
        "\xBB\xDE\xC6\xD5\xB3\xB6\xB2\xC1";  // ｶｶﾐｶﾞﾊﾗｼﾅｶｷﾘﾉﾎｶﾆｶｼﾖｵｵｱｻﾞﾆﾕｳｶｲﾁ
    static const std::string kReadingKeep2 =
        "\xB6\xBC\xB5\xB5\xB1\xBB\xDE\xB6\xCF\xC1";  // ｶｼｵｵｱｻﾞｶﾏﾁ
    // The telephone dictionary knows neither the 那加 exception nor the first
    // reading exception.
    if (telephone || !containsText(text, kKanjiKeep)) {
        if (auto at = findText(text, kKanji); at != std::string::npos)
            text.erase(at, kKanji.size());
    }
    if ((telephone || !containsText(text, kReadingKeep1)) && !containsText(text, kReadingKeep2)) {
        if (auto at = findText(text, kReading); at != std::string::npos)
            text.erase(at, kReading.size());
    }
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWithText(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Number of ASCII digits at `at`.
std::size_t digitsAt(std::string_view text, std::size_t at) {
    std::size_t n = 0;
    while (at + n < text.size() && isAsciiDigit(text[at + n])) ++n;
    return n;
}

// Length of a postal code at the start of the folded text ("〒100-0013",
// "100-0013", "〒1000013"), with the blanks after it; 0 when there is none.
// Seven digits without 〒 or hyphen are taken only before a blank.
std::size_t leadingPostalCode(std::string_view text) {
    static const std::string kMark = "\x81\xA7";  // 〒
    std::size_t at = 0;
    const bool marked = startsWithText(text, kMark);
    if (marked) at = kMark.size();
    while (at < text.size() && text[at] == '*') ++at;
    std::size_t end = 0;
    if (digitsAt(text, at) == 3 && at + 3 < text.size() && text[at + 3] == '-' &&
        digitsAt(text, at + 4) == 4) {
        end = at + 8;
    } else if (digitsAt(text, at) == 7 &&
               (marked || (at + 7 < text.size() && text[at + 7] == '*'))) {
        end = at + 7;
    } else {
        return 0;
    }
    while (end < text.size() && text[end] == '*') ++end;
    return end < text.size() ? end : 0;  // an address must follow
}

// The seven digits of a leading postal code of `length` bytes.
std::uint32_t postalCodeValue(std::string_view text, std::size_t length) {
    std::uint32_t code = 0;
    for (char c : text.substr(0, length))
        if (isAsciiDigit(c)) code = code * 10 + static_cast<std::uint32_t>(c - '0');
    return code;
}

// Takes off what address lists write around an address: blanks, a leading
// postal code (its value goes to `leadingCode`), quotes or brackets around
// the whole address and a leading note in parentheses ("(前期)長野ｹﾝ…").
// The folded text is changed in place; an address without any of them
// stays as it is.
void removeSurroundings(std::string& text, std::uint32_t& leadingCode) {
    static const std::pair<std::string, std::string> kQuotes[] = {
        {"\xA2", "\xA3"}, {"\"", "\""}, {"'", "'"}, {"[", "]"}, {"<", ">"}};
    for (bool changed = true; changed && !text.empty();) {
        changed = false;
        std::size_t lead = 0;
        while (lead < text.size() && text[lead] == '*') ++lead;
        if (lead > 0) {
            text.erase(0, lead);
            changed = true;
            continue;
        }
        if (std::size_t code = leadingPostalCode(text)) {
            if (leadingCode == 0) leadingCode = postalCodeValue(text, code);
            text.erase(0, code);
            changed = true;
            continue;
        }
        for (const auto& [open, close] : kQuotes) {
            if (!startsWithText(text, open)) continue;
            std::string_view rest(text);
            rest.remove_prefix(open.size());
            const std::size_t end = findText(rest, close);
            if (end == std::string::npos) {
                text.erase(0, open.size());  // an unclosed quote
            } else if (end + close.size() == rest.size() ||
                       rest.find_first_not_of('*', end + close.size()) == std::string::npos) {
                text = std::string(rest.substr(0, end));  // around the whole address
            } else {
                continue;
            }
            changed = true;
            break;
        }
        if (changed) continue;
        // A note in parentheses before the address.
        if (text[0] == '(') {
            const std::size_t close = findText(text, ")");
            if (close != std::string::npos && close + 1 < text.size()) {
                text.erase(0, close + 1);
                changed = true;
            }
        }
    }
}

void removeParentheses(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c) && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
        } else if (c != '(' && c != ')') {
            out += text[i];
        }
    }
    text = std::move(out);
}

// Moves on to the next municipality, through further cities and, for an
// assumed prefecture, without it, as long as anything is left to try.
// False when nothing is left.
bool findNextMunicipality(ZipEngine& engine) {
    MatchState& m = engine.match;
    matchMunicipality(engine);
    while (!m.muniFound) {
        if (!m.cityFound) {
            if (!m.prefFound || m.prefLength > 0) return false;
            m.prefFound = false;
            m.cityCursor = -1;
        }
        matchCity(engine);
        m.muniCursor = -1;
        matchMunicipality(engine);
    }
    return true;
}

std::uint32_t writtenCode(const LookupTargets& targets, std::uint32_t fallback) {
    if (!targets.code7) return fallback;
    std::uint32_t code = 0;
    for (int i = 0; i < 7; ++i) {
        char c = targets.code7[i];
        if (c < '0' || c > '9') return fallback;
        code = code * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return code;
}

void writeCode7(const LookupTargets& targets, std::uint32_t code) {
    if (targets.code7) std::snprintf(targets.code7, 8, "%07u", code);
}

// A few towns share a code in the data although their mail goes elsewhere;
// the address as written tells them apart.
std::uint32_t applyFixedCorrections(std::uint32_t code, std::string_view address) {
    static const std::string kTsutsujigaoka = "\x9E\xD6\x89\xAA";               // 榴岡
    static const std::string kYashiki = "\x89\xAE\x95\x7E";                     // 屋敷
    static const std::string kKoshienCho = "\x8D\x62\x8E\x71\x89\x80\x92\xAC";  // 甲子園町
    if (code == 9830851 && containsText(address, kTsutsujigaoka)) return 9830852;
    if (code == 4411335 && containsText(address, kYashiki)) return 4411336;
    if (code >= 6638163 && code <= 6638179 && containsText(address, kKoshienCho)) return 6638152;
    return code;
}

int prefectureIndex(const ZipEngine& engine, int code) {
    const auto& prefectures = engine.prefectures();
    for (std::size_t i = 0; i < prefectures.size(); ++i)
        if (prefectures[i].code == code) return static_cast<int>(i);
    return -1;
}

// A municipality name written without prefecture or city may stand for
// several municipalities (伊達市 in Hokkaido and in Fukushima). When the one
// found first knows only its generic code for the address, the others of the
// same name are tried in order, and the first that knows the town is taken:
// its flags are returned and the targets and the match state are its own.
// 0 when none knows it; the targets and the state are then left as the first
// municipality left them.
int tryNamesakes(ZipEngine& engine, std::string_view address, const LookupTargets& targets,
                 TownMatcher townMatcher) {
    MatchState& m = engine.match;
    const auto& municipalities = engine.municipalities();
    const auto first = static_cast<std::size_t>(m.muniCursor);
    const auto start = static_cast<std::size_t>(m.muniOffset);
    const auto end = static_cast<std::size_t>(m.muniOffset + m.muniLength);
    if (first >= municipalities.size() || end > m.workText.size()) return 0;
    const std::string written = m.workText.substr(start, end - start);
    const MatchState saved = m;
    const int savedJisCode = engine.currentJisCode;
    for (std::size_t i = 0; i < municipalities.size(); ++i) {
        const MunicipalityRecord& r = municipalities[i];
        // Records with the first one's code are parts of the same municipality.
        if (r.code == municipalities[first].code) continue;
        if (r.foldedName != written && r.foldedReading != written) continue;
        char code7[16] = {}, oldCode[16] = {}, number[kAddressNumberLength + 1] = {};
        const std::string_view rest = std::string_view(m.workText).substr(end);
        const int flags = townMatcher(engine, i, rest, address, {code7, oldCode, number});
        if (flags == 0 || writtenCode({code7, nullptr, nullptr}, 0) % 100 == 0) continue;
        copyText(targets.code7, 9, code7);
        copyText(targets.oldCode, 7, oldCode);
        if (targets.addressNumber) std::memcpy(targets.addressNumber, number, sizeof number);
        m.muniFound = true;
        m.muniCursor = static_cast<int>(i);
        m.cityOmitted = (r.cityIndex >= 0 && !m.cityFound) ? 1 : 0;
        m.prefFound = true;
        m.prefCode = r.code / 1000;
        m.prefIndex = prefectureIndex(engine, m.prefCode);
        m.prefLength = 0;
        engine.currentJisCode = r.code;
        return flags;
    }
    m = saved;
    engine.currentJisCode = savedJisCode;
    return 0;
}

}  // namespace

std::string foldAddress(const ZipEngine& engine, std::string_view address,
                        std::uint32_t* leadingCode) {
    std::string text = foldText(address, kFoldMatching, engine.foldSettings());
    std::uint32_t code = 0;
    removeSurroundings(text, code);
    if (leadingCode) *leadingCode = code;
    removeOaza(text, engine.kind() == DictionaryKind::Telephone);
    removeParentheses(text);
    return text;
}

void matchPrefecture(ZipEngine& engine) {
    MatchState& m = engine.match;
    const auto& prefectures = engine.prefectures();
    m.prefFound = false;
    for (std::size_t i = 0; i < prefectures.size(); ++i) {
        std::size_t length = prefixMatch(m.workText, prefectures[i].foldedName);
        if (length == 0) length = prefixMatch(m.workText, prefectures[i].foldedReading);
        if (length > 0) {
            m.prefFound = true;
            m.prefIndex = static_cast<int>(i);
            m.prefCode = prefectures[i].code;
            m.prefLength = static_cast<int>(length);
            return;
        }
    }
}

void matchCity(ZipEngine& engine) {
    MatchState& m = engine.match;
    const auto& cities = engine.cities();
    std::string_view text(m.workText);
    std::size_t start = m.prefFound ? static_cast<std::size_t>(m.prefLength) : 0;
    text = text.substr(start < text.size() ? start : text.size());
    m.cityFound = false;
    static const std::string kHigashiHiroshima = "\x93\x8C\x8D\x4C\xBC\xCF";  // 東広ｼﾏ
    static const std::string kHigashiOsaka = "\x93\x8C\x91\xE5\x8D\xE3";      // 東大阪
    if (text.substr(0, kHigashiHiroshima.size()) == kHigashiHiroshima ||
        text.substr(0, kHigashiOsaka.size()) == kHigashiOsaka) {
        m.cityCursor = static_cast<int>(cities.size());
        return;
    }
    std::size_t length = 0;
    const std::size_t i =
        firstRecord(m.prefFound, engine.citiesOf(m.prefCode), cities.size(),
                    static_cast<std::size_t>(m.cityCursor + 1), [&](std::size_t i) {
                        length = prefixMatch(text, cities[i].foldedName);
                        if (length == 0) length = prefixMatch(text, cities[i].foldedReading);
                        return length > 0;
                    });
    m.cityCursor = static_cast<int>(i);
    if (i == cities.size()) return;
    const CityRecord& c = cities[i];
    m.cityFound = true;
    m.cityOffset = static_cast<int>(start);
    m.cityLength = static_cast<int>(length);
    m.cityLow = c.lowCode;
    m.cityHigh = c.highCode;
}

void matchMunicipality(ZipEngine& engine) {
    MatchState& m = engine.match;
    const auto& municipalities = engine.municipalities();
    std::size_t start = 0;
    if (m.cityFound) {
        start = static_cast<std::size_t>(m.cityOffset + m.cityLength);
    } else if (m.prefFound) {
        start = static_cast<std::size_t>(m.prefLength);
    }
    std::string_view text(m.workText);
    text = text.substr(start < text.size() ? start : text.size());
    m.muniFound = false;
    const std::size_t from = static_cast<std::size_t>(m.muniCursor + 1);
    for (int pass = 0; pass < 2; ++pass) {
        std::size_t length = 0;
        const std::size_t i =
            firstRecord(m.prefFound, engine.municipalitiesOf(m.prefCode), municipalities.size(),
                        from, [&](std::size_t i) {
                            const MunicipalityRecord& r = municipalities[i];
                            if (m.cityFound && (r.code < m.cityLow || r.code > m.cityHigh))
                                return false;
                            length = prefixMatch(text, pass == 0 ? r.foldedName : r.foldedReading);
                            return length > 0;
                        });
        if (i < municipalities.size()) {
            const MunicipalityRecord& r = municipalities[i];
            m.muniFound = true;
            m.cityOmitted = (r.cityIndex >= 0 && !m.cityFound) ? 1 : 0;
            m.muniCursor = static_cast<int>(i);
            m.muniOffset = static_cast<int>(start);
            m.muniLength = static_cast<int>(length);
            engine.currentJisCode = r.code;
            return;
        }
    }
}

int lookupAddressAsWritten(ZipEngine& engine, std::string_view address,
                           const LookupTargets& targets, TownMatcher townMatcher) {
    if (!townMatcher) townMatcher = matchTown;
    if (!engine.isOpen()) {
        writeError(targets, "ERR-001");
        return 0;
    }
    MatchState& m = engine.match;
    std::uint32_t leadingCode = 0;
    m.workText = foldAddress(engine, address, &leadingCode);
    const bool telephone = engine.kind() == DictionaryKind::Telephone;
    // A postal code written before the address that is not the code found
    // is reported rather than passed over.
    auto checked = [&](int flags, std::uint32_t code) {
        return leadingCode != 0 && code != leadingCode ? flags | kFlagCodeDiffers : flags;
    };
    engine.firstAttempt = 1;
    bool hiroshimaTried = false;

    bool restartPrefecture = true;
    for (;;) {
        if (restartPrefecture) {
            matchPrefecture(engine);
            m.cityCursor = -1;
            matchCity(engine);
            if (!m.prefFound && !m.cityFound) {
                m.prefFound = true;
                m.prefIndex = kTokyoIndex;
                m.prefCode = kTokyoCode;
                m.prefLength = 0;
            }
        }
        restartPrefecture = true;

        m.muniCursor = -1;
        if (!findNextMunicipality(engine)) {
            writeError(targets, "ERR-003");
            return 0;
        }
        int flags = 0;
        for (;;) {
            std::size_t muni = static_cast<std::size_t>(m.muniCursor);
            std::size_t restStart = static_cast<std::size_t>(m.muniOffset + m.muniLength);
            std::string_view rest(m.workText);
            rest = rest.substr(restStart < rest.size() ? restStart : rest.size());
            flags = townMatcher(engine, muni, rest, address, targets);
            if (flags != 0) break;
            if (!findNextMunicipality(engine)) return 0;
        }
        if (m.prefLength == 0 && !m.cityFound && writtenCode(targets, m.best.code7) % 100 == 0) {
            if (int namesake = tryNamesakes(engine, address, targets, townMatcher))
                flags = namesake;
        }

        std::uint32_t code = writtenCode(targets, m.best.code7);
        std::uint32_t corrected = telephone ? code : applyFixedCorrections(code, address);
        if (corrected != code) {
            code = corrected;
            writeCode7(targets, code);
        }
        if (code % 100 == 0) flags |= kFlagGenericCode;
        if (!m.prefFound || m.prefLength == 0) flags |= kFlagNoPrefecture;
        if (m.muniFound && m.cityOmitted == 1) flags |= kFlagNoCity;

        // A Kyoto address that only reached a generic code may give a street
        // description the first attempt read as a town: try once more
        // without the Kyoto rewriting.
        if ((flags & kFlagGenericCode) && code >= 6000000 && code <= 6070000 &&
            engine.firstAttempt == 1) {
            m.prefLength = 0;
            engine.firstAttempt = 0;
            continue;
        }
        if (!(flags & kFlagNoPrefecture)) return checked(flags, code);
        // Without a prefecture these city names are ambiguous between two prefectures.
        if (code == 1830027 || code == 1830055 || code == 7260000) {
            writeError(targets, "ERR-005");
            return 0;
        }
        // 府中市 exists in Tokyo and in Hiroshima: an address that only
        // reached Tokyo's generic code is tried once inside Hiroshima.
        if ((flags & kFlagGenericCode) && code == 1830000 && engine.firstAttempt == 1 &&
            !hiroshimaTried) {
            hiroshimaTried = true;
            m.prefFound = true;
            m.prefIndex = kHiroshimaIndex;
            m.prefCode = kHiroshimaCode;
            m.prefLength = 0;
            m.cityFound = false;
            m.cityCursor = static_cast<int>(engine.cities().size());
            restartPrefecture = false;
            continue;
        }
        return checked(flags, code);
    }
}

}  // namespace keszip
