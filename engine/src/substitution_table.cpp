#include "substitution_table.h"

#include <platform/binary_file.h>

namespace keszip {
namespace {

// "＿", written for an empty key or value.
constexpr char kEmptyMark[] = "\x81\x51";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// JIS X 0208 row/cell code to its Shift-JIS code.
unsigned jisToSjis(unsigned jis) {
    unsigned hi = (jis >> 8) & 0xFF;
    unsigned lo = jis & 0xFF;
    unsigned s1 = ((hi + 1) >> 1) + (hi <= 0x5E ? 0x70 : 0xB0);
    unsigned s2 = lo + ((hi & 1) ? (lo >= 0x60 ? 0x20 : 0x1F) : 0x7E);
    return ((s1 & 0xFF) << 8) | (s2 & 0xFF);
}

// A text that begins with "\x" or "\j" and a hexadecimal number stands for
// one double-byte character; anything else stays as written.
std::string expandEscape(std::string_view text) {
    if (text.size() < 3 || text[0] != '\\' || (text[1] != 'x' && text[1] != 'j')) {
        return std::string(text);
    }
    unsigned code = 0;
    std::size_t digits = 0;
    for (std::size_t i = 2; i < text.size() && hexValue(text[i]) >= 0 && digits < 8; ++i, ++digits)
        code = code * 16 + static_cast<unsigned>(hexValue(text[i]));
    if (digits == 0) return std::string(text);
    if (text[1] == 'j') code = jisToSjis(code);
    std::string out;
    out += static_cast<char>((code >> 8) & 0xFF);
    out += static_cast<char>(code & 0xFF);
    return out;
}

std::string finishText(std::string_view text) {
    if (text.empty()) return kEmptyMark;
    return expandEscape(text);
}

}  // namespace

std::vector<SubstitutionPair> parseSubstitutionTable(std::string_view text) {
    // The byte 0x1A ends the table as the end of the text does.
    if (auto eof = text.find('\x1A'); eof != std::string_view::npos) text = text.substr(0, eof);
    std::vector<SubstitutionPair> pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string line;
        for (char c : text.substr(pos, end - pos))
            if (c != '\r') line += c;
        pos = end + 1;
        // "#" starts a comment that runs to the end of the line. A '#' byte
        // cannot be the trail byte of a Shift-JIS character (trail bytes
        // start at 0x40), so a plain search is safe.
        // Blanks that only separate a pair from its comment belong to neither.
        if (auto hash = line.find('#'); hash != std::string::npos) {
            line.erase(hash);
            while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
        }
        std::size_t first = 0;
        while (first < line.size() && static_cast<unsigned char>(line[first]) <= 0x20) ++first;
        if (first == line.size()) continue;  // nothing above 0x20
        std::size_t eq = line.find('=', first);
        std::string_view body(line);
        std::string_view key =
            eq == std::string::npos ? body.substr(first) : body.substr(first, eq - first);
        std::string_view value = eq == std::string::npos ? std::string_view() : body.substr(eq + 1);
        pairs.push_back({finishText(key), finishText(value)});
    }
    return pairs;
}

SubstitutionStarts::SubstitutionStarts(const std::vector<SubstitutionPair>& pairs)
    : pairs_(pairs.data()), count_(pairs.size()), bits_(65536 / 64) {
    for (const auto& pair : pairs) {
        if (pair.key.empty()) continue;  // an empty key never matches
        if (pair.key.size() < 2) {
            anyShortKey_ = true;
            continue;
        }
        const unsigned code =
            static_cast<unsigned char>(pair.key[0]) << 8 | static_cast<unsigned char>(pair.key[1]);
        bits_[code >> 6] |= std::uint64_t{1} << (code & 63);
    }
}

bool loadSubstitutionTable(const std::string& path, std::vector<SubstitutionPair>& table) {
    std::string text;
    if (!platform::readWholeFile(path, text)) return false;
    auto pairs = parseSubstitutionTable(text);
    if (pairs.empty()) return false;
    table = std::move(pairs);
    return true;
}

}  // namespace keszip
