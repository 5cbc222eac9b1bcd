#include "platform/profile.h"

#include <climits>
#include <string_view>

#include "platform/binary_file.h"
#include "platform/sjis.h"
#include "profile_text.h"

namespace platform {
namespace {

using profile_text::equalsNoCase;
using profile_text::trim;

// Cuts `s` to at most `maxChars` bytes without splitting a double-byte character.
std::string cut(std::string_view s, std::size_t maxChars) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t step = isSjisLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        if (i + step > maxChars) break;
        i += step;
    }
    return std::string(s.substr(0, i));
}

}  // namespace

std::string profileLookup(const std::string& text, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          std::size_t maxChars) {
    std::string_view all(text);
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = trim(all.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            std::string_view name =
                trim(close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1));
            // Only the first section of a name counts.
            if (inSection) break;
            inSection = equalsNoCase(name, section);
            continue;
        }
        if (!inSection) continue;
        std::size_t eq = line.find('=');
        std::string_view name = trim(eq == std::string_view::npos ? line : line.substr(0, eq));
        if (!equalsNoCase(name, key)) continue;
        std::string_view value =
            eq == std::string_view::npos ? std::string_view() : trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return cut(value, maxChars);
    }
    return cut(trim(defaultValue), maxChars);
}

std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t maxChars,
                                    const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) text.clear();
    return profileLookup(text, section, key, defaultValue, maxChars);
}

int textToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // At most eleven digits' worth is ever held: past INT_MAX the value is
    // the nearest int at once, so no number of digits can overflow.
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace platform
