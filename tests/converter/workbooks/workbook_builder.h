// Builds small workbook files record by record, for cases no tool writes on
// request: BIFF5 books, MULRK runs, strings that change width after a
// CONTINUE, files with both a "Book" and a "Workbook" stream, damaged records.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testbook {

std::string u16(std::uint32_t v);
std::string u32(std::uint32_t v);
std::string f64(double v);
std::string record(std::uint16_t type, const std::string& data);

struct Sheet {
    std::string name;       // BIFF5: Shift-JIS bytes; BIFF8: as given, compressed
    bool wideName = false;  // BIFF8: `name` holds UTF-16LE bytes
    std::uint16_t options = 0;
    std::string cells;  // records between the sheet's BOF and EOF
};

// A workbook stream: globals (BOF, `globals`, BOUNDSHEETs, EOF) then the sheets.
std::string workbookStream(bool biff8, const std::vector<Sheet>& sheets,
                           const std::string& globals = {});
// Five fonts and 21 plain cell formats, the least a reader expects.
std::string basicFormats(bool biff8);
// Cell records.
std::string label5(std::uint16_t row, std::uint16_t col, const std::string& sjis);
std::string labelSst(std::uint16_t row, std::uint16_t col, std::uint32_t index);
std::string number(std::uint16_t row, std::uint16_t col, double value, std::uint16_t xf = 15);
std::string rk(std::uint16_t row, std::uint16_t col, std::uint32_t rkValue);
std::string mulrk(std::uint16_t row, std::uint16_t first, const std::vector<std::uint32_t>& rks);
std::string dimensions(bool biff8, std::uint32_t firstRow, std::uint32_t lastRowPlus1,
                       std::uint16_t firstCol, std::uint16_t lastColPlus1);
// An RK holding a 30-bit integer.
inline std::uint32_t rkInt(std::int32_t v) { return (static_cast<std::uint32_t>(v) << 2) | 2; }

// Writes a compound file with the named streams; false on failure.
bool writeCompound(const std::string& path,
                   const std::vector<std::pair<std::string, std::string>>& streams);

}  // namespace testbook
