// The postal-code text that the code-to-address searches accept.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace keszip {

// What a code text searches: the old three-digit code (old code / 100), the
// old five-digit code or the 7-digit code.
struct CodeQuery {
    int digits = 0;  // 3, 5 or 7
    std::uint32_t value = 0;
};

// Only ASCII digits with one optional "-" as the fourth character, at most 8
// characters in all, 3, 5 or 7 digits. Anything else yields nothing.
std::optional<CodeQuery> parseCodeText(std::string_view text);

// Writes `value` in decimal with leading zeros to at least `width` digits,
// as "%0*u" does, and a NUL; returns the number of digits. `out` holds at
// least 11 bytes.
std::size_t writeZeroPadded(char* out, unsigned value, int width);

// True when a town with these codes carries the code of the query.
inline bool codeMatches(const CodeQuery& q, std::uint32_t oldCode, std::uint32_t code7) {
    switch (q.digits) {
        case 7:
            return code7 == q.value;
        case 5:
            return oldCode == q.value;
        case 3:
            return oldCode / 100 == q.value;
        default:
            return false;
    }
}

// True when a code range (7-digit codes, or old codes for 3 and 5 digits) can
// hold the query's value.
inline bool rangeHolds(const CodeQuery& q, std::uint32_t low7, std::uint32_t high7,
                       std::uint32_t lowOld, std::uint32_t highOld) {
    switch (q.digits) {
        case 7:
            return q.value >= low7 && q.value <= high7;
        case 5:
            return q.value >= lowOld && q.value <= highOld;
        case 3:
            return q.value >= lowOld / 100 && q.value <= highOld / 100;
        default:
            return false;
    }
}

}  // namespace keszip
