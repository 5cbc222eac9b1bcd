// The drill-down search: the prefectures, cities, municipalities and towns
// whose names or readings begin with a partial address text.
#pragma once

#include <string_view>

#include "search_state.h"
#include "zip_engine.h"

namespace keszip {

// How a partial text compares with one dictionary entry.
enum PrefixResult : int {
    kPrefixDiffers = 0,
    kPrefixTextShorter = 1,  // the entry goes on past the text
    kPrefixEqual = 2,
    kPrefixEntryShorter = 3,  // the text goes on into the next level
};

// Compares the folded partial text with an entry folded in the literal form.
// "(" ends the entry; a text "*" (or a trailing "*") matches any rest. For
// kPrefixEntryShorter, `rest` is the part of the text after the entry.
int prefixCompare(std::string_view text, std::string_view entry, std::string_view* rest);

// One step of the drill-down search: with `first` a search for `text`
// (Shift-JIS) starts. Writes the next entry into `parts` (the ward member
// holds the municipality) and returns 1, or 0 with lastError 100 at the end.
int nextIncAddress(ZipEngine& engine, bool first, std::string_view text, AddressParts& parts);

}  // namespace keszip
