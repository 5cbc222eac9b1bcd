// The telephone codes that serve a partial address: the area codes of every
// town below the deepest level the text names, or the full codes of the
// towns it names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "src/zip_engine.h"

namespace keszip::tel {

// `address` is Shift-JIS as the caller wrote it. Returns the distinct codes in
// the order gathered (renumbered while `baseDate` is 1 or later); empty when
// the text names no prefecture followed by more text, or nothing is found.
std::vector<std::string> decisionCodes(ZipEngine& dictionary, std::string_view address,
                                       int baseDate);

}  // namespace keszip::tel
