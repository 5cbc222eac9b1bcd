// Address to code: finds the prefecture, city or county, municipality and
// town of a free-form address and writes its codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "keszip.h"
#include "match_state.h"
#include "zip_engine.h"

namespace keszip {

// Result flags of an address lookup.
enum LookupFlag : int {
    kFlagFound = KESZIP_FOUND,
    kFlagKyotoStreet = KESZIP_KYOTO_STREET,
    kFlagGenericCode = KESZIP_GENERIC_CODE,
    kFlagNoPrefecture = KESZIP_NO_PREFECTURE,
    kFlagNoCity = KESZIP_NO_CITY,
    kFlagFormerName = KESZIP_FORMER_NAME,
    kFlagCodeDiffers = KESZIP_CODE_DIFFERS,
};

// The town level: matchTown, or the slow reference matchTownUncached.
using TownMatcher = int (*)(ZipEngine&, std::size_t, std::string_view, std::string_view,
                            const LookupTargets&);

// Looks `address` (Shift-JIS, as the caller wrote it) up; returns the flags,
// or 0 with an error text ("ERR-001", "ERR-003", "ERR-005", "ERR-006",
// "ERR-999") in targets.code7 when that is given. An address that reaches no
// town, or only a generic code, is tried once more with each former name it
// holds written as the name now; an answer found so carries kFlagFormerName.
int lookupAddress(ZipEngine& engine, std::string_view address, const LookupTargets& targets,
                  TownMatcher townMatcher = nullptr);

// lookupAddress without the retry by former names (former_name_lookup.cpp): the
// address only as it is written.
int lookupAddressAsWritten(ZipEngine& engine, std::string_view address,
                           const LookupTargets& targets, TownMatcher townMatcher = nullptr);

// The address (as the caller wrote it) in the form the lookup compares:
// folded for matching, without what lists write around an address (a
// leading postal code, quotes, a leading note), without the 大字 that most
// town names leave out and without parentheses. A leading postal code is
// written to `leadingCode` when that is given (0 when there is none).
std::string foldAddress(const ZipEngine& engine, std::string_view address,
                        std::uint32_t* leadingCode = nullptr);

// The directory levels; each updates engine.match.
void matchPrefecture(ZipEngine& engine);
void matchCity(ZipEngine& engine);
void matchMunicipality(ZipEngine& engine);

}  // namespace keszip
