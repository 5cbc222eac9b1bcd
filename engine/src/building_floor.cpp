// Per-floor entries of high-rise buildings: "大手ﾏﾁJAﾋﾞﾙ(10F)" and the
// entry for the basement and unknown floors, "大手ﾏﾁJAﾋﾞﾙ(地階階層不明)".
#include <algorithm>
#include <array>
#include <cstdint>

#include "shift_jis_text.h"
#include "town_pattern.h"
#include "town_text.h"

namespace keszip {
namespace {

using namespace town;
using namespace std::string_view_literals;

constexpr std::int64_t kFloorLimit = 1000000;

// Kanji numerals of a floor written in kanji, with their values; 10 and
// 100 multiply what stands before them.
struct KanjiNumeral {
    std::string_view text;
    int value;
};
constexpr std::array<KanjiNumeral, 12> kKanjiNumerals = {{
    {"\x81\x5A"sv, 0},    // 〇
    {"\x88\xEA"sv, 1},    // 一
    {"\x93\xF1"sv, 2},    // 二
    {"\x8E\x4F"sv, 3},    // 三
    {"\x8E\x6C"sv, 4},    // 四
    {"\x8C\xDC"sv, 5},    // 五
    {"\x98\x5A"sv, 6},    // 六
    {"\x8E\xB5"sv, 7},    // 七
    {"\x94\xAA"sv, 8},    // 八
    {"\x8B\xE3"sv, 9},    // 九
    {"\x8F\x5C"sv, 10},   // 十
    {"\x95\x53"sv, 100},  // 百
}};

constexpr std::string_view kBasementReading = "\xC1\xB6"sv;  // ﾁｶ (地下)
constexpr std::string_view kBasementKanji = "\x89\xBA"sv;    // 下 (地下)

int kanjiNumeral(std::string_view text, std::size_t i) {
    for (const auto& k : kKanjiNumerals)
        if (startsWith(text.substr(i), k.text)) return k.value;
    return -1;
}

// The floor written at the start of `text`: the first number after any
// other characters, in digits or kanji; -1 for a basement ("B1", "地下1F",
// "ﾁｶ1ｶｲ"); 0 when there is none.
std::int64_t readFloor(std::string_view text) {
    bool basement = false;
    std::int64_t floor = 0;
    for (std::size_t i = 0; i < text.size(); i += charLength(text, i)) {
        if (isDigit(text[i])) {
            for (; i < text.size() && isDigit(text[i]); ++i)
                floor = std::min(floor * 10 + (text[i] - '0'), kFloorLimit);
            break;
        }
        if (kanjiNumeral(text, i) >= 0) {
            std::int64_t total = 0, digits = 0;
            for (int v; i < text.size() && (v = kanjiNumeral(text, i)) >= 0; i += 2) {
                if (v >= 10) {
                    total += (digits > 0 ? digits : 1) * v;
                    digits = 0;
                } else {
                    digits = std::min(digits * 10 + v, kFloorLimit);
                }
            }
            floor = std::min(total + digits, kFloorLimit);
            break;
        }
        if (text[i] == 'B' || startsWith(text.substr(i), kBasementReading) ||
            startsWith(text.substr(i), kBasementKanji))
            basement = true;
    }
    return basement ? -1 : floor;
}

// Looks for the pattern's building name (the text before its first "(") in
// the input, character by character in order. Returns the position in the
// input after the last character found, or npos when the name is not all
// there.
std::size_t findBuilding(std::string_view input, std::string_view pattern) {
    std::size_t j = 0;
    for (std::size_t i = 0; i < input.size();) {
        if (j < pattern.size() && pattern[j] == '(') return i;
        std::size_t ci = charLength(input, i);
        std::size_t cj = j < pattern.size() ? charLength(pattern, j) : 0;
        if (ci == cj && input[i] == pattern[j] && (ci == 1 || input[i + 1] == pattern[j + 1]))
            j += cj;
        i += ci;
    }
    return j < pattern.size() && pattern[j] == '(' ? input.size() : std::string_view::npos;
}

// Whether the character before `at` is a number or mark (single-byte, not
// kana).
bool afterMark(std::string_view text, std::size_t at) {
    std::size_t i = 0, last = 0;
    while (i < at) i += (last = charLength(text, i));
    return last == 1 && static_cast<unsigned char>(text[at - 1]) < 0x80;
}

// Whether the input writes the building's whole name: the pattern's name
// after the town part that begins the input (the input's text up to its
// first digit) stands in the input in one piece, followed by a floor, a
// mark or the end, not by more of another name (新丸ﾉ内ｾﾝﾀ-ﾋﾞﾙﾃﾞｲﾝｸﾞ is not
// 新丸ﾉ内ﾋﾞﾙﾃﾞｲﾝｸﾞ, 東京日本橋ﾀﾜ-ｱﾈﾂｸｽ not 東京日本橋ﾀﾜ-).
bool wholeBuilding(std::string_view input, std::string_view pattern) {
    std::string_view name = pattern.substr(0, std::min(findByte(pattern, '('), pattern.size()));
    std::size_t t = 0;
    while (t < input.size() && !isDigit(input[t])) t += charLength(input, t);
    const std::string_view town = input.substr(0, t);
    std::size_t from = 0;
    if (startsWith(name, town)) {
        name.remove_prefix(town.size());
        from = t;
    }
    if (name.empty()) return true;
    // The name stands at the start, after the town part or after a number
    // or mark.
    std::size_t at = from;
    for (;; at += charLength(input, at)) {
        at = findText(input, name, at);
        if (at == std::string_view::npos) return false;
        if (at == from || afterMark(input, at)) break;
    }
    const std::size_t after = at + name.size();
    if (after >= input.size() || static_cast<unsigned char>(input[after]) < 0x80) return true;
    const std::string_view rest = input.substr(after);
    // A tower written after the name: "(高層棟)(10F)".
    const std::string_view note = pattern.substr(std::min(findByte(pattern, '('), pattern.size()));
    const std::size_t close = findByte(note, ')');
    if (close != std::string_view::npos && close + 1 < note.size() && note[close + 1] == '(' &&
        startsWith(rest, note.substr(1, close - 1)))
        return true;
    return kanjiNumeral(rest, 0) >= 0 || startsWith(rest, kBasementReading) ||
           startsWith(rest, "\x92\x6E"sv) || startsWith(rest, "\x8A\x4B"sv);  // 地 階
}

}  // namespace

bool buildingMatches(std::string_view input, std::string_view pattern) {
    return findBuilding(input, pattern) != std::string_view::npos && wholeBuilding(input, pattern);
}

bool floorMatches(std::string_view input, std::string_view pattern) {
    std::size_t place = findBuilding(input, pattern);
    if (place == std::string_view::npos || !wholeBuilding(input, pattern)) return false;
    // The floor is in the last bracket: "(10F)", or "(高層棟)(10F)" where a
    // tower of the building has floors of its own.
    std::size_t open = 0;
    for (std::size_t i = 0; i < pattern.size(); i += charLength(pattern, i))
        if (pattern[i] == '(') open = i;
    return readFloor(pattern.substr(open + 1)) == readFloor(input.substr(place));
}

}  // namespace keszip
