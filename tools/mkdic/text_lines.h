// Walks a text line by line, the way every text file the builder reads is cut:
// lines end in LF, a CR before it belongs to the line end.
#pragma once

#include <cstddef>
#include <string_view>

namespace mkdic {

// Calls `visit(line, lineNumber)` for each line (1-based numbers, line end
// removed) until the text ends or `visit` returns false.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit) {
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!visit(line, ++lineNumber)) return;
    }
}

}  // namespace mkdic
