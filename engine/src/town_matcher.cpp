#include "town_matcher.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "address_number.h"
#include "code_text.h"
#include "numeral_split.h"
#include "town_cache.h"
#include "town_pattern.h"
#include "town_text.h"

namespace keszip {
namespace {

using namespace town;
using namespace std::string_view_literals;

constexpr std::string_view kLayerUnknown = "\x91\x77\x95\x73\x96\xBE)"sv;         // 層不明)
constexpr std::string_view kLayerUnknownReading = "\xB2\xBF\xB3\xCC\xD2\xB2)"sv;  // ｲｿｳﾌﾒｲ)
constexpr std::string_view kFloorReading = "\xB6\xB2)"sv;                         // ｶｲ)
constexpr std::string_view kExceptNote = "(\x8E\x9F\xC9\xCB\xDE\xD9\xA6\x8F\x9C\xB8)"sv;
constexpr std::string_view kExceptNoteReading =
    "(\xC2\xB7\xDE\xC9\xCB\xDE\xD9\xA6\xC9\xBF\xDE\xB8)"sv;
constexpr std::string_view kKyowaCho = "\x8B\xA4\x98\x61\x92\xAC"sv;               // 共和町
constexpr std::string_view kNagaraHigashi = "\x92\xB7\x97\xC7\x93\x8C\x92\xAC"sv;  // 長良東町
constexpr std::string_view kLot5No3 =
    "5\xC9"
    "3"sv;  // 5ﾉ3
constexpr std::string_view kLot5No3Kawahira =
    "5\xC9"
    "3\x90\xEC\x95\xBD"sv;                              // 5ﾉ3川平
constexpr std::string_view kStreetListEnd = ")\xA4"sv;  // )､
constexpr std::string_view kFullOpen = "\x81\x69"sv;    // （
constexpr std::string_view kAza = "\xB1\xBB\xDE"sv;     // ｱｻﾞ (字)

constexpr int kFlagFound = 1;
constexpr int kFlagStreet = 3;

bool isKyotoWard(int code) { return code >= 26101 && code <= 26111; }

// Skips what may stand between the municipality name and the town: up to
// the first double-byte character, digit, upper-case letter or kana.
std::string_view townPart(std::string_view rest) {
    std::size_t i = 0;
    for (; i < rest.size(); ++i) {
        auto c = static_cast<unsigned char>(rest[i]);
        if (isLeadByte(c) || isDigit(rest[i]) || (c >= 'A' && c <= 'Z') ||
            (c >= 0xB1 && c <= 0xDD) || c == 0xA6)
            break;
    }
    return rest.substr(i);
}

// The town is written in kanji when, after any leading digits, a double-byte
// character comes before the next digit; otherwise in its reading.
bool writtenInKanji(std::string_view p) {
    std::size_t i = 0;
    while (i < p.size() && isDigit(p[i])) ++i;
    for (; i < p.size(); ++i) {
        if (isDigit(p[i])) return false;
        if (isLeadByte(static_cast<unsigned char>(p[i]))) return true;
    }
    return false;
}

bool hasTextAt(std::string_view text, std::size_t pos, std::string_view word) {
    return pos <= text.size() && startsWith(text.substr(pos), word);
}

// The name of a town before its note, empty for a pattern listing names.
std::string_view baseName(std::string_view pattern) {
    const std::size_t open = findByte(pattern, '(');
    const std::string_view base = pattern.substr(0, open);
    return findByte(base, kListComma) == std::string_view::npos ? base : std::string_view();
}

// End of a direction word of a Kyoto street description at `i`, or 0:
// 上る, 下る (folded 上, 下, or 上ｶﾞﾙ, 下ｶﾞﾙ from 上がる, 下がる), 東入, 西入
// (入ル and 入る fold to 入).
std::size_t directionEnd(std::string_view p, std::size_t i) {
    static constexpr std::string_view kUp = "\x8F\xE3"sv, kDown = "\x89\xBA"sv;  // 上 下
    static constexpr std::string_view kEast = "\x93\x8C\x93\xFC"sv;              // 東入
    static constexpr std::string_view kWest = "\x90\xBC\x93\xFC"sv;              // 西入
    static constexpr std::string_view kGaru = "\xB6\xDE\xD9"sv;                  // ｶﾞﾙ
    std::size_t end = 0;
    if (hasTextAt(p, i, kUp) || hasTextAt(p, i, kDown)) {
        end = i + 2;
        if (hasTextAt(p, end, kGaru)) end += kGaru.size();
    } else if (hasTextAt(p, i, kEast) || hasTextAt(p, i, kWest)) {
        end = i + 4;
    }
    if (end > 0 && end < p.size() && p[end] == '\xD9') ++end;  // a ﾙ folding left
    return end;
}

// A Kyoto address describes its place by a street, a cross street and one or
// more directions (寺町通三条下る, 白川筋三条下る四筋目西入), then names the
// town: the town is the name after the last direction, never a street name
// before it. Returns that town's name (folded, as its pattern begins), or
// empty when no street description is followed by a town name of the ward.
// A 上 or 下 that lies inside the town name found after an earlier direction
// (下る上樵木町) is part of that name, not a direction.
std::string_view townAfterStreet(std::string_view p, const TownList& towns,
                                 std::string_view& after) {
    static constexpr std::string_view kStreet = "\x92\xCA"sv, kLane = "\x8B\xD8"sv;  // 通 筋
    std::size_t i = 0;
    for (; i < p.size(); i += charLength(p, i))
        if (hasTextAt(p, i, kStreet) || hasTextAt(p, i, kLane)) break;
    if (i >= p.size()) return {};
    i += 2;
    if (i < p.size()) i += charLength(p, i);  // the cross street's first character
    std::string_view found;
    std::size_t foundEnd = 0;
    for (; i < p.size(); i += charLength(p, i)) {
        const std::size_t end = directionEnd(p, i);
        if (end == 0 || i < foundEnd) continue;
        const std::string_view tail = p.substr(end);
        std::string_view longest;
        for (const PreparedTown& town : towns.towns) {
            if (town.generic) continue;
            const std::string_view name = baseName(town.kanjiPattern);
            if (name.size() >= 4 && name.size() > longest.size() && startsWith(tail, name))
                longest = name;
        }
        if (longest.empty()) continue;
        found = longest;
        foundEnd = end + longest.size();
    }
    after = p.substr(std::min(foundEnd, p.size()));
    return found;
}

std::size_t commonPrefix(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

void writeError(const LookupTargets& targets, const char* text) {
    copyText(targets.code7, 8, text);
}

void writeTargets(const LookupTargets& targets, std::uint32_t code7, std::uint32_t oldCode,
                  std::string_view p, std::size_t townDigits) {
    char buffer[16];
    if (targets.code7) {
        writeZeroPadded(buffer, static_cast<unsigned>(code7 % 100000000u), 7);
        copyText(targets.code7, 9, buffer);
    }
    if (targets.oldCode) {
        unsigned old = static_cast<unsigned>(oldCode % 10000000u);
        if (old % 100 == 0) {
            std::size_t n = writeZeroPadded(buffer, old / 100, 3);
            std::memcpy(buffer + n, "  ", 3);
        } else {
            writeZeroPadded(buffer, old, 5);
        }
        copyText(targets.oldCode, 7, buffer);
    }
    if (targets.addressNumber) {
        if (code7 % 100 == 0) {
            std::memset(targets.addressNumber, 0, kAddressNumberLength + 1);
        } else {
            addressNumber(p, townDigits, targets.addressNumber);
        }
    }
}

// The matcher over one municipality's prepared towns.
class TownMatcher {
  public:
    // `quickTest` skips towns whose leading text the address does not
    // have without running the full comparison.
    TownMatcher(ZipEngine& engine, const MunicipalityRecord& muni, std::string_view rest,
                std::string_view address, bool quickTest)
        : engine_(engine),
          muni_(muni),
          p_(townPart(rest)),
          address_(address),
          quickTest_(quickTest),
          // The telephone dictionary has none of the postal special cases.
          postal_(engine.kind() == DictionaryKind::Postal) {
        match_.setInput(p_);
        match_.municipalityCode = muni.code;
        kanjiForm_ = writtenInKanji(p_);
        // Towns the address cannot name are passed over cheaply, except where
        // the matcher looks at every town whatever its leading text.
        skipping_ =
            quickTest && muni.townCount > 1 && !(engine.firstAttempt && isKyotoWard(muni.code));
        const ElementList& in = match_.inputElements;
        if (in.count > 0 && in.items[0].kind == ElementKind::Text) {
            const std::string_view t = in.items[0].text;
            if (!t.empty()) leadByte_ = static_cast<unsigned char>(t[0]);
            if (t.size() > kMachime.size() && startsWith(t, kMachime))
                leadByteAfterMachime_ = static_cast<unsigned char>(t[kMachime.size()]);
        }
        if ((muni.flags & 1) && p_.size() >= 2)
            inputHead_ = static_cast<std::uint16_t>(static_cast<unsigned char>(p_[0]) << 8 |
                                                    static_cast<unsigned char>(p_[1]));
    }

    // Compares the towns with the address; then foundTown() tells whether
    // one of them matched (rather than only a fallback).
    void search(const TownList& list) {
        const std::size_t count = list.towns.size();
        for (std::size_t i = 0; i < count; ++i) {
            last_ = &list.towns[i];
            if (skipping_ && !exceptionSeen_ && cannotMatch(list.keys[i])) continue;
            if (!consider(list.towns[i])) break;
        }
    }

    // Only towns of this name are compared (the town a Kyoto street
    // description leads to); when none of their entries matches, the entry
    // without a note, or else the first, is the answer.
    // The address number is then read from `after`, the text after the name.
    void requireName(std::string_view name, std::string_view after) {
        requiredName_ = name;
        afterName_ = after;
    }

    bool foundTown() const { return best_ != nullptr; }
    int score() const { return bestScore_; }
    // No town, nor a building's entry: at most the generic code; or a town
    // whose name is only the beginning of the name written (大麻 for 大麻泉).
    bool nothingButGeneric() const { return !best_ && !floorUnknown_ && !exception_; }
    bool namePartly() const { return best_ && bestNamed_ > 0 && !wholeName(bestNamed_); }
    std::string_view input() const { return p_; }

    // Fills the candidate slots and the targets from the search; returns
    // the flags, or 0 with an error text.
    int finish(const LookupTargets& targets) {
        MatchState& state = engine_.match;
        setSlot(state.generic, generic_);
        setSlot(state.buildingException, exception_);
        setSlot(state.floorUnknown, floorUnknown_);
        setSlot(state.current, last_);
        if (!best_) {
            best_ = floorUnknown_ ? floorUnknown_
                    : exception_  ? exception_
                    : namedEntry_ ? namedEntry_
                                  : generic_;
            bestFlags_ = kFlagFound;
            bestSplit_ = nullptr;
        }
        setSlot(state.best, best_);
        if (!best_) {
            writeError(targets, "ERR-999");
            return 0;
        }
        if (state.best.code7 == 4740000 && containsText(address_, kKyowaCho)) {
            writeError(targets, "ERR-006");
            return 0;
        }
        if (postal_ && state.best.code7 == 5020082 && containsText(address_, kNagaraHigashi))
            state.best.code7 = 5020043;
        std::size_t digits = kanjiForm_ || bestSplit_ ? best_->kanjiDigits : best_->readingDigits;
        std::string_view numbers = bestSplit_ ? std::string_view(bestSplit_->input) : p_;
        if (!requiredName_.empty()) {
            numbers = afterName_;
            digits = 0;
        }
        writeTargets(targets, state.best.code7, state.best.oldCode, numbers, digits);
        return bestFlags_;
    }

  private:
    static void setSlot(TownCandidate& slot, const PreparedTown* town) {
        if (town) {
            slot = town->town;
        } else {
            slot.clear();
        }
    }

    void takeBest(const PreparedTown& town, int score, int flags,
                  const NumeralSplit* split = nullptr, std::size_t named = 0) {
        best_ = &town;
        bestScore_ = score;
        bestFlags_ = flags;
        bestSplit_ = split;
        bestNamed_ = named;
        bestWritten_ = false;
    }

    // Length of the town's name (the pattern before its note) when the
    // address begins with it, else 0. A pattern listing several names names
    // none of them alone.
    std::size_t writtenName(std::string_view pattern) const {
        std::size_t i = 0;
        for (; i < pattern.size(); i += charLength(pattern, i)) {
            const char c = pattern[i];
            if (c == '(' || c == kOpenQuote) break;
            if (c == kListComma || c == kMiddleDot) return 0;
        }
        return i > 0 && startsWith(p_, pattern.substr(0, i)) ? i : 0;
    }

    // Whether the address's name ends after `length` bytes: at a number, a
    // mark or the end (生野屋西 is not the whole name in 生野屋西村).
    bool wholeName(std::size_t length) const {
        return length == p_.size() || static_cast<unsigned char>(p_[length]) < 0x80;
    }

    // Whether a match of `town` replaces the best so far. Where both towns'
    // names begin the address and the longer one is the whole name written,
    // the longer wins (八尾木北 rather than 八尾木 with its note), whatever
    // the scores, unless the dictionary's code list puts one of them first;
    // otherwise the higher score wins.
    bool beatsBest(const PreparedTown& town, int score, std::size_t named) const {
        if (best_ && named > 0 && bestNamed_ > 0 && named != bestNamed_ && !town.inCodeList &&
            !best_->inCodeList && wholeName(std::max(named, bestNamed_)))
            return named > bestNamed_;
        return score > bestScore_;
    }

    // A town whose name ends in a numeral, compared with the address split
    // where its name ends: the split whose front is the name and that
    // matches the pattern, or null.
    NumeralSplit* matchSplit(const PreparedTown& town, std::string_view pattern, int& result) {
        if (!splitsReady_) {
            splitsReady_ = true;
            const std::string& work = engine_.match.workText;
            if (p_.data() >= work.data() && p_.data() <= work.data() + work.size()) {
                numeralSplits(engine_, address_, work,
                              static_cast<std::size_t>(p_.data() - work.data()), splits_);
                for (auto& split : splits_) split->match.municipalityCode = muni_.code;
            }
        }
        const std::string_view name = pattern.substr(0, town.numeralName);
        for (auto& split : splits_) {
            if (split->town != name) continue;
            split->match.inCodeList = town.inCodeList;
            result = townPatternMatch(split->match, pattern);
            if (result != kNoMatch) return split.get();
        }
        return nullptr;
    }

    // A leading text that the quick test (mayMatch) refuses for this input
    // by its first byte alone.
    bool leadRefused(unsigned char lead) const {
        return lead != 0 && lead != leadByte_ && lead != leadByteAfterMachime_;
    }

    // True when consider() would neither take the town nor change anything:
    // its leading texts cannot begin the address and it is not a high-rise
    // entry of the address's building.
    bool cannotMatch(const TownKey& town) const {
        if (town.alwaysCompare) return false;
        if (!leadRefused(kanjiForm_ ? town.kanjiLeadByte : town.readingLeadByte)) return false;
        if (!kanjiForm_ && !leadRefused(town.kanjiLeadByte)) return false;
        return inputHead_ == 0 || (kanjiForm_ ? town.kanjiHead : town.readingHead) != inputHead_;
    }

    // Tests one town; false ends the search.
    bool consider(const PreparedTown& town) {
        const std::uint32_t code = town.town.code7;
        // Two lots of one town have codes of their own; the longer 5ﾉ3川平
        // wins whichever of the two towns comes first.
        if (postal_ &&
            ((code == 4980012 && startsWith(p_, kLot5No3) && !startsWith(p_, kLot5No3Kawahira)) ||
             (code == 4980018 && startsWith(p_, kLot5No3Kawahira)))) {
            takeBest(town, 9999, kFlagFound);
            kanjiForm_ = true;
            return true;
        }
        std::string_view pattern = kanjiForm_ ? town.kanjiPattern : town.readingPattern;
        std::size_t lead = kanjiForm_ ? town.kanjiLead : town.readingLead;
        // The buildings listed after a town "(次のビルを除く)" belong to it;
        // the first town of another name ends them.
        if (exceptionSeen_ && pattern.substr(0, exceptionShared_) != p_.substr(0, exceptionShared_))
            return false;
        if (muni_.townCount == 1) {
            takeBest(town, bestScore_, kFlagFound);
            return false;
        }
        if (town.generic) {
            generic_ = &town;
            return true;
        }
        // Hokkaido: a longer name ending in 条 only when the address has 条 there.
        if (postal_ && kanjiForm_ && muni_.code < 2000 && bestScore_ > 0 &&
            pattern.size() > static_cast<std::size_t>(bestScore_) && pattern.size() > 2 &&
            endsWithText(pattern, kJo) && !hasTextAt(p_, pattern.size() - kJo.size(), kJo))
            return true;
        if (!requiredName_.empty()) {
            if (baseName(town.kanjiPattern) != requiredName_) return true;
            if (!namedEntry_ || (namedEntry_->kanjiPattern.size() != requiredName_.size() &&
                                 town.kanjiPattern.size() == requiredName_.size()))
                namedEntry_ = &town;
        }
        if (engine_.firstAttempt && isKyotoWard(muni_.code)) {
            // A short town name anywhere in the address, as after a street
            // description ("烏丸通3条上場ﾉﾏﾁ").
            std::string_view stored = kanjiForm_ ? town.town.name : town.town.reading;
            if (stored.size() < 20 && !pattern.empty() && containsText(p_, pattern) &&
                static_cast<int>(pattern.size()) > bestScore_)
                takeBest(town, static_cast<int>(pattern.size()), kFlagFound);
            if (kanjiForm_) {
                pattern = town.kyotoPattern;
                lead = town.kyotoLead;
            }
        }
        if ((muni_.flags & 1) && pattern.size() >= 2 && p_.size() >= 2 &&
            pattern.substr(0, 2) == p_.substr(0, 2)) {
            if (pattern.size() > 7 && (endsWithText(pattern, kLayerUnknown) ||
                                       endsWithText(pattern, kLayerUnknownReading))) {
                if (buildingMatches(p_, pattern)) {
                    floorUnknown_ = &town;
                    best_ = nullptr;
                }
                return true;
            }
            if (pattern.size() > 3 &&
                (endsWithText(pattern, "F)"sv) || endsWithText(pattern, kFloorReading))) {
                if (!floorMatches(p_, pattern)) return true;
                takeBest(town, bestScore_, kFlagFound);
                return false;
            }
        }
        return comparePattern(town, pattern, lead);
    }

    int patternMatch(std::string_view pattern, std::size_t lead) {
        if (quickTest_ && !mayMatch(match_, pattern.substr(0, lead))) return kNoMatch;
        return townPatternMatch(match_, pattern);
    }

    bool comparePattern(const PreparedTown& town, std::string_view pattern, std::size_t lead) {
        match_.inCodeList = town.inCodeList;
        int result = patternMatch(pattern, lead);
        if (result == kNoMatch && !kanjiForm_) {
            pattern = town.kanjiPattern;
            result = patternMatch(pattern, town.kanjiLead);
        }
        PatternMatch* m = &match_;
        NumeralSplit* split = nullptr;
        if (result == kNoMatch && town.numeralName > 0) {
            pattern = town.kanjiPattern;
            split = matchSplit(town, pattern, result);
            if (split) m = &split->match;
        }
        if (result == kNoMatch) return true;
        if (containsText(pattern, kExceptNote) || containsText(pattern, kExceptNoteReading)) {
            exception_ = &town;
            exceptionSeen_ = true;
            exceptionShared_ = commonPrefix(p_, pattern);
            best_ = nullptr;
            return true;
        }
        // Kyoto street descriptions stand before the town name, and a split
        // input no longer begins with the name.
        const std::size_t named =
            split || (engine_.firstAttempt && isKyotoWard(muni_.code)) ? 0 : writtenName(pattern);
        // An address in kana that ties by reading with the town found so far
        // takes the town whose name it writes as the dictionary does
        // (たけくま rather than 武隈; タケクマ is only a reading).
        bool written = false;
        if (!kanjiForm_ && !split && best_ && !bestWritten_ && m->score == bestScore_ &&
            pattern.data() == town.readingPattern.data()) {
            std::string_view name = town.town.name;
            name = name.substr(0, std::min(findByte(name, '('), findText(name, kFullOpen)));
            written = !name.empty() && containsText(address_, name);
        }
        for (;;) {
            if (beatsBest(town, m->score, named) || written) {
                takeBest(town, m->score, result == kStreetMatch ? kFlagStreet : kFlagFound, split,
                         named);
                bestWritten_ = written;
                written = false;
                if (postal_ && town.town.code7 == 4500002 && floorUnknown_) best_ = nullptr;
            }
            // A street description matched without its town name: a later
            // description of the same town may match with it.
            if (result != kStreetMatch) break;
            std::size_t at = findText(pattern, kStreetListEnd);
            if (at == std::string_view::npos) break;
            pattern = pattern.substr(at + kStreetListEnd.size());
            result = townPatternMatch(*m, pattern);
            if (result == kNoMatch) break;
        }
        return true;
    }

    ZipEngine& engine_;
    const MunicipalityRecord& muni_;
    std::string_view p_;
    std::string_view address_;
    bool quickTest_;
    bool postal_;
    PatternMatch match_;
    bool kanjiForm_ = false;
    const PreparedTown* best_ = nullptr;
    int bestScore_ = -1;
    int bestFlags_ = kFlagFound;
    const NumeralSplit* bestSplit_ = nullptr;  // the split the best town matched, if any
    bool bestWritten_ = false;   // the best town's name is written as the address writes it
    std::size_t bestNamed_ = 0;  // writtenName of the best town
    std::vector<std::unique_ptr<NumeralSplit>> splits_;  // made on first need
    bool splitsReady_ = false;
    const PreparedTown* generic_ = nullptr;
    std::string_view requiredName_, afterName_;
    const PreparedTown* namedEntry_ =
        nullptr;  // first entry of requiredName_, one without note first
    const PreparedTown* exception_ = nullptr;
    const PreparedTown* floorUnknown_ = nullptr;
    const PreparedTown* last_ = nullptr;
    bool exceptionSeen_ = false;
    std::size_t exceptionShared_ = 0;
    bool skipping_ = false;
    int leadByte_ = -1, leadByteAfterMachime_ = -1;  // -1: none
    std::uint16_t inputHead_ = 0;  // high-rise municipalities: first two bytes of the input
};

// Where the town part of an address has a 字 (folded "ｱｻﾞ") that marks a
// section in many rural addresses but is not part of the dictionary's
// names: at its start (字千原), directly after a kanji (南長野字幅下) and
// after a name ending in 町, 村 or 島 (十文字町字本町, folded "ﾏﾁｱｻﾞ").
std::vector<std::size_t> azaPositions(std::string_view p) {
    static constexpr std::string_view kNameEnds[] = {"\xCF\xC1"sv, "\xD1\xD7"sv,
                                                     "\xDD\xCF"sv};  // ﾏﾁ ﾑﾗ ﾝﾏ
    std::vector<std::size_t> at;
    if (findText(p, kAza) == std::string_view::npos) return at;
    bool afterName = true;  // the start counts as after a name
    for (std::size_t i = 0; i < p.size();) {
        if (afterName && startsWith(p.substr(i), kAza)) {
            at.push_back(i);
            i += kAza.size();
            afterName = false;
            continue;
        }
        const std::size_t length = charLength(p, i);
        i += length;
        afterName = length == 2;
        for (std::string_view end : kNameEnds)
            afterName = afterName || (length == 1 && i >= 2 && p.substr(i - 2, 2) == end);
    }
    return at;
}

// `p` without the 字 at the positions `at` whose bit is set in `mask`.
std::string withoutAza(std::string_view p, const std::vector<std::size_t>& at, unsigned mask) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t k = 0; k < at.size(); ++k) {
        if (!(mask >> k & 1)) continue;
        out.append(p.substr(from, at[k] - from));
        from = at[k] + kAza.size();
    }
    out.append(p.substr(from));
    return out;
}

// The town part written with the name of the one town of the municipality
// whose name without its 町 or 村 begins it as a whole name (仙川 for
// 仙川町, 山本南 for 山本町南); empty when no town or several fit.
std::string withShortenedName(std::string_view p, const TownList& towns) {
    const PreparedTown* fits = nullptr;
    for (const PreparedTown& town : towns.towns) {
        const std::string& name = town.shortName;
        if (name.empty() || !startsWith(p, name)) continue;
        if (name.size() < p.size() && static_cast<unsigned char>(p[name.size()]) >= 0x80) continue;
        if (fits && fits->town.code7 != town.town.code7) return std::string();
        fits = &town;
    }
    if (!fits) return std::string();
    const std::size_t cut = fits->shortCut;
    std::string full(fits->shortName.substr(0, cut));
    full.append(fits->kanjiPattern.substr(cut, 2));  // the 町 or 村
    full.append(fits->shortName.substr(cut));
    full.append(p.substr(fits->shortName.size()));
    return full;
}

int runMatcher(ZipEngine& engine, std::size_t muni, const TownList& towns, std::string_view rest,
               std::string_view address, const LookupTargets& targets, bool quickTest) {
    const MunicipalityRecord& record = engine.municipalities()[muni];
    TownMatcher matcher(engine, record, rest, address, quickTest);
    if (engine.firstAttempt && isKyotoWard(record.code)) {
        std::string_view after;
        const std::string_view named = townAfterStreet(matcher.input(), towns, after);
        if (!named.empty()) {
            matcher.requireName(named, after);
            matcher.search(towns);
            return matcher.finish(targets);
        }
    }
    matcher.search(towns);
    // A 字 the names leave out may stand in the way of the town, or of the
    // section in its note (石井字白鳥 for 石井(白鳥), 涌津字上原 for
    // 涌津(…､上原､…) rather than 涌津(その他)), while another 字 may belong
    // to a name (十文字町字本町). The text without every such 字, then
    // without each one alone, is taken when it names a town better than the
    // text with them.
    const std::vector<std::size_t> at = azaPositions(matcher.input());
    std::optional<TownMatcher> best;
    std::string text, bestText;
    if (!at.empty() && at.size() <= 8) {
        const unsigned all = (1u << at.size()) - 1;
        for (unsigned k = 0; k <= at.size(); ++k) {
            const unsigned mask = k == 0 ? all : 1u << (k - 1);
            if (k > 0 && mask == all) break;
            text = withoutAza(matcher.input(), at, mask);
            TownMatcher again(engine, record, text, address, quickTest);
            again.search(towns);
            const int bar = best ? best->score() : matcher.foundTown() ? matcher.score() : -1;
            if (!again.foundTown() || again.score() <= bar) continue;
            bestText = text;
            best.emplace(engine, record, bestText, address, quickTest);
            best->search(towns);
        }
    }
    TownMatcher& found = best ? *best : matcher;
    if (!(found.nothingButGeneric() || found.namePartly()) || towns.towns.size() < 2)
        return found.finish(targets);
    // No town: perhaps one written without the 町 or 村 of its name.
    text = withShortenedName(found.input(), towns);
    if (text.empty()) return found.finish(targets);
    TownMatcher again(engine, record, text, address, quickTest);
    again.search(towns);
    return again.foundTown() ? again.finish(targets) : found.finish(targets);
}

void clearSlots(MatchState& state) {
    state.best.clear();
    state.generic.clear();
    state.buildingException.clear();
    state.floorUnknown.clear();
}

}  // namespace

int matchTown(ZipEngine& engine, std::size_t muni, std::string_view rest, std::string_view address,
              const LookupTargets& targets) {
    clearSlots(engine.match);
    const TownList* towns = engine.townCache.towns(engine, muni);
    if (!towns) return 0;
    return runMatcher(engine, muni, *towns, rest, address, targets, true);
}

int matchTownUncached(ZipEngine& engine, std::size_t muni, std::string_view rest,
                      std::string_view address, const LookupTargets& targets) {
    clearSlots(engine.match);
    TownList towns;
    if (muni >= engine.municipalities().size() || !readPreparedTowns(engine, muni, towns)) {
        engine.setLastError(kErrTownBlock);
        return 0;
    }
    return runMatcher(engine, muni, towns, rest, address, targets, false);
}

}  // namespace keszip
