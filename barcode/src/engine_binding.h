// The postal-code engine, loaded by name on first need and kept for the life
// of the process.
#pragma once

#include <string>

#include "barcode_encoding.h"

namespace kesbar {

// Barcode data of a Shift-JIS address: the engine's 7-digit code followed by
// the address-number part. NoEngine when the engine library or its lookup
// cannot be loaded, NotPlaced when the engine does not place the address or
// gives only a municipality's generic code.
Result addressData(const char* address, std::string& data);

}  // namespace kesbar
