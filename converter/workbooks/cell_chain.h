// The cell records of one output sheet, kept row by row in column order.
// Copied cells are appended as they arrive (a workbook stores them in order);
// a new text cell replaces the cell at its place or splits a run of number or
// blank cells around itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace workbooks {

class CellChain {
  public:
    // Appends a copied cell record at the end of its row; false when the data
    // is too short to name a cell.
    bool append(std::uint16_t type, std::string_view data);
    // Appends a record that belongs to the cell appended last (a formula's
    // string result, shared formula, array or table); false when no cell came yet.
    bool attach(std::uint16_t type, std::string_view data);
    // The format (XF index) of the cell at (row, column), or -1 when there is none.
    int formatAt(std::uint32_t row, std::uint32_t column) const;
    // Puts a one-cell record at (row, column). A formula replaced there loses
    // its string result; the shared formula of a replaced master is kept for
    // the cells that use it (settleSharedFormulas); an array or table after
    // it stays.
    void insert(std::uint32_t row, std::uint32_t column, std::uint16_t type, std::string_view data);
    // The cell lies in the range of an array formula or a data table: it
    // cannot be replaced without breaking them.
    bool inFormulaBlock(std::uint32_t row, std::uint32_t column) const;
    // Gives every shared formula whose master was replaced new masters among
    // the cells of its range that still use it, before the rows are written:
    // the first such cell in row order, its range shrunk to the rest of the
    // range (a block of rows and columns splits into the rest of the
    // master's row and the rows below it).
    void settleSharedFormulas();

    // Rows 0 .. rowLimit() - 1; a row without cells has empty bytes.
    std::uint32_t rowLimit() const { return static_cast<std::uint32_t>(rows_.size()); }
    // The records of a row, headers included, in column order.
    std::string_view rowBytes(std::uint32_t row) const {
        if (row >= rows_.size()) return {};
        return std::string_view(arena_).substr(rows_[row].offset, rows_[row].size);
    }
    // First column and last column + 1 of a row's cells.
    void rowColumns(std::uint32_t row, std::uint32_t& first, std::uint32_t& lastPlus1) const;
    std::uint64_t byteSize() const { return bytes_; }

  private:
    // A row's records lie in one piece of the arena; a row that outgrows its
    // piece moves to the arena's end. Copied rows arrive in order, so they
    // grow in place and the arena stays close to the sheet's size.
    struct Row {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
        std::uint32_t capacity = 0;
    };
    Row& rowFor(std::uint32_t row);
    // A rectangle of cells: rows first..last, columns first..last.
    struct Block {
        std::uint32_t firstRow, lastRow, firstColumn, lastColumn;
    };
    // A shared formula (SHRFMLA data) whose master at (row, column) was replaced.
    struct Orphan {
        std::uint32_t row, column;
        std::string shared;
    };
    void settle(const Orphan& orphan);
    // Replaces `length` bytes at `pos` of the row with `with`.
    void splice(Row& row, std::size_t pos, std::size_t length, std::string_view with);
    std::vector<Row> rows_;
    std::string arena_;
    std::uint64_t bytes_ = 0;
    std::int64_t lastRow_ = -1;         // of the cell appended last
    std::vector<Block> formulaBlocks_;  // of array formulas and data tables
    std::vector<Orphan> orphans_;
};

// Records that follow a formula cell and name no cell of their own.
bool isCellAttachment(std::uint16_t type);

// Column range of one cell record's data: a run record (MULRK, MULBLANK)
// covers several columns, every other cell one.
void cellColumns(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                 std::uint32_t& first, std::uint32_t& last);

}  // namespace workbooks
