// Writes a copy of an .xlsx workbook with text cells put into one sheet.
// Only the part of that sheet is rewritten (new cells as inline strings, so
// the shared-string table stays as it is); every other entry of the package
// is carried over unchanged. The copy is built in a temporary file beside the
// destination and moved into place by save(); discard() leaves no file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx_reader.h"
#include "xlsx_sheet_rewriter.h"

namespace workbooks {

// Results of the copy calls.
inline constexpr int kXlsxOk = 0;
inline constexpr int kXlsxCreateFailed = -1;
inline constexpr int kXlsxNoWorkbook = -3;
inline constexpr int kXlsxBadSheet = -4;
inline constexpr int kXlsxSaveFailed = -5;
inline constexpr int kXlsxBadCell = -32;
// A cell of an array formula or a data table: it stays as it is.
inline constexpr int kXlsxCellInFormulaBlock = -33;
inline constexpr int kXlsxSourceFailed = -5001;

class XlsxCopy {
  public:
    XlsxCopy() = default;
    ~XlsxCopy();
    XlsxCopy(const XlsxCopy&) = delete;
    XlsxCopy& operator=(const XlsxCopy&) = delete;

    // kXlsxSourceFailed when the source is not a readable workbook package,
    // kXlsxCreateFailed when no file can be created beside the destination.
    int open(const std::string& destination, const std::string& source);
    // The sheet (index in workbook order) that receives the texts.
    int selectSheet(int index);
    // A UTF-8 text for the cell at (column, row), both 0-based; a later text
    // for the same cell replaces the earlier one. A cell of an array formula
    // or a data table is refused (kXlsxCellInFormulaBlock).
    int putText(std::uint32_t column, std::uint32_t row, std::string_view text);
    // Writes the copy and moves it to the destination.
    int save();
    // Drops the copy; the destination is left as it was.
    int discard();
    bool isOpen() const { return open_; }

  private:
    // A rectangle of cells: rows first..last, columns first..last.
    struct Block {
        std::uint32_t firstRow, lastRow, firstColumn, lastColumn;
    };
    void removeTemporaries();
    // The ranges of the selected sheet's array formulas and data tables.
    bool scanFormulaBlocks();

    bool open_ = false;
    std::string destination_;
    std::string source_;
    std::string temporary_;  // the package being built
    std::string sheetTemporary_;
    XlsxReader reader_;
    int sheet_ = 0;
    XlsxCellTexts cells_;
    std::vector<Block> blocks_;
    int blocksOf_ = -1;  // the sheet blocks_ was read from
};

// A new, empty file beside `path` (same folder) with a unique name; empty on failure.
std::string createTemporaryBeside(const std::string& path);

}  // namespace workbooks
