#include "town_cache.h"

#include <algorithm>

#include "fold.h"
#include "numeral_split.h"
#include "town_pattern.h"
#include "town_text.h"
#include "zip_engine.h"

namespace keszip {
namespace {

using namespace town;
using namespace std::string_view_literals;

constexpr std::string_view kGenericTown =
    "\x88\xC8\x89\xBA\x82\xC9\x8C\x66\x8D\xDA\x82\xAA\x82\xC8\x82\xA2\x8F\xEA\x8D\x87"sv;  // 以下に掲載がない場合
constexpr std::string_view kKyowaOaza =
    "\x8B\xA4\x98\x61\x92\xAC(\x91\xE5\x8E\x9A)"sv;            // 共和町(大字)
constexpr std::string_view kYamakoshi = "\x8E\x52\x89\x7A"sv;  // 山越

bool isKyotoWard(int code) { return code >= 26101 && code <= 26111; }

// Two municipalities whose town notes only get in the way of matching.
bool cutsNotes(int code) { return code == 3363 || code == 3502; }

void cutAtNote(std::string& text) {
    std::size_t open = findByte(text, '(');
    if (open != std::string::npos) text.resize(open);
}

std::size_t digitsBeforeNote(std::string_view text) {
    std::size_t open = findByte(text, '(');
    text = text.substr(0, open);
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), isDigit));
}

// Readings write a range with "-" ("1-3ﾁﾖｳﾒ", "4ﾁﾖｳﾒ-8ﾁﾖｳﾒ"); the kanji
// names use "～", which folds to "~".
void markReadingRanges(std::string& reading) {
    for (std::size_t i = 0; i < reading.size(); i += charLength(reading, i)) {
        if (reading[i] != '-' || i == 0) continue;
        if (isDigit(reading[i - 1]) ||
            (i >= kMachime.size() &&
             std::string_view(reading).substr(i - kMachime.size(), kMachime.size()) == kMachime))
            reading[i] = '~';
    }
}

// The first two bytes of a pattern as one number, 0 when it is shorter.
std::uint16_t headBytes(std::string_view pattern) {
    if (pattern.size() < 2) return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(pattern[0]) << 8 |
                                      static_cast<unsigned char>(pattern[1]));
}

// The name without its last 町 or 村 (folded ﾏﾁ, ﾑﾗ), for addresses that
// leave the word out. Names that are only the word, or begin with it, keep
// it.
void shortenName(PreparedTown& p) {
    static constexpr std::string_view kWords[] = {"\xCF\xC1"sv, "\xD1\xD7"sv};  // ﾏﾁ ﾑﾗ
    std::string_view name = p.kanjiPattern;
    name = name.substr(0, std::min(findByte(name, '('), findByte(name, kOpenQuote)));
    if (findByte(name, kListComma) != std::string_view::npos ||
        findByte(name, kMiddleDot) != std::string_view::npos)
        return;
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = 0; i + 2 <= name.size(); i += charLength(name, i)) {
        for (std::string_view word : kWords)
            if (i > 0 && name.substr(i, 2) == word) cut = i;
    }
    if (cut == std::string_view::npos) return;
    p.shortName = std::string(name.substr(0, cut)) + std::string(name.substr(cut + 2));
    p.shortCut = static_cast<std::uint16_t>(cut);
}

PreparedTown prepareTown(const ZipEngine& engine, const MunicipalityRecord& muni,
                         TownCandidate town) {
    if (town.code7 == 4740057) town.name = kKyowaOaza;
    if (town.code7 == 7918013) town.name = kYamakoshi;
    if (cutsNotes(muni.code)) {
        cutAtNote(town.name);
        cutAtNote(town.reading);
    }
    PreparedTown p;
    const FoldSettings& settings = engine.foldSettings();
    p.kanjiPattern = foldText(town.name, kFoldMatching, settings);
    // "<name>の次に番地がくる場合": the lot number right after the name. A
    // name other than the municipality's own (大島町 in 西海市) must be
    // written before the number: the pattern becomes "<name>(ﾉ次ﾆ…)".
    if (endsWithText(p.kanjiPattern, kLotFollows)) {
        const std::size_t name = p.kanjiPattern.size() - kLotFollows.size();
        if (name > 0 && std::string_view(p.kanjiPattern).substr(0, name) != muni.foldedName &&
            !startsWith(p.kanjiPattern, kChome)) {
            p.kanjiPattern.insert(name, 1, '(');
            p.kanjiPattern += ')';
        }
    }
    p.readingPattern = foldText(town.reading, kFoldMatching, settings);
    markReadingRanges(p.readingPattern);
    if (isKyotoWard(muni.code)) {
        p.kyotoPattern = p.kanjiPattern;
        kyotoRewrite(p.kyotoPattern);
    }
    p.kanjiLead = static_cast<std::uint16_t>(leadingText(p.kanjiPattern));
    p.readingLead = static_cast<std::uint16_t>(leadingText(p.readingPattern));
    p.kyotoLead = static_cast<std::uint16_t>(leadingText(p.kyotoPattern));
    p.numeralName = static_cast<std::uint16_t>(numeralNameLength(p.kanjiPattern));
    p.generic = town.name == kGenericTown;
    if (!p.generic) shortenName(p);
    const auto& codes = engine.codeList();
    p.inCodeList = std::find(codes.begin(), codes.end(), town.code7) != codes.end();
    std::size_t folded = digitsBeforeNote(p.kanjiPattern);
    std::size_t stored = digitsBeforeNote(town.name);
    p.kanjiDigits = static_cast<std::uint16_t>(folded > stored ? folded - stored : 0);
    p.readingDigits = static_cast<std::uint16_t>(digitsBeforeNote(p.readingPattern));
    p.town = std::move(town);
    return p;
}

TownKey townKey(const PreparedTown& p) {
    TownKey k;
    const std::uint32_t code = p.town.code7;
    k.alwaysCompare =
        p.generic || p.numeralName > 0 || code == 4980012 || code == 4980018 || code == 4500002;
    k.kanjiLeadByte = p.kanjiLead > 0 ? static_cast<unsigned char>(p.kanjiPattern[0]) : 0;
    k.readingLeadByte = p.readingLead > 0 ? static_cast<unsigned char>(p.readingPattern[0]) : 0;
    k.kanjiHead = headBytes(p.kanjiPattern);
    k.readingHead = headBytes(p.readingPattern);
    return k;
}

}  // namespace

bool readPreparedTowns(ZipEngine& engine, std::size_t muni, TownList& out) {
    out = TownList{};
    if (!engine.loadTownBlock(muni)) return false;
    const MunicipalityRecord& record = engine.municipalities()[muni];
    out.towns.reserve(record.townCount);
    out.keys.reserve(record.townCount);
    TownCandidate town;
    for (bool restart = true; engine.nextTown(restart, muni, town); restart = false) {
        out.towns.push_back(prepareTown(engine, record, town));
        out.keys.push_back(townKey(out.towns.back()));
    }
    return true;
}

const TownList* TownCache::towns(ZipEngine& engine, std::size_t muni) {
    if (muni >= engine.municipalities().size()) {
        engine.setLastError(kErrTownBlock);
        return nullptr;
    }
    if (lists_.size() != engine.municipalities().size()) {
        lists_.clear();
        lists_.resize(engine.municipalities().size());
    }
    Entry& entry = lists_[muni];
    if (!entry.ready) {
        if (!readPreparedTowns(engine, muni, entry.towns)) return nullptr;
        entry.ready = true;
    }
    return &entry.towns;
}

}  // namespace keszip
