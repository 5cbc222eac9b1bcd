// The record stream of a workbook file: BIFF5 in a stream named "Book", BIFF8
// in one named "Workbook". The read side gives the sheet directory, the
// shared strings, the sheet dimensions and the cell values of one sheet in
// stream order; the write side creates a new file and writes records to it.
// Results are 0 or a negative code, as documented at each operation.
#pragma once

#include <platform/compound_file.h>
#include <platform/sjis_utf16.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "biff_records.h"
#include "shared_string_table.h"

namespace workbooks {

struct SheetEntry {
    std::uint32_t offset = 0;   // stream offset of the sheet's BOF
    std::uint16_t options = 0;  // low byte visibility, high byte type (0 worksheet)
    std::string name;           // Shift-JIS
    std::uint32_t firstColumn = 0, firstRow = 0;
    std::uint32_t lastColumnPlus1 = 0, lastRowPlus1 = 0;  // zero until ScanDimensions
    bool isWorksheet() const { return (options >> 8) == 0; }
};

struct CellValue {
    std::uint32_t column = 0;
    std::uint32_t row = 0;
    bool isText = false;
    double number = 0;
    std::string text;  // Shift-JIS, for text cells
    // A text with characters that have no Shift-JIS form (shown as '?').
    bool unconvertible = false;
};

class BiffStream {
  public:
    BiffStream();
    ~BiffStream();
    BiffStream(const BiffStream&) = delete;
    BiffStream& operator=(const BiffStream&) = delete;

    // Read side --------------------------------------------------------------
    // 0; -1 the storage cannot be opened; -2 no workbook stream or no sheet.
    // `decodeStrings` false keeps the string table's records undecoded (for a copy).
    int Open(const std::string& path, bool decodeStrings = true);
    // The same over a file image in memory (which must outlive the stream).
    int OpenMemory(const void* data, std::size_t size, bool decodeStrings = true);
    // Releases everything; for a written file `keep` false removes it.
    // 0; -1 nothing was open; -5 the written file could not be completed.
    int Close(bool keep = true);
    // Fills the bounds of every sheet entry; 0.
    int ScanDimensions();
    // Index of the sheet with exactly this name, the stream at its BOF; -1 none.
    int SelectSheet(std::string_view name);
    // 0 a cell delivered; -1 end of the sheet; -2 read error. Texts are cut to
    // `capacity` - 1 bytes at a character boundary.
    int NextCell(CellValue& cell, std::size_t capacity);
    // 0 with the data in record(); -1 read error or a record over 8224 bytes.
    int ReadRecord(std::uint16_t& type, std::uint16_t& length);
    // The new position, or -1.
    std::int64_t Seek(std::uint64_t offset);

    // Write side -------------------------------------------------------------
    // 0; -1 the file or its class id failed; -2 the stream could not be created.
    int Create(const std::string& path, bool biff8);
    // 0; -1 a write failed.
    int WriteRecord(std::uint16_t type, std::uint16_t length, const void* data);
    // Records already laid out with their headers; 0 or -1.
    int WriteBytes(std::string_view records);

    bool isBiff8() const { return biff8_; }
    const std::vector<SheetEntry>& sheets() const { return sheets_; }
    int sheetCount() const { return static_cast<int>(sheets_.size()); }
    SharedStringTable& strings() { return strings_; }
    const std::uint8_t* record() const { return buffer_.data(); }
    platform::Utf16Converter& converter() { return converter_; }

  private:
    int openStorage(bool decodeStrings);
    void readGlobals(bool decodeStrings);
    void addSheet(std::uint16_t length);
    // False when a character had no Shift-JIS form.
    bool takeText(const std::uint8_t* chars, std::size_t count, bool wide, std::size_t capacity,
                  std::string& out);
    // The cached result of a FORMULA record in the buffer: 1 a number or
    // text delivered into `cell`, 0 none (empty, boolean or error), -1 a read error.
    int formulaResult(std::uint16_t length, CellValue& cell, std::size_t capacity);
    void closeReader();

    platform::CompoundReader storage_;
    std::unique_ptr<platform::CompoundStream> stream_;
    std::unique_ptr<platform::CompoundWriter> writer_;
    bool biff8_ = false;
    std::array<std::uint8_t, kMaxRecordData> buffer_{};
    std::uint64_t position_ = 0;  // of the next record
    std::vector<SheetEntry> sheets_;
    SharedStringTable strings_;
    platform::Utf16Converter converter_;
    std::u16string wide_;  // scratch
    // The cells of one MULRK record, handed out one at a time.
    struct MultipleCells {
        std::uint32_t remaining = 0, nextColumn = 0, row = 0, lastColumn = 0, index = 0;
        std::size_t values = 0;  // position of the values in the record buffer
    } multiple_;
};

}  // namespace workbooks
