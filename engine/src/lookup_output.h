// The lookups as the exported interface hands them out: the caller's
// buffers cleared first, filled within their documented sizes, and the
// hyphen mode applied. The classic exports and the engine handles both go
// through these, so the two give the same bytes for the same question.
#pragma once

#include <string_view>

#include "zip_engine.h"

namespace keszip {

// The caller's buffers of an address lookup; any may be null.
struct CodeOutputs {
    char* oldCode = nullptr;        // KESZIP_OLD_CODE_SIZE
    char* code7 = nullptr;          // KESZIP_CODE7_SIZE, or the error text
    char* addressNumber = nullptr;  // KESZIP_ADDRESS_NUMBER_SIZE
    char* jisCode = nullptr;        // KESZIP_JIS_CODE_SIZE
};

// Opens the dictionary when needed and looks `address` up (a null address is
// the empty text). Every buffer given is cleared first; the 7-digit code and
// the error texts go to a private buffer when out.code7 is null. With
// `hyphen`, the code buffers given get their hyphen afterwards (whatever the
// result). Returns the lookup's flags.
int lookupCodes(ZipEngine& engine, const char* address, bool hyphen, const CodeOutputs& out);

// The local-government code of the last lookup as "%05d" into `out`
// (KESZIP_JIS_CODE_SIZE); returns 5.
int writeJisCode(const ZipEngine& engine, char* out);

// The caller's buffers of one address of a code search; any may be null.
struct AddressOutputs {
    char* oldCode = nullptr;
    char* code7 = nullptr;
    char* prefecture = nullptr;
    char* city = nullptr;
    char* ward = nullptr;
    char* town = nullptr;
    char* townNote = nullptr;
};

// One step of the code-to-address search (GetZipAddress): buffers cleared,
// the dictionary opened when needed, the next address written. Returns the
// search flags.
int searchCodeAddress(ZipEngine& engine, bool first, const char* code, bool hyphen,
                      const AddressOutputs& out);

}  // namespace keszip
