#include "town_pattern.h"

#include <array>

#include "town_text.h"

namespace keszip {
namespace {

using namespace town;
using namespace std::string_view_literals;

// Unit words that a pattern may carry and an address may leave out.
constexpr std::array<std::string_view, 14> kUnitWords = {
    kChome,                // 丁目
    kBanchi,               // 番地
    "\x8D\x86"sv,          // 号
    "\x94\xD4"sv,          // 番
    kSen,                  // 線
    "\x92\x6E\x8A\x84"sv,  // 地割
    kMachime,              // ﾏﾁﾒ
    "\xCA\xDE\xDD\xC1"sv,  // ﾊﾞﾝﾁ
    "\xCA\xDE\xDD"sv,      // ﾊﾞﾝ
    "\xBA\xDE\xB3"sv,      // ｺﾞｳ
    "\xC9"sv,              // ﾉ
    "\xC1\xDC\xD8"sv,      // ﾁﾜﾘ
    "-"sv,
    "F"sv,
};

constexpr std::array<std::string_view, 5> kDirectionWords = {
    "\x93\x8C"sv,          // 東
    "\x90\xBC"sv,          // 西
    "\x93\xEC"sv,          // 南
    "\x96\x6B"sv,          // 北
    "\x92\x86\x89\x9B"sv,  // 中央
};

// Deeper nesting than this is not found in town names.
constexpr int kMaxNesting = 32;

template <std::size_t N>
bool isOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    for (auto w : words)
        if (word == w) return true;
    return false;
}

// Walks the pattern's elements against the input's. The input keeps a
// position inside its current text, so that one input text can take
// several pattern texts ("北1条西" against "北1条西5").
class ElementComparison {
  public:
    explicit ElementComparison(PatternMatch& m)
        : m_(m), in_(m.inputElements), pat_(m.patternElements) {}

    int run() {
        m_.score = 0;
        for (std::size_t i = 0; i < pat_.count; ++i) {
            const AddressElement& e = pat_.items[i];
            if (e.kind == ElementKind::Number) {
                // A section name between the town and a lot number written
                // with 番地 (福島町寺山3147番地) belongs to the town's lots.
                if (i + 1 < pat_.count && pat_.items[i + 1].text == kBanchiPlaceholder &&
                    atText() && numberAt(j_ + 1) && textAt(j_ + 2) == kBanchi)
                    next();
                if (j_ >= in_.count) return kNoMatch;
                const AddressElement& cur = in_.items[j_];
                if (cur.kind != ElementKind::Number || cur.low < e.low || cur.low > e.high)
                    return kNoMatch;
                ++m_.score;
                next();
                continue;
            }
            int end = compareText(e.text, i);
            if (end >= 0) return end;
        }
        if (m_.inCodeList) m_.score = 1000;
        return kMatch;
    }

  private:
    bool atText() const { return j_ < in_.count && in_.items[j_].kind == ElementKind::Text; }
    std::string_view remaining() const {
        return atText() ? in_.items[j_].text.substr(offset_) : std::string_view{};
    }
    void next() {
        ++j_;
        offset_ = 0;
    }
    void consume(std::size_t n) {
        offset_ += n;
        if (offset_ >= in_.items[j_].text.size()) next();
    }

    bool numberAt(std::size_t k) const {
        return k < in_.count && in_.items[k].kind == ElementKind::Number;
    }
    std::string_view textAt(std::size_t k) const {
        return k < in_.count && in_.items[k].kind == ElementKind::Text ? in_.items[k].text
                                                                       : std::string_view{};
    }
    bool separatorAt(std::size_t k) const {
        const std::string_view t = textAt(k);
        return t.size() == 1 && (t[0] == '-' || t[0] == kNo);
    }

    // The placeholder of a town listed by 丁目 or by 番地 (越ケ谷(丁目),
    // 越ケ谷(番地)), after its number. The word written matches as a text.
    // A number written without its word is read by the form of the whole
    // number: three numbers joined by "-" (5-2-5) are 丁目, 番 and 号; one
    // or two (123, 123-4) a lot number. A lot read so takes back the point
    // of its number, so that a town that names the number itself (三丁目
    // for 3-23) is preferred.
    bool comparePlaceholder(std::string_view t) {
        const std::string_view word = t.substr(1);
        if (atText() && remaining() == word) {
            m_.score += static_cast<int>(word.size());
            next();
            return true;
        }
        const bool threeNumbers =
            separatorAt(j_) && numberAt(j_ + 1) && separatorAt(j_ + 2) && numberAt(j_ + 3);
        if (word == kChome) {
            if (!threeNumbers) return false;
            next();  // the "-" after the 丁目 number
            return true;
        }
        // 番地: the lot alone, before "-" or "ﾉ", or before 番.
        if (threeNumbers || (j_ < in_.count && !separatorAt(j_) && !startsWith(remaining(), kBan)))
            return false;
        --m_.score;
        return true;
    }

    // Compares one pattern text; -1 to go on, or the result that ends the comparison.
    int compareText(std::string_view t, std::size_t i) {
        if (t.empty()) return -1;
        if (t == kOthers || t == kExceptBuildings || t == kExceptBuildingsReading) return kMatch;
        if (t == kOaza && atText()) {
            m_.score = 999;
            return kMatch;
        }
        if (t == kStreetMark) return kStreetMatch;
        if (i > 0 && isOneOf(t, kUnitWords)) {
            // Optional: taken when the address has it, else stepped over.
            if (atText()) {
                if (startsWith(remaining(), t)) {
                    consume(t.size());
                    if (t == kSen) m_.score += static_cast<int>(t.size());
                } else {
                    next();
                }
            }
            return -1;
        }
        if (t[0] == '@') return comparePlaceholder(t) ? -1 : kNoMatch;
        if (i + 1 == pat_.count && isOneOf(t, kDirectionWords)) {
            if (!findDirection(t)) return kNoMatch;
            m_.score += static_cast<int>(t.size());
            return kMatch;
        }
        if (!atText()) return kNoMatch;
        std::string_view rest = remaining();
        if (startsWith(rest, t)) {
            m_.score += static_cast<int>(t.size());
            consume(t.size());
            return -1;
        }
        // Hokkaido writes 条 where addresses often leave it out ("北1西2").
        if (m_.municipalityCode <= 1999) {
            for (auto word : {kJo, kJoReading}) {
                if (!startsWith(t, word)) continue;
                std::string_view tail = t.substr(word.size());
                if (startsWith(rest, tail)) {
                    m_.score += static_cast<int>(tail.size());
                    if (!tail.empty()) consume(tail.size());
                    return -1;
                }
            }
        }
        if (startsWith(rest, kMachime) && startsWith(rest.substr(kMachime.size()), t)) {
            m_.score += static_cast<int>(t.size());
            consume(kMachime.size() + t.size());
            return -1;
        }
        return kNoMatch;
    }

    // A direction word closing the pattern may stand anywhere in the next
    // input text, after a unit word or number ("1丁目東") and before a
    // number, "-" or the end.
    bool findDirection(std::string_view word) const {
        std::size_t k = j_;
        while (k < in_.count && in_.items[k].kind != ElementKind::Text) ++k;
        if (k >= in_.count) return false;
        std::string_view text = in_.items[k].text;
        if (k == j_) text = text.substr(offset_);
        const std::string_view input = m_.input;
        // Input texts are views into the input, so the byte after a word
        // is read there (a digit, or 0 at the end).
        const std::size_t base = static_cast<std::size_t>(text.data() - input.data());
        std::size_t prev = 0;
        for (std::size_t p = 0; p < text.size(); prev = p, p += charLength(text, p)) {
            if (!startsWith(text.substr(p), word)) continue;
            std::size_t after = base + p + word.size();
            auto next = after < input.size() ? static_cast<unsigned char>(input[after]) : 0;
            if (next >= 0x3A) continue;
            if (p == 0) return true;
            std::string_view before = text.substr(prev, p - prev);
            if (before == kMe || before == kChi ||
                (before.size() == 1 && static_cast<unsigned char>(before[0]) < 0x3A))
                return true;
        }
        return false;
    }

    PatternMatch& m_;
    const ElementList& in_;
    const ElementList& pat_;
    std::size_t j_ = 0;       // current input element
    std::size_t offset_ = 0;  // bytes of it already taken
};

bool isOpening(char c) { return c == '(' || c == kOpenQuote; }
bool isClosing(char c) { return c == ')' || c == kCloseQuote; }

// End of the alternative that starts at `from`: the next "､" or "･" outside
// brackets, or the end of the pattern.
std::size_t alternativeEnd(std::string_view pattern, std::size_t from) {
    int depth = 0;
    for (std::size_t i = from; i < pattern.size(); i += charLength(pattern, i)) {
        char c = pattern[i];
        if (isOpening(c)) {
            ++depth;
        } else if (isClosing(c)) {
            if (depth > 0) --depth;
        } else if (depth == 0 && (c == kListComma || c == kMiddleDot)) {
            return i;
        }
    }
    return pattern.size();
}

// The bracketed part that opens at `open`, without its brackets; it runs to
// the end of the text when the bracket is never closed.
std::string_view bracketContents(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); i += charLength(text, i)) {
        if (isOpening(text[i])) {
            ++depth;
        } else if (isClosing(text[i]) && --depth == 0) {
            return text.substr(open + 1, i - open - 1);
        }
    }
    return text.substr(open + 1);
}

// The byte before `pos` when it is a single-byte character, walking from
// `start` (a character boundary preceded by the byte `atStart`); 0 after a
// double-byte character.
char byteBefore(std::string_view text, std::size_t start, std::size_t pos, char atStart) {
    char before = atStart;
    for (std::size_t i = start; i < pos; i += charLength(text, i))
        before = charLength(text, i) == 1 ? text[i] : 0;
    return before;
}

int matchLevel(PatternMatch& m, std::string_view pattern, std::size_t firstIndex, int depth) {
    if (depth > kMaxNesting) return kNoMatch;
    std::size_t pos = 0;
    char before = 0;  // the byte before the alternative; "･" continues a number list
    if (!pattern.empty() && (pattern[0] == kListComma || pattern[0] == kMiddleDot)) {
        before = pattern[0];
        pos = 1;
    }
    while (pos < pattern.size()) {
        const std::size_t altStart = pos;
        const std::size_t altEnd = alternativeEnd(pattern, altStart);
        std::string_view alt = pattern.substr(altStart, altEnd - altStart);
        std::size_t headEnd = 0;
        while (headEnd < alt.size() && !isOpening(alt[headEnd]))
            headEnd += charLength(alt, headEnd);
        std::string_view head = alt.substr(0, headEnd);
        std::size_t consumed = parseAddressElements(head, before, m.patternElements, firstIndex);
        const bool stoppedEarly = consumed < head.size();
        int result = ElementComparison(m).run();
        if (result == kNoMatch) {
            if (stoppedEarly && consumed > 0) {
                // A list cut short at a repeated text goes on from there.
                before = byteBefore(pattern, altStart, altStart + consumed, before);
                pos = altStart + consumed;
            } else {
                before = altEnd < pattern.size() ? pattern[altEnd] : 0;
                pos = altEnd + 1;
            }
            continue;
        }
        if (result == kStreetMatch) return kStreetMatch;
        if (stoppedEarly || headEnd == alt.size()) return kMatch;
        result = matchLevel(m, bracketContents(alt, headEnd), m.patternElements.count, depth + 1);
        if (result != kNoMatch) return result;
        before = altEnd < pattern.size() ? pattern[altEnd] : 0;
        pos = altEnd + 1;
    }
    return kNoMatch;
}

}  // namespace

void PatternMatch::setInput(std::string_view text) {
    input = text;
    inputElements.clear();
    parseAddressElements(text, 0, inputElements, 0);
}

std::size_t leadingText(std::string_view pattern) {
    if (pattern.empty() || pattern[0] == kListComma || pattern[0] == kMiddleDot) return 0;
    if (alternativeEnd(pattern, 0) != pattern.size()) return 0;
    std::size_t headEnd = 0;
    while (headEnd < pattern.size() && !isOpening(pattern[headEnd]))
        headEnd += charLength(pattern, headEnd);
    std::string_view head = pattern.substr(0, headEnd);
    ElementList list;
    if (head.empty() || parseAddressElements(head, 0, list, 0) != head.size()) return 0;
    const AddressElement& first = list.items[0];
    if (list.count == 0 || first.kind != ElementKind::Text || first.text.data() != pattern.data())
        return 0;
    std::string_view t = first.text;
    // Texts the comparison treats other than by their bytes.
    if (t == kOthers || t == kExceptBuildings || t == kExceptBuildingsReading || t == kOaza ||
        t == kStreetMark || t[0] == '@' || isOneOf(t, kDirectionWords) || startsWith(t, kJo) ||
        startsWith(t, kJoReading))
        return 0;
    return t.size();
}

bool mayMatch(const PatternMatch& m, std::string_view lead) {
    if (lead.empty()) return true;
    const AddressElement& first = m.inputElements.items[0];
    if (m.inputElements.count == 0 || first.kind != ElementKind::Text) return false;
    std::string_view text = first.text;
    return startsWith(text, lead) ||
           (startsWith(text, kMachime) && startsWith(text.substr(kMachime.size()), lead));
}

int townPatternMatch(PatternMatch& m, std::string_view pattern) {
    m.patternElements.clear();
    m.score = 0;
    return matchLevel(m, pattern, 0, 0);
}

}  // namespace keszip
