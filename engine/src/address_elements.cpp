#include "address_elements.h"

#include "town_text.h"

namespace keszip {
namespace {

using namespace town;

bool isNumber(const AddressElement& e) { return e.kind == ElementKind::Number; }

// A one-byte text "-" or "ﾉ" between the numbers of a lot number.
bool isSeparator(const AddressElement& e) {
    return e.kind == ElementKind::Text && e.text.size() == 1 &&
           (e.text[0] == '-' || e.text[0] == kNo);
}

// Reads the digits at `pos` (there is at least one) and moves past them.
// Values beyond the 32-bit range stay at the open bound.
std::int32_t readNumber(std::string_view text, std::size_t& pos) {
    std::int64_t value = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        if (value > kOpenBound) value = kOpenBound;
        ++pos;
    }
    return static_cast<std::int32_t>(value);
}

// Where the elements of `text` go. Alternatives of one parenthesis level
// normally replace each other from the level's first element on. An
// alternative that begins with a digit continues the numbers of the one
// before it instead: in "1-2､3" the 3 stands for all of "1-2", in "1-2･3"
// for the 2 only (1-3), and in "1丁目､2丁目" the 2丁目 replaces 1 and 丁目.
std::size_t writePosition(std::string_view text, char before, const ElementList& list,
                          std::size_t first) {
    const std::size_t n = list.count;
    if (text.empty() || !isDigit(text[0]) || n <= first) return first;
    const auto& e = list.items;
    if (isNumber(e[n - 1])) {
        if (before != kMiddleDot) {
            if (n >= first + 5 && isNumber(e[n - 5]) && isSeparator(e[n - 4]) &&
                isNumber(e[n - 3]) && isSeparator(e[n - 2]))
                return n - 5;
            if (n >= first + 3 && isNumber(e[n - 3]) && isSeparator(e[n - 2])) return n - 3;
        }
        return n - 1;
    }
    // The last element is a text: find the text that follows this
    // alternative's number (丁目 in 2丁目, 番地 in 5~7番地) among the
    // level's elements and replace from the number before it.
    std::size_t i = 0;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i + 1 < text.size() && text[i] == '~' && isDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
    }
    if (i >= text.size()) return first;
    std::size_t end = i;
    while (end < text.size() && !isDigit(text[end])) end += charLength(text, end);
    std::string_view word = text.substr(i, end - i);
    for (std::size_t k = first; k < n; ++k) {
        if (e[k].kind == ElementKind::Text && e[k].text == word) return k > first ? k - 1 : first;
    }
    return first;
}

// Town names that stand for "any number" followed by the unit word: "丁目"
// and "番地" on their own, and "<municipality>ﾉ次ﾆ番地ｶﾞｸﾙ場合" (the lot
// number directly after the municipality name). False for other texts.
bool parsePlaceholderPattern(std::string_view text, ElementList& list, std::size_t& write) {
    auto push = [&](const AddressElement& e) {
        if (write < kMaxAddressElements) list.items[write++] = e;
    };
    const AddressElement anyNumber{ElementKind::Number, {}, 0, kOpenBound};
    if (text == kChome || text == kBanchi) {
        push(anyNumber);
        push({ElementKind::Text, text == kChome ? kChomePlaceholder : kBanchiPlaceholder, 0, 0});
        return true;
    }
    if (!endsWithText(text, kLotFollows)) return false;
    if (startsWith(text, kChome)) {
        push(anyNumber);
        push({ElementKind::Text, kChomePlaceholder, 0, 0});
    }
    push(anyNumber);
    push({ElementKind::Text, kBanchiPlaceholder, 0, 0});
    return true;
}

}  // namespace

std::size_t parseAddressElements(std::string_view text, char before, ElementList& list,
                                 std::size_t firstIndex) {
    if (list.count > kMaxAddressElements) list.count = kMaxAddressElements;
    if (firstIndex > list.count) firstIndex = list.count;
    std::size_t write = writePosition(text, before, list, firstIndex);
    const std::size_t levelStart = write;
    auto finish = [&](std::size_t consumed) {
        list.count = write;
        list.items[write] = AddressElement{};
        return consumed;
    };
    if (parsePlaceholderPattern(text, list, write)) return finish(text.size());

    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '|') {
            ++pos;
            continue;
        }
        if (write >= kMaxAddressElements) break;
        if (isDigit(text[pos])) {
            AddressElement number{ElementKind::Number, {}, 0, 0};
            number.low = number.high = readNumber(text, pos);
            // A range: "~" after the number, past any text such as the
            // unit word of "4ﾏﾁﾒ~8ﾏﾁﾒ", but not past another number.
            std::size_t q = pos;
            while (q < text.size() && text[q] != '~' && !isDigit(text[q])) q += charLength(text, q);
            if (q < text.size() && text[q] == '~') {
                pos = q + 1;
                if (pos < text.size() && isDigit(text[pos])) {
                    number.high = readNumber(text, pos);
                } else {
                    number.high = kOpenBound;
                }
            }
            list.items[write++] = number;
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !isDigit(text[pos]) && text[pos] != '|')
            pos += charLength(text, pos);
        std::string_view word = text.substr(start, pos - start);
        // A text seen before begins another item of the same list (the
        // second ﾉ of "1ﾉ2ﾉ3", a name repeated in its own note): the list
        // ends there and the caller goes on from that point.
        if (word[0] != '-') {
            for (std::size_t k = 0; k < write; ++k) {
                if (list.items[k].kind == ElementKind::Text && list.items[k].text == word)
                    return finish(start);
            }
        }
        if (write > levelStart && isNumber(list.items[write - 1])) {
            if (endsWithText(word, kOrMore)) {
                list.items[write - 1].high = kOpenBound;
                word.remove_suffix(kOrMore.size());
            } else if (endsWithText(word, kOrLess)) {
                list.items[write - 1].low = 0;
                word.remove_suffix(kOrLess.size());
            }
            if (word.empty()) continue;
        }
        list.items[write++] = AddressElement{ElementKind::Text, word, 0, 0};
    }
    return finish(pos);
}

}  // namespace keszip
