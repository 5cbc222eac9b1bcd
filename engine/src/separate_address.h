// Splits an address, as the user wrote it, into prefecture, city, ward,
// town and the rest, using the levels an address lookup matched.
#pragma once

#include <string>
#include <string_view>

#include "zip_engine.h"

namespace keszip {

// A copy of `text` in which every character is replaced by its matching form
// padded with "*" to the byte length it had, so that a byte position in the
// copy is the same position in `text`. Blanks, "&", "." and "/" become "*",
// double-byte symbols, digits and letters one byte and a "*", hiragana and
// katakana their half-width form (one or two bytes, padded to two).
std::string foldInPlace(std::string_view text);

struct SeparatedAddress {
    std::string oldCode, code7;  // as the lookup wrote them
    std::string prefecture, city, ward, town, rest;
};

// Looks `address` up and splits it. Returns the lookup's flags, or 0 with
// lastError 100 when the address is not found (the parts are then empty).
int separateAddress(ZipEngine& engine, std::string_view address, SeparatedAddress& out);

}  // namespace keszip
