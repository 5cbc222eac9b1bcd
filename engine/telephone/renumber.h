// Bringing an old Japanese telephone number up to date as of a base date
// (the area-code and local-number changes of 1998-2000). The number is edited
// in its own written form: full-width or half-width digits, brackets and
// blanks survive the conversion.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keszip::tel {

// The base date YYYYMMDD read from a text, or nullopt when the text is refused.
// Zero (also an empty or non-numeric text) switches renumbering off; any other
// value must be written in exactly 8 characters and lie in 19000000-29999999.
std::optional<int> parseBaseDate(std::string_view text);

// The number renumbered as of `baseDate`, or nullopt when no rule converts it
// (always so while the base date is 0). The result is at most two bytes
// longer than `number`.
std::optional<std::string> renumber(std::string_view number, int baseDate);

// The growth bound of renumber(): an output buffer needs the input length plus
// this many bytes plus the terminator.
inline constexpr std::size_t kRenumberGrowth = 2;

}  // namespace keszip::tel
