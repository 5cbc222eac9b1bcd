// The address number of the customer barcode: the numbers of an address
// after its town name, joined by "-" ("赤坂1丁目2番3号" gives "1-2-3").
#pragma once

#include <cstddef>
#include <string_view>

namespace keszip {

// Longest address number, without its terminating NUL.
inline constexpr std::size_t kAddressNumberLength = 13;

// Writes the address number of `rest` (the folded address after the
// municipality name) into `out`, which holds kAddressNumberLength + 1
// bytes. The first `townDigits` digits of `rest` belong to the town name
// ("北1条西") and are skipped.
void addressNumber(std::string_view rest, std::size_t townDigits, char* out);

}  // namespace keszip
