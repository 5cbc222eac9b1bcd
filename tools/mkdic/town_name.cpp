#include "town_name.h"

#include "sjis_text.h"

namespace mkdic {

std::string dictionaryTownName(std::string_view sourceName) {
    std::string out;
    out.reserve(sourceName.size());
    for (std::size_t pos = 0; pos < sourceName.size();) {
        const std::size_t len = sjis::charLength(sourceName, pos);
        const std::string_view ch = sourceName.substr(pos, len);
        if (ch == sjis::kOpenParen) {
            out += '(';
        } else if (ch == sjis::kCloseParen) {
            out += ')';
        } else {
            out += ch;
        }
        pos += len;
    }
    return out;
}

bool isFloorEntry(std::string_view name) {
    // "(" and ")" never occur as trail bytes, so byte searches find real parentheses.
    if (name.empty() || name.back() != ')') return false;
    const std::size_t open = name.rfind('(');
    if (open == std::string_view::npos) return false;
    const std::string_view inner = name.substr(open + 1, name.size() - open - 2);
    if (inner == sjis::kFloorUnknown) return true;
    if (!sjis::endsWithChars(inner, sjis::kKai) || inner.size() == sjis::kKai.size()) return false;
    for (std::size_t pos = 0; pos + sjis::kKai.size() < inner.size(); pos += 2) {
        if (!sjis::isWideDigit(inner, pos)) return false;
    }
    return true;
}

bool isGenericTown(std::string_view name) { return name == sjis::kGenericTown; }

int openParentheses(std::string_view name) {
    int open = 0;
    for (char c : name) {
        if (c == '(') ++open;
        if (c == ')') --open;
    }
    return open;
}

}  // namespace mkdic
