// Moves the A1-style references of a formula's text as a formula moves
// between cells: a relative row or column changes by the distance, an
// absolute one ($) stays. Texts in quotes, sheet names, function names,
// defined names and bracketed parts (table columns, other workbooks) stay as
// they are. A reference moved off the sheet becomes #REF!, as when a formula
// is copied past the sheet's edge.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace workbooks {

std::string shiftFormula(std::string_view formula, std::int64_t rows, std::int64_t columns);

}  // namespace workbooks
