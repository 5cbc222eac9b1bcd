// The former names written into the dictionary, so that an address written
// with a name a place had before is still found: town names of earlier
// editions of Japan Post's data, and municipality names from a table of
// municipal changes (mergers, renamings, ward reorganisations).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary_model.h"
#include "ken_all.h"

namespace mkdic {

// The towns and municipalities of an earlier edition (`formerTowns`) renamed
// since then: a town under the same code and municipality whose name before
// its note changed (古館 -> 古舘), and a municipality whose name changed or
// that became part of another. Left out: a former name that is still the name
// of a town of that municipality, or of a municipality.
std::vector<FormerName> formerNamesOfEdition(const std::vector<KenAllRow>& formerTowns,
                                             const std::vector<KenAllRow>& towns);

struct MunicipalChanges {
    std::vector<FormerName> names;
    std::size_t rows = 0;     // rows of the table
    std::size_t dropped = 0;  // rows whose municipality now is not in the data
};

// The table of municipal changes (UTF-8 CSV: prefecture, before, after, date;
// "#" starts a comment line), checked against today's towns. A row's "after"
// is followed through later rows to the municipality it is now part of, each
// ward of a city divided into wards since then (a
// note in parentheses after it left out, ケ and ヶ taken as the data writes
// them now; one in another prefecture keeps that prefecture's name). Each
// row gives its "before" name; a county town also gives its name without the
// county ("富谷町") unless a municipality of the prefecture has that name, both
// also to the name now followed by the town's (towns are often named after
// it: 浜名郡舞阪町 -> 浜松市中央区舞阪町), and when it became a city, the county
// with the city's name ("黒川郡富谷市").
// Throws BuildError "<source> line N: ..." for a malformed row.
MunicipalChanges municipalChangeNames(std::string_view table, const std::vector<KenAllRow>& towns,
                                      std::string_view sourceName);

}  // namespace mkdic
