// Addresses written the way real address lists write them, built from the
// real towns, one group per form: each address must come back with the
// code of the town it was built from. The accuracy report prints a line per
// group and the real-data tests check them.
#pragma once

#include <string>
#include <vector>

#include "real_towns.h"
#include "src/fold_settings.h"

namespace bench {

struct AddressCase {
    std::string address;   // Shift-JIS
    const RealTown* town;  // the town whose code the address must get
};

struct WrittenForm {
    std::string name;
    std::vector<AddressCase> cases;
};

// The groups, from all towns of the data and those among them whose name
// stands for one code (townsNamingOnePlace); the cases point into both.
// `variants`, the kanji substitution pairs of the dictionary's KESZIP.TBL,
// give the group of names written with another form of a kanji.
std::vector<WrittenForm> writtenForms(const std::vector<RealTown>& towns,
                                      const std::vector<RealTown>& one,
                                      const std::vector<keszip::SubstitutionPair>& variants = {});

}  // namespace bench
