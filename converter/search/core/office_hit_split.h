// Splitting a listed office hit back into the code, name and address that
// the detail dialog shows.
#pragma once

#include <string>
#include <string_view>

namespace converter::search {

struct OfficeHitParts {
    std::string code, name, address;
};

// Skips leading blanks; the code runs to the first blank; after the blanks
// the name runs to the line feed (so blanks inside a name stay); after the
// line feed and its blanks the rest is the address. The scan steps over a
// double-byte character whole, on the listed Shift-JIS bytes.
OfficeHitParts splitOfficeHit(std::string_view line);

}  // namespace converter::search
