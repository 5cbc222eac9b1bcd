// Kyoto addresses name a place by its street description (烏丸通三条上る)
// before, or instead of, the town name, while the dictionary lists the
// descriptions in a note after the town name. Turning the note inside out
// lets the usual pattern matching read the address in its own order.
#include "town_pattern.h"
#include "town_text.h"

namespace keszip {
namespace {

using namespace town;
using namespace std::string_view_literals;

// Longest town name whose note is turned inside out.
constexpr std::size_t kMaxTownName = 20;

constexpr std::string_view kUp = "\x8F\xE3"sv;     // 上 (上る, north)
constexpr std::string_view kDown = "\x89\xBA"sv;   // 下 (下る, south)
constexpr std::string_view kEnter = "\x93\xFC"sv;  // 入 (入る, east or west)

bool hasDirection(std::string_view text) {
    return containsText(text, kUp) || containsText(text, kDown) || containsText(text, kEnter);
}

}  // namespace

void kyotoRewrite(std::string& pattern) {
    const std::size_t open = findByte(pattern, '(');
    if (open == std::string::npos || open > kMaxTownName) return;
    const std::string_view text(pattern);
    if (!hasDirection(text.substr(open))) return;

    // "(" + town name + "､$$)": the town name, or nothing after the description.
    std::string group = "(";
    group.append(text.substr(0, open));
    group += kListComma;
    group += kStreetMark;
    group += ')';

    std::string out;
    out.reserve(pattern.size() * 2 + group.size());
    int depth = 0;
    bool closed = false;
    for (std::size_t i = open + 1; i < text.size() && !closed;) {
        std::size_t n = charLength(text, i);
        char c = text[i];
        if (n == 1 && c == '(') {
            ++depth;
        } else if (n == 1 && c == ')') {
            if (depth == 0) {
                out += group;
                closed = true;
                continue;
            }
            --depth;
        } else if (n == 1 && c == kListComma && depth == 0) {
            out += group;
        }
        out.append(text.substr(i, n));
        i += n;
    }
    if (!closed) out += group;
    pattern = std::move(out);
}

}  // namespace keszip
