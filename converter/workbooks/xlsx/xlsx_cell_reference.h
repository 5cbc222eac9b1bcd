// A1-style cell references of Office Open XML sheets ("B12", "XFD1048576").
#pragma once

#include <cstdint>
#include <string>

namespace workbooks {

struct CellReference {
    std::int64_t column = 0;  // 0-based
    std::int64_t row = 0;     // 0-based
};

// "12" → 12; false for anything but 1 to 7 digits with a value of at least 1.
bool parseRowNumber(const char* text, std::int64_t& number);
// "B12" → column 1, row 11; false for a malformed reference.
bool parseCellReference(const char* text, CellReference& reference);
// 0 → "A", 25 → "Z", 26 → "AA".
std::string columnName(std::uint32_t column);
// Column 5, row 11 → "F12".
std::string cellName(std::uint32_t column, std::uint32_t row);

}  // namespace workbooks
