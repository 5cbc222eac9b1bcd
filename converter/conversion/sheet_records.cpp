#include "sheet_records.h"

#include <cstdio>

#include "conversion_run.h"

namespace converter {

bool SheetRowSource::open(const std::string& path) {
    if (!reader_.open(path)) return false;
    for (const WorkbookSheet& s : reader_.sheets())
        if (s.name == sheet_) rowCount_ = s.rowCount;
    index_ = reader_.selectSheet(sheet_);
    if (index_ < 0) {
        reader_.close();
        return false;
    }
    return true;
}

void SheetRowSource::take(const WorkbookCell& cell) {
    for (std::size_t slot = 0; slot < 4; ++slot) {
        if (columns_[slot] <= 0 || static_cast<std::uint32_t>(columns_[slot]) != cell.column + 1)
            continue;
        if (cell.isText) {
            pieces_[slot] = cell.text;
            if (cell.unconvertible) unconvertible_ = true;
        } else {
            char number[512];
            std::snprintf(number, sizeof number, "%.0f", cell.number);
            pieces_[slot] = number;
        }
        pieces_[slot].resize(std::min<std::size_t>(pieces_[slot].size(), 255));
        filled_[slot] = true;
    }
}

bool SheetRowSource::next(std::uint32_t& number) {
    while (!ended_) {
        for (std::size_t slot = 0; slot < 4; ++slot) {
            pieces_[slot].clear();
            filled_[slot] = false;
        }
        unconvertible_ = false;
        if (!pending_ && reader_.nextCell(cell_, 256) != 0) {
            ended_ = true;
            break;
        }
        pending_ = false;
        row_ = cell_.row;
        take(cell_);
        for (;;) {
            if (reader_.nextCell(cell_, 256) != 0) {
                ended_ = true;
                break;
            }
            if (cell_.row != row_) {
                pending_ = true;
                break;
            }
            take(cell_);
        }
        for (bool filled : filled_) {
            if (!filled) continue;
            number = row_ + 1;
            return true;
        }
    }
    return false;
}

double SheetRowSource::fraction() const {
    if (rowCount_ == 0) return 0;
    const double f = static_cast<double>(row_ + 1) / rowCount_;
    return f > 1 ? 1 : f;
}

std::string SheetRowSource::address() const {
    return pieces_[0] + pieces_[1] + pieces_[2] + pieces_[3];
}

WorkbookCopySink::~WorkbookCopySink() {
    if (open_) writer_.discard();
}

int WorkbookCopySink::open(const std::string& path) {
    const int r = writer_.copy(path, sourcePath_);
    if (r == kWorkbookSourceUnreadable) return kSourceNotOpened;
    if (r < 0) return kDestinationNotOpened;
    open_ = true;
    // Both copies point at the same sheet.
    if (writer_.selectSheet(source_.sheetIndex()) != 0) {
        discard();
        return kSourceNotOpened;
    }
    return 0;
}

bool WorkbookCopySink::commit() {
    if (!open_) return false;
    open_ = false;
    return writer_.save() == 0;
}

void WorkbookCopySink::discard() {
    if (!open_) return;
    open_ = false;
    writer_.discard();
}

}  // namespace converter
