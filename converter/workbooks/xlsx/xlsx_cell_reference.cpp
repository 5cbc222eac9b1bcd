#include "xlsx_cell_reference.h"

namespace workbooks {

bool parseRowNumber(const char* text, std::int64_t& number) {
    number = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (++digits > 7) return false;
        number = number * 10 + (*text - '0');
    }
    return digits > 0 && *text == '\0' && number >= 1;
}

bool parseCellReference(const char* text, CellReference& reference) {
    std::int64_t column = 0;
    int letters = 0;
    for (; *text >= 'A' && *text <= 'Z'; ++text) {
        if (++letters > 3) return false;
        column = column * 26 + (*text - 'A' + 1);
    }
    std::int64_t row = 0;
    if (letters == 0 || !parseRowNumber(text, row)) return false;
    reference.column = column - 1;
    reference.row = row - 1;
    return true;
}

std::string columnName(std::uint32_t column) {
    std::string name;
    std::uint64_t n = static_cast<std::uint64_t>(column) + 1;
    while (n > 0) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
        n = (n - 1) / 26;
    }
    return name;
}

std::string cellName(std::uint32_t column, std::uint32_t row) {
    return columnName(column) + std::to_string(static_cast<std::uint64_t>(row) + 1);
}

}  // namespace workbooks
