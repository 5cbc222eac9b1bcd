#include "sjis_text.h"

namespace mkdic::sjis {

bool endsWithChars(std::string_view text, std::string_view suffix) {
    if (suffix.size() > text.size()) return false;
    const std::size_t start = text.size() - suffix.size();
    std::size_t pos = 0;
    while (pos < start) pos += charLength(text, pos);
    return pos == start && text.substr(start) == suffix;
}

std::size_t findChars(std::string_view text, std::string_view needle, std::size_t from) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (pos >= from && text.substr(pos, needle.size()) == needle) return pos;
        pos += charLength(text, pos);
    }
    return std::string_view::npos;
}

}  // namespace mkdic::sjis
