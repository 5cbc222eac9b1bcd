// Old 5-digit codes in the one form the lookups write them: a code that is a
// multiple of 100 as its three digits and two blanks (three blanks when the
// hyphen mode put a hyphen in it), any other as its five digits.
#pragma once

namespace cli {

// Rewrites a NUL-terminated old code ("12300" or "123-00") in place.
void useLookupOldCodeForm(char* oldCode);

}  // namespace cli
