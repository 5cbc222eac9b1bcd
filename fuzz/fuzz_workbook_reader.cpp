// The workbook reader over arbitrary bytes: the compound file, the sheet
// directory, the shared strings, the dimensions and the cells of every sheet;
// and the look for a password.
#include <cstddef>
#include <cstdint>

#include "compound_leak_suppressions.h"
#include "workbooks/biff_stream.h"
#include "workbooks/workbook_encryption.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The look for a password comes first, as zelko7 convert excel does it.
    workbooks::isEncryptedWorkbookData(data, size);
    workbooks::BiffStream book;
    if (book.OpenMemory(data, size) != 0) return 0;
    book.ScanDimensions();
    const auto sheets = book.sheets();
    workbooks::CellValue cell;
    for (const workbooks::SheetEntry& sheet : sheets) {
        if (book.SelectSheet(sheet.name) < 0) continue;
        while (book.NextCell(cell, 256) == 0) {
        }
    }
    book.Close();
    return 0;
}
