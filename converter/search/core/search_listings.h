// The searches of the search dialogs, run through the engine's exported
// functions: each drives one enumeration from its first call to its end and
// returns the lines to list. Texts are Shift-JIS bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace converter::search {

struct Listing {
    std::vector<std::string> lines;
    // Lines counted as results; 0 when the list holds only the not-found line.
    long count = 0;
    // Text search: the lines are places above town level, so picking one
    // narrows the search instead of ending it.
    bool listIsPartial = false;
    // The label above the list: "検索結果" or the count.
    std::string label;
};

// The addresses of a code (at most 8 characters are read), catch-all
// entries left out; the old code leads each line when `show5`. An empty code
// lists nothing; a code without listed addresses lists the not-found line.
Listing listCodeAddresses(std::string_view code, bool show5);

// The places matching a partial address text (at most 2047 bytes are read).
// Nothing found lists nothing.
Listing listMatchingPlaces(std::string_view text);

// Large business offices by code (at most 8 characters), or by name (1023
// bytes) with an address text narrowing it and the match condition 0-2.
// Nothing found lists the not-found line.
Listing listOfficesByCode(std::string_view code);
Listing listOfficesByName(std::string_view name, std::string_view address, int match);

}  // namespace converter::search
