// KESZIP.TBL: the user's kanji substitution pairs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fold_settings.h"

namespace keszip {

// Parses the table text into its pairs in file order (empty when it holds none).
std::vector<SubstitutionPair> parseSubstitutionTable(std::string_view text);

// Loads the table at `path` into `table`. A file that cannot be read, or that
// holds no pair, leaves `table` as it was; the result tells whether it changed.
bool loadSubstitutionTable(const std::string& path, std::vector<SubstitutionPair>& table);

}  // namespace keszip
