// The town level of an address lookup: which town of one municipality the
// rest of the address names, and the codes and address number it gets.
#pragma once

#include <cstddef>
#include <string_view>

#include "match_state.h"
#include "zip_engine.h"

namespace keszip {

// Runs the town matcher on municipality `muni`. `rest` is the matching-form text after the
// municipality name (the lead passes engine.match.workText from muniOffset+muniLength on);
// `address` is the caller's text as given (unfolded), for the fixed corrections.
// Fills engine.match.best etc.; writes targets.code7 ("%07d"), targets.oldCode ("%05d", or
// "%03d  " for multiples of 100) and targets.addressNumber when not null. Returns the flags of
// the best town (1, or 3 for a Kyoto street match), or 0 with "ERR-999"/"ERR-006" written into
// targets.code7 (when not null); a block that cannot be read returns 0 and writes no error text.
int matchTown(ZipEngine& engine, std::size_t muni, std::string_view rest, std::string_view address,
              const LookupTargets& targets);

// The same matcher without the per-municipality town cache and without the
// quick leading-text test: every town is read with nextTown, folded and
// compared in full. Slow; it exists so that tests can check that the fast
// path gives the same results.
int matchTownUncached(ZipEngine& engine, std::size_t muni, std::string_view rest,
                      std::string_view address, const LookupTargets& targets);

}  // namespace keszip
