// Address to code: finds the prefecture, city or county, municipality and
// town of a free-form address and writes its codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "match_state.h"
#include "zip_engine.h"

namespace keszip {

// Result flags of an address lookup.
enum LookupFlag : int {
    kFlagFound = 1,
    kFlagKyotoStreet = 2,
    kFlagGenericCode = 4,
    kFlagNoPrefecture = 8,
    kFlagNoCity = 16,
};

// The town level: matchTown, or the slow reference matchTownUncached.
using TownMatcher = int (*)(ZipEngine&, std::size_t, std::string_view, std::string_view,
                            const LookupTargets&);

// Looks `address` (Shift-JIS, as the caller wrote it) up; returns the flags,
// or 0 with an error text ("ERR-001", "ERR-003", "ERR-005", "ERR-006",
// "ERR-999") in targets.code7 when that is given.
int lookupAddress(ZipEngine& engine, std::string_view address, const LookupTargets& targets,
                  TownMatcher townMatcher = nullptr);

// The address (as the caller wrote it) in the form the lookup compares:
// folded for matching, without the 大字 that most town names leave out and
// without parentheses.
std::string foldAddress(const ZipEngine& engine, std::string_view address);

// The directory levels; each updates engine.match.
void matchPrefecture(ZipEngine& engine);
void matchCity(ZipEngine& engine);
void matchMunicipality(ZipEngine& engine);

}  // namespace keszip
