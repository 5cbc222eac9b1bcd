// Reads an Office Open XML workbook (.xlsx): its sheet list in workbook order
// and the cells of one sheet in row order, streamed, so that a sheet of a
// million rows is read without holding the sheet in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx_package.h"

struct XML_ParserStruct;

namespace workbooks {

enum class XlsxCellKind { Text, Number };

// A cell that carries a value a conversion can use: a text (shared or inline
// string) or a plain number. Formulas, booleans, errors and blank cells are
// passed over.
struct XlsxCell {
    std::uint32_t row = 0;     // 0-based
    std::uint32_t column = 0;  // 0-based
    XlsxCellKind kind = XlsxCellKind::Text;
    std::string text;  // UTF-8, for texts
    double number = 0;
};

struct XlsxSheet {
    std::string name;        // UTF-8, as in the workbook
    std::string part;        // entry name of the sheet's part; empty when it has none
    bool worksheet = false;  // false for chart sheets and other kinds
};

// Largest sheet of the format.
inline constexpr std::uint32_t kXlsxMaxRows = 1048576;
inline constexpr std::uint32_t kXlsxMaxColumns = 16384;

class XlsxReader {
  public:
    XlsxReader();
    ~XlsxReader();
    XlsxReader(const XlsxReader&) = delete;
    XlsxReader& operator=(const XlsxReader&) = delete;

    // Opens the package and reads the workbook's sheet list and shared
    // strings; false when the file is not a readable workbook package.
    bool open(const std::string& path);
    void close();

    const std::vector<XlsxSheet>& sheets() const { return sheets_; }
    // The entry name of the workbook part ("xl/workbook.xml" as a rule).
    const std::string& workbookPart() const { return workbookPart_; }
    // True when the worksheet holds at least one cell (read up to its first cell).
    bool sheetHasCells(std::size_t index);
    // The index of the sheet named exactly `name` (UTF-8, letter case counts),
    // made the sheet that nextCell reads; -1 when there is none.
    int selectSheet(std::string_view name);
    int selectSheet(std::size_t index);

    // 1 with the next usable cell, 0 at the end of the sheet, -1 when the
    // sheet is damaged.
    int nextCell(XlsxCell& cell);

    // The text of shared string `index`, or null when there is no such string.
    const std::string* sharedString(std::size_t index) const;

  private:
    friend struct SheetCellParse;
    bool readWorkbook();
    bool readSharedStrings(const std::string& part);
    bool feed();

    XlsxPackage package_;
    std::vector<XlsxSheet> sheets_;
    std::string workbookPart_;
    std::vector<std::string> sharedStrings_;
    // Streaming state of the selected sheet.
    std::unique_ptr<XlsxEntry> entry_;
    std::unique_ptr<struct SheetCellParse> parse_;
    XML_ParserStruct* parser_ = nullptr;
    std::vector<char> buffer_;
    bool ended_ = false;
    bool damaged_ = false;
    std::size_t queueHead_ = 0;
};

}  // namespace workbooks
