// What the Excel run needs of a workbook file kind: a reader for the sheet
// list and the cells of one sheet, and a writer that copies a source
// workbook, takes text cells and is saved or discarded. The binary workbook
// files (.xls) of the workbooks folder are one kind; another can plug in beside it.
// Texts are Shift-JIS.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

struct WorkbookSheet {
    std::string name;
    std::uint32_t rowCount = 0;  // last used row + 1; 0 for a sheet without rows
};

struct WorkbookCell {
    std::uint32_t column = 0;  // 0-based
    std::uint32_t row = 0;     // 0-based
    bool isText = false;
    double number = 0;  // for number cells
    std::string text;   // for text cells
    // A text that has no Shift-JIS form; `text` then shows it with "?" for
    // such characters.
    bool unconvertible = false;
};

class WorkbookReader {
  public:
    virtual ~WorkbookReader() = default;
    // False when the file is not a readable workbook.
    virtual bool open(const std::string& path) = 0;
    // Every sheet in the workbook's order.
    virtual std::vector<WorkbookSheet> sheets() = 0;
    // The index of the sheet with exactly this name (letter case counts), the
    // reading at its first cell; -1 when there is none.
    virtual int selectSheet(std::string_view name) = 0;
    // 0 a value cell delivered (a formula as its cached result; blanks,
    // booleans and formulas without a result are passed over), in row order; -1 the end of the
    // sheet; -2 a read error. Texts are cut to `capacity` - 1 bytes.
    virtual int nextCell(WorkbookCell& cell, std::size_t capacity) = 0;
    virtual void close() = 0;
};

// Results of WorkbookWriter::copy.
inline constexpr int kWorkbookCopied = 0;
inline constexpr int kWorkbookSourceUnreadable = -5001;  // any other negative: output failed

// Result of WorkbookWriter::putText for a cell that belongs to an array
// formula or a data table: replacing it would break them, so it stays.
inline constexpr int kWorkbookCellInFormulaBlock = -33;

class WorkbookWriter {
  public:
    virtual ~WorkbookWriter() = default;
    // A copy of `sourcePath` to be written to `outputPath`.
    virtual int copy(const std::string& outputPath, const std::string& sourcePath) = 0;
    // 0, or negative when the index is out of range.
    virtual int selectSheet(int index) = 0;
    // A text cell of the selected sheet; 0, kWorkbookCellInFormulaBlock, or
    // negative when the output failed.
    virtual int putText(std::uint32_t column, std::uint32_t row, std::string_view text) = 0;
    // Writes the output; 0, or negative when it could not be completed.
    virtual int save() = 0;
    // Ends the output without writing; no file is left.
    virtual int discard() = 0;
};

class WorkbookKind {
  public:
    virtual ~WorkbookKind() = default;
    virtual std::unique_ptr<WorkbookReader> reader() = 0;
    virtual std::unique_ptr<WorkbookWriter> writer() = 0;
};

}  // namespace converter
