// The hyphen after the third digit of codes, applied in place to the
// caller's buffers when the hyphen mode is on.
#pragma once

namespace keszip {

// "12345" becomes "123-45"; the three-digit form "060  " becomes "060   ".
void insertOldCodeHyphen(char* buffer);
// "1234567" becomes "123-4567"; an error text is edited the same way.
void insertCode7Hyphen(char* buffer);

}  // namespace keszip
