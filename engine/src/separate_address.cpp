#include "separate_address.h"

#include "fold_internal.h"
#include "lookup.h"
#include "shift_jis_text.h"
#include "town_text.h"

namespace keszip {
namespace {

using folding::doubleByteCode;

constexpr char kFiller = '*';

bool isFiller(char c) { return c == kFiller || c == ' '; }

// Readings write small kana as large ones: ｧ..ｫ, ｬ, ｭ, ｮ and ｯ fold to ｱ..ｵ, ﾔ, ﾕ, ﾖ and ﾂ.
char largeKana(char c) {
    static const char kLarge[] = {'\xB1', '\xB2', '\xB3', '\xB4', '\xB5',
                                  '\xD4', '\xD5', '\xD6', '\xC2'};
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 0xA7 && u <= 0xAF ? kLarge[u - 0xA7] : c;
}

char foldDoubleByte(std::uint16_t code, char second[1]) {
    second[0] = kFiller;
    if (code == 0x8140) return kFiller;  // full-width blank
    if (code >= 0x824F && code <= 0x8258) return static_cast<char>('0' + (code - 0x824F));
    if (code >= 0x8260 && code <= 0x8279) return static_cast<char>('A' + (code - 0x8260));
    if (code >= 0x8281 && code <= 0x829A) return static_cast<char>('A' + (code - 0x8281));
    if (code >= 0x8141 && code <= 0x81FC && code != 0x8158) {  // symbols, 々 kept
        unsigned char c = folding::foldSymbol(code);
        return c == 0 ? kFiller : static_cast<char>(c);
    }
    folding::HalfWidthKana kana = folding::foldKana(code);
    if (kana.base != 0) {
        if (kana.mark != 0) second[0] = static_cast<char>(kana.mark);
        return largeKana(static_cast<char>(kana.base));
    }
    return 0;  // kept as written
}

// Lengths of the characters of `text`, keyed by their first byte.
std::size_t characterEnd(std::string_view text, std::size_t pos) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = town::charLength(text, i);
        if (pos < i + n) return i + n;
        i += n;
    }
    return text.size();
}

// Matches the folded `name` against `copy` from `pos`, blanks and fillers
// stepped over on both sides and "(" ending the name. On a match returns
// true with [begin, end) the range of the address it took.
bool matchAt(std::string_view copy, std::string_view original, std::size_t pos,
             std::string_view name, std::size_t& begin, std::size_t& end) {
    std::size_t i = pos, j = 0;
    bool started = false;
    std::size_t last = pos;
    for (;;) {
        while (j < name.size() && isFiller(name[j])) ++j;
        if (j >= name.size() || name[j] == '(') break;
        while (i < copy.size() && isFiller(copy[i])) ++i;
        if (i >= copy.size()) return false;
        std::size_t n = town::charLength(name, j);
        if (copy.substr(i, n) != name.substr(j, n)) return false;
        if (!started) begin = i;
        started = true;
        i += n;
        j += n;
        last = i;
    }
    if (!started) return false;
    end = characterEnd(original, last - 1);
    return true;
}

bool matchLevel(std::string_view copy, std::string_view address, std::size_t& pos,
                const std::string& name, const std::string& reading, std::string& out) {
    std::size_t begin = 0, end = 0;
    if (!matchAt(copy, address, pos, foldInPlace(name), begin, end) &&
        !matchAt(copy, address, pos, foldInPlace(reading), begin, end))
        return false;
    out.assign(address.substr(begin, end - begin));
    pos = end;
    return true;
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
        } else if (pos + 1 < text.size() && text[pos] == '\x81' && text[pos + 1] == '\x40') {
            pos += 2;
        } else {
            break;
        }
    }
    return pos;
}

// True for the characters that end a town name the dictionary did not
// recognise: blanks, digits, Latin letters, 第 and full-width symbols other
// than 々, ー and －.
bool endsTown(std::string_view text, std::size_t pos) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c == ' ' || (c >= '0' && c <= '9')) return true;
    if (town::charLength(text, pos) != 2) return false;
    std::uint16_t code = doubleByteCode(text.data() + pos);
    if (code == 0x8158 || code == 0x815B || code == 0x817C) return false;
    if (code >= 0x8140 && code <= 0x81FC) return true;  // blank, symbols
    if (code >= 0x824F && code <= 0x829A) return true;  // digits, letters
    return code == 0x91E6;                              // 第
}

}  // namespace

std::string foldInPlace(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (town::charLength(text, i) == 2) {
            char second[1];
            char first = foldDoubleByte(doubleByteCode(text.data() + i), second);
            if (first != 0) {
                out[i] = first;
                out[i + 1] = second[0];
            }
            i += 2;
            continue;
        }
        if (c == ' ' || c == '&' || c == '.' || c == '/') out[i] = kFiller;
        if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
        out[i] = largeKana(out[i]);
        ++i;
    }
    return out;
}

int separateAddress(ZipEngine& engine, std::string_view address, SeparatedAddress& out) {
    out = SeparatedAddress{};
    char oldCode[16] = {}, code7[16] = {};
    int flags = lookupAddress(engine, address, {code7, oldCode, nullptr});
    if (flags == 0) {
        engine.setLastError(kErrCode);
        return 0;
    }
    out.oldCode = oldCode;
    out.code7 = code7;

    const MatchState& m = engine.match;
    const std::string copy = foldInPlace(address);
    std::size_t pos = 0;
    if (m.prefFound && m.prefLength > 0 && m.prefIndex >= 0 &&
        static_cast<std::size_t>(m.prefIndex) < engine.prefectures().size()) {
        const PrefectureRecord& p = engine.prefectures()[static_cast<std::size_t>(m.prefIndex)];
        matchLevel(copy, address, pos, p.name, p.reading, out.prefecture);
    }
    if (m.cityFound && m.cityCursor >= 0 &&
        static_cast<std::size_t>(m.cityCursor) < engine.cities().size()) {
        const CityRecord& c = engine.cities()[static_cast<std::size_t>(m.cityCursor)];
        matchLevel(copy, address, pos, c.name, c.reading, out.city);
    }
    if (m.muniFound && m.muniCursor >= 0 &&
        static_cast<std::size_t>(m.muniCursor) < engine.municipalities().size()) {
        const MunicipalityRecord& r =
            engine.municipalities()[static_cast<std::size_t>(m.muniCursor)];
        matchLevel(copy, address, pos, r.name, r.reading, out.city.empty() ? out.city : out.ward);
    }
    bool townMatched =
        !m.best.empty() && matchLevel(copy, address, pos, m.best.name, m.best.reading, out.town);
    pos = skipBlanks(address, pos);
    if (!townMatched) {
        std::size_t end = pos;
        while (end < address.size() && !endsTown(address, end))
            end += town::charLength(address, end);
        out.town.assign(address.substr(pos, end - pos));
        pos = end;
    }
    out.rest.assign(address.substr(pos));
    return flags;
}

}  // namespace keszip
