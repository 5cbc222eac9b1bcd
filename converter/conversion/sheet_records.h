// A sheet of a workbook as the records of a run: each row that has a value
// in one of the address columns is a record, numbered by its sheet row; and
// the copy of the workbook as the run's sink.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "run_records.h"
#include "workbook.h"

namespace converter {

class SheetRowSource final : public RecordSource {
  public:
    // `columns`: the column numbers of address pieces 1-4 (1-based, 0 none).
    SheetRowSource(WorkbookReader& reader, std::string sheet, std::array<std::int32_t, 4> columns)
        : reader_(reader), sheet_(std::move(sheet)), columns_(columns) {}
    ~SheetRowSource() override { reader_.close(); }
    // Opens the workbook and selects the sheet; false when either fails.
    bool open(const std::string& path) override;
    // The next row with at least one address piece; rows without any are
    // passed over. A read error ends the sheet.
    bool next(std::uint32_t& number) override;
    double fraction() const override;

    int sheetIndex() const { return index_; }
    std::uint32_t row() const { return row_; }  // 0-based
    // The pieces of the row joined in address order 1 to 4.
    std::string address() const;
    // A piece of the row has characters without a Shift-JIS form (shown as "?").
    bool unconvertible() const { return unconvertible_; }

  private:
    void take(const WorkbookCell& cell);

    WorkbookReader& reader_;
    std::string sheet_;
    std::array<std::int32_t, 4> columns_;
    std::array<std::string, 4> pieces_;
    std::array<bool, 4> filled_{};
    bool unconvertible_ = false;
    int index_ = -1;
    std::uint32_t rowCount_ = 0;
    std::uint32_t row_ = 0;
    WorkbookCell cell_;
    bool pending_ = false;  // cell_ is the first cell of the next row
    bool ended_ = false;
};

class WorkbookCopySink final : public RecordSink {
  public:
    WorkbookCopySink(WorkbookWriter& writer, const SheetRowSource& source, std::string sourcePath)
        : writer_(writer), source_(source), sourcePath_(std::move(sourcePath)) {}
    ~WorkbookCopySink() override;
    // Copies the source workbook and selects the run's sheet in the copy.
    int open(const std::string& path) override;
    bool commit() override;
    void discard() override;
    // 0, or negative when the cell could not be written.
    int putText(std::uint32_t column, std::uint32_t row, std::string_view text) {
        return writer_.putText(column, row, text);
    }

  private:
    WorkbookWriter& writer_;
    const SheetRowSource& source_;
    std::string sourcePath_;
    bool open_ = false;
};

}  // namespace converter
