#include "output_workbook.h"

#include <array>
#include <cstdio>

namespace workbooks {
namespace {

std::array<std::unique_ptr<OutputWorkbook>, 32> slots;

}  // namespace

int checkSlot(int slot) {
    if (slot < 0 || slot >= static_cast<int>(slots.size())) return -2;
    if (!slots[static_cast<std::size_t>(slot)]) return -3;
    return 0;
}

OutputWorkbook* workbookAt(int slot) {
    return checkSlot(slot) == 0 ? slots[static_cast<std::size_t>(slot)].get() : nullptr;
}

int WorkbookCreate(const std::string& path, int sheetCount, bool biff8) {
    const bool copy = sheetCount > 30000;
    int count = copy ? sheetCount - 30000 : sheetCount;
    if (count <= 0) count = 16;
    if (count >= 1000) count = 999;
    std::size_t slot = 0;
    while (slot < slots.size() && slots[slot]) ++slot;
    if (slot == slots.size()) return -1;
    auto book = std::make_unique<OutputWorkbook>();
    book->biff8 = biff8;
    if (book->stream.Create(path, biff8) != 0) return -1;
    book->fileName = path;
    book->sheets.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Sheet%d", i + 1);
        book->sheets[static_cast<std::size_t>(i)].name = name;
    }
    appendGlobalsHeader(*book);
    if (!copy) appendDefaultFormats(*book);
    slots[slot] = std::move(book);
    return static_cast<int>(slot);
}

int WorkbookSetSheetName(int slot, int sheet, std::string_view name) {
    if (int c = checkSlot(slot)) return c;
    if (name.empty() || name.size() > 32) return -31;
    OutputWorkbook& book = *slots[static_cast<std::size_t>(slot)];
    if (sheet < 0 || sheet >= static_cast<int>(book.sheets.size())) return -4;
    book.sheets[static_cast<std::size_t>(sheet)].name = name;
    return 0;
}

int WorkbookSave(int slot) {
    if (int c = checkSlot(slot)) return c;
    OutputWorkbook& book = *slots[static_cast<std::size_t>(slot)];
    int result = writeWorkbook(book);
    book.saved = result == 0;
    if (int closed = WorkbookClose(slot); closed != 0) result = closed;
    return result;
}

int WorkbookClose(int slot) {
    if (int c = checkSlot(slot)) return c;
    std::unique_ptr<OutputWorkbook> book = std::move(slots[static_cast<std::size_t>(slot)]);
    // An unsaved workbook is removed with its temporary file.
    const int closed = book->stream.Close(book->saved);
    return closed == 0 ? 0 : -5;
}

}  // namespace workbooks
