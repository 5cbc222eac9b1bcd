#include "numeral_split.h"

#include <cstdint>

#include "fold.h"
#include "lookup.h"
#include "town_text.h"
#include "zip_engine.h"

namespace keszip {
namespace {

using town::charLength;

// What a character of the address as written is, for finding the places
// where a name ending in a numeral may stop.
enum class CharKind { other, digit, wideDigit, kanjiNumeral, blank, hyphen };

std::uint16_t codeAt(std::string_view text, std::size_t pos) {
    return static_cast<std::uint16_t>((static_cast<unsigned char>(text[pos]) << 8) |
                                      static_cast<unsigned char>(text[pos + 1]));
}

CharKind kindAt(std::string_view text, std::size_t pos) {
    if (charLength(text, pos) == 1) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c >= '0' && c <= '9') return CharKind::digit;
        if (c == ' ' || c == '\t') return CharKind::blank;
        if (c == '-' || c == 0xB0) return CharKind::hyphen;  // - ｰ
        return CharKind::other;
    }
    const std::uint16_t code = codeAt(text, pos);
    if (code >= 0x824F && code <= 0x8258) return CharKind::wideDigit;  // ０-９
    if (code == 0x8140) return CharKind::blank;
    // － ー ― ‐
    if (code == 0x817C || code == 0x815B || code == 0x815C || code == 0x815D)
        return CharKind::hyphen;
    return isKanjiNumeral(code) ? CharKind::kanjiNumeral : CharKind::other;
}

bool isNumeral(CharKind k) {
    return k == CharKind::digit || k == CharKind::wideDigit || k == CharKind::kanjiNumeral;
}

// Whether a town name may end before `pos`, after a numeral of kind
// `before`: a house number follows, after blanks or at once. Two ASCII
// digits in a row are one number as the user wrote them.
bool houseNumberFollows(std::string_view text, std::size_t pos, CharKind before) {
    bool blanks = false;
    while (pos < text.size() && kindAt(text, pos) == CharKind::blank) {
        pos += charLength(text, pos);
        blanks = true;
    }
    if (pos >= text.size()) return false;
    const CharKind next = kindAt(text, pos);
    if (!isNumeral(next) && next != CharKind::hyphen) return false;
    return blanks || before != CharKind::digit;
}

void addSplit(std::string_view front, std::string_view workText, std::size_t townStart,
              const std::string& rest, std::vector<std::unique_ptr<NumeralSplit>>& out) {
    if (front.size() <= townStart || front.substr(0, townStart) != workText.substr(0, townStart))
        return;
    NumeralSplit& split = *out.emplace_back(std::make_unique<NumeralSplit>());
    split.town = front.substr(townStart);
    split.input = split.town + "|" + rest;
    split.match.setInput(split.input);
}

}  // namespace

void numeralSplits(const ZipEngine& engine, std::string_view address, std::string_view workText,
                   std::size_t townStart, std::vector<std::unique_ptr<NumeralSplit>>& out) {
    CharKind before = CharKind::other;
    for (std::size_t pos = 0; pos < address.size(); pos += charLength(address, pos)) {
        const CharKind kind = kindAt(address, pos);
        if (isNumeral(before) && houseNumberFollows(address, pos, before)) {
            const std::string_view written = address.substr(0, pos);
            const std::string rest = foldAddress(engine, address.substr(pos));
            const std::string front = foldAddress(engine, written);
            addSplit(front, workText, townStart, rest, out);
            // Kanji numerals at the very end of a text may be read as a
            // number; before a note they stay as written.
            std::string kept = foldAddress(engine, std::string(written) + "|");
            if (!kept.empty() && kept.back() == '|') kept.pop_back();
            if (kept != front) addSplit(kept, workText, townStart, rest, out);
        }
        before = kind;
    }
}

std::size_t numeralNameLength(std::string_view kanjiPattern) {
    std::size_t end = 0;
    std::size_t last = 0;
    for (; end < kanjiPattern.size(); end += charLength(kanjiPattern, end)) {
        const char c = kanjiPattern[end];
        if (c == '(' || c == town::kOpenQuote) break;
        if (c == town::kListComma || c == town::kMiddleDot) return 0;
        last = end;
    }
    if (end == 0) return 0;
    if (charLength(kanjiPattern, last) == 1) return town::isDigit(kanjiPattern[last]) ? end : 0;
    return isKanjiNumeral(codeAt(kanjiPattern, last)) ? end : 0;
}

}  // namespace keszip
