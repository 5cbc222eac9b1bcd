// Output workbooks built in memory and written in one pass when saved, so that
// the stream offsets of sheets and row blocks are known before writing. A
// table of 32 slots holds the open workbooks; results are 0 or a slot index,
// negative codes for failures (-2 slot outside 0-31, -3 empty slot, -4 sheet
// index out of range, -5 write or close failed, -31 bad sheet name).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "biff_stream.h"
#include "cell_chain.h"
#include "xf_format.h"

namespace workbooks {

struct WorkbookRecord {
    std::uint16_t type;
    std::string data;
};
using RecordList = std::vector<WorkbookRecord>;

// A source's ROW record (its data, 16 bytes), kept for its height and format.
struct SourceRow {
    std::uint32_t row;
    std::array<char, 16> data;
};

struct OutputSheet {
    RecordList rowFormats;  // copied COLINFO and hand-sized ROW records
    CellChain cells;
    bool gridlines = true;
    std::uint16_t defaultColumnWidth = 8;
    std::string defaultRowHeight = std::string("\0\0\x0E\x01", 4);  // options 0, 270 twips
    std::string name;                                               // Shift-JIS

    // A copied sheet carries the source's own records: `head` from its BOF
    // to its DIMENSIONS, `tail` from its last cell to its EOF (both left out),
    // and the source's ROW records by row; the layout generates BOF, INDEX,
    // DIMENSIONS, ROW, DBCELL and EOF around them. A copied chart, macro or
    // module sheet is `raw`: its records from BOF to EOF, written as they are.
    bool copied = false;
    bool raw = false;
    RecordList head, tail;
    std::vector<SourceRow> sourceRows;  // in row order
    // The source's BOUNDSHEET data after the offset: options and name as stored.
    std::string boundSheet;
};

struct OutputWorkbook {
    BiffStream stream;
    bool biff8 = false;
    RecordList header, fonts, formats, xfs, styles;
    XfMatchList xfMatch;  // formats from index 21 on, never written
    // The cell formats below 21 of a copied source that are not the default
    // cell format (writers other than Excel put their own formats there).
    XfMatchList lowCellFormats;
    std::vector<OutputSheet> sheets;
    // A copy writes the source's globals in their order (its BOF and EOF
    // left out), with the XF records of `xfs`, the BOUNDSHEET records and the
    // string table put in where the source had them.
    bool copied = false;
    RecordList globals;
    std::size_t xfsAt = 0, sheetsAt = 0, stringsAt = 0;
    std::uint32_t selectedSheet = 0;
    std::string fileName;
    bool saved = false;
};

// `sheetCount` above 30000 announces a copy of sheetCount - 30000 sheets
// (formats then come from the source); otherwise a fresh workbook with the
// default fonts, formats and styles. Slot index, or -1.
int WorkbookCreate(const std::string& path, int sheetCount, bool biff8);
int WorkbookSetSheetName(int slot, int sheet, std::string_view name);
// Writes the file and closes the slot.
int WorkbookSave(int slot);
// Closes the slot; an unsaved workbook leaves no file behind.
int WorkbookClose(int slot);
// The workbook of an open slot, or null.
OutputWorkbook* workbookAt(int slot);
// -2 or -3 for a bad slot, 0 otherwise.
int checkSlot(int slot);

// Record lists being built.
inline void addRecord(RecordList& list, std::uint16_t type, const RecordData& data = {}) {
    list.push_back({type, data.str()});
}
inline void addRecord16(RecordList& list, std::uint16_t type, std::uint32_t value) {
    addRecord(list, type, RecordData().u16(value));
}
// Bytes a list takes in the stream, headers included.
inline std::uint64_t listSize(const RecordList& list) {
    std::uint64_t size = 0;
    for (const WorkbookRecord& r : list) size += 4 + r.data.size();
    return size;
}

// Globals records of a new file and the default formats of a fresh workbook
// (workbook_defaults.cpp); the whole stream at save (workbook_layout.cpp).
void appendGlobalsHeader(OutputWorkbook& book);
void appendDefaultFormats(OutputWorkbook& book);
// Writes every record of the workbook; 0 or -5.
int writeWorkbook(OutputWorkbook& book);

}  // namespace workbooks
