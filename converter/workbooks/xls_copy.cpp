#include "xls_copy.h"

#include <algorithm>
#include <new>

#include "conversion/settings.h"
#include "output_workbook.h"
#include "platform/sjis_bytes.h"

namespace workbooks {
namespace {

bool copyOpen = false;  // slot 0 belongs to this layer

constexpr int kSourceUnreadable = -5001;

bool isCellRecord(std::uint16_t type) {
    switch (type) {
        case rec::kFormula:
        case rec::kBlank:
        case rec::kMulBlank:
        case rec::kMulRk:
        case rec::kNumber:
        case rec::kLabel:
        case rec::kBoolErr:
        case rec::kRk:
        case rec::kRString:
        case rec::kLabelSst:
            return true;
        default:
            return false;
    }
}

// Keeps a source's ROW record; rows come in order, but a later record for
// a row replaces an earlier one.
void keepRow(std::vector<SourceRow>& rows, std::uint32_t row, std::string_view data) {
    SourceRow kept{row, {}};
    std::copy(data.begin(), data.begin() + 16, kept.data.begin());
    if (rows.empty() || rows.back().row < row) {
        rows.push_back(kept);
        return;
    }
    auto at = std::lower_bound(rows.begin(), rows.end(), row,
                               [](const SourceRow& r, std::uint32_t n) { return r.row < n; });
    if (at != rows.end() && at->row == row)
        *at = kept;
    else
        rows.insert(at, kept);
}

// Copies one worksheet: every record but those the layout generates, the
// cells (with what belongs to their formulas) into the cell chain, the rest
// before or after them as the source had it. False on a read failure.
bool copySheet(BiffStream& source, OutputSheet& sheet) {
    std::uint16_t type, length;
    bool first = true;
    bool afterCells = false;  // past the DIMENSIONS or the first row or cell
    int depth = 0;            // inside a chart embedded in the sheet
    for (;;) {
        if (source.ReadRecord(type, length) != 0) return false;
        const std::uint8_t* d = source.record();
        const std::string_view data(reinterpret_cast<const char*>(d), length);
        if (first) {
            first = false;
            if (type != rec::kBof) return false;
            continue;
        }
        if (depth > 0) {
            sheet.tail.push_back({type, std::string(data)});
            if (type == rec::kBof) ++depth;
            if (type == rec::kEof) --depth;
            continue;
        }
        if (type == rec::kEof) return true;
        if (type == rec::kBof) {
            depth = 1;
            afterCells = true;
            sheet.tail.push_back({type, std::string(data)});
            continue;
        }
        if (type == rec::kIndex || type == rec::kDbCell) continue;  // generated
        if (type == rec::kDimensions) {
            afterCells = true;
            continue;
        }
        if (type == rec::kRow) {
            afterCells = true;
            if (length == 16) keepRow(sheet.sourceRows, get16(d), data);
            continue;
        }
        if (isCellRecord(type)) {
            afterCells = true;
            if (sheet.cells.append(type, data)) continue;
        } else if (isCellAttachment(type) && afterCells) {
            if (sheet.cells.attach(type, data)) continue;
        }
        (afterCells ? sheet.tail : sheet.head).push_back({type, std::string(data)});
    }
}

// Copies a chart, macro or module sheet as it is, from its BOF to its EOF.
bool copyRawSheet(BiffStream& source, OutputSheet& sheet) {
    std::uint16_t type, length;
    int depth = 0;
    do {
        if (source.ReadRecord(type, length) != 0) return false;
        if (sheet.head.empty() && type != rec::kBof) return false;
        sheet.head.push_back(
            {type, std::string(reinterpret_cast<const char*>(source.record()), length)});
        if (type == rec::kBof) ++depth;
        if (type == rec::kEof) --depth;
    } while (depth > 0);
    return true;
}

// Copies the source into slot `slot`; false when the source cannot be read.
bool copyWorkbook(BiffStream& source, int slot) {
    OutputWorkbook& book = *workbookAt(slot);
    book.copied = true;
    if (book.biff8) book.stream.strings().copyFrom(std::move(source.strings()));
    if (source.Seek(0) < 0) return false;
    std::uint16_t type, length;
    std::uint32_t xfIndex = 0;
    bool first = true, sawXf = false, sawSheet = false, sawStrings = false, afterSst = false;
    bool sawCodePage = false;
    std::vector<std::string> boundSheets;
    for (;;) {
        if (source.ReadRecord(type, length) != 0) return false;
        if (type == rec::kEof) break;
        const std::uint8_t* d = source.record();
        const std::string data(reinterpret_cast<const char*>(d), length);
        const bool wasAfterSst = afterSst;
        afterSst = type == rec::kSst || (type == rec::kContinue && wasAfterSst);
        if (first) {
            first = false;
            if (type == rec::kBof) continue;  // generated
        }
        switch (type) {
            case rec::kXf:
                if (!sawXf) book.xfsAt = book.globals.size();
                sawXf = true;
                book.xfs.push_back({type, data});
                if (xfIndex >= 21)
                    book.xfMatch.push_back({decodeXf(d, length, book.biff8), xfIndex});
                else if (xfIndex != 15 && length >= 6 && !(d[4] & 4))
                    book.lowCellFormats.push_back({decodeXf(d, length, book.biff8), xfIndex});
                ++xfIndex;
                break;
            case rec::kBoundSheet:
                if (!sawSheet) book.sheetsAt = book.globals.size();
                sawSheet = true;
                if (length >= 7) boundSheets.push_back(data.substr(4));
                break;
            case rec::kSst:
                // The string table holds it (and its CONTINUE records); the
                // index of offsets into it is left out, as for new workbooks.
                if (!sawStrings) book.stringsAt = book.globals.size();
                sawStrings = true;
                break;
            case rec::kExtSst:
                break;
            case rec::kContinue:
                if (!wasAfterSst) book.globals.push_back({type, data});
                break;
            case rec::kRecalcId:
                // The id of the engine that last calculated the formulas'
                // results. The copy's converted cells may feed formulas
                // whose results were calculated before; engine id 0 makes a
                // spreadsheet program recalculate every formula on opening
                // the copy. (A workbook without the record is recalculated
                // on opening anyway.)
                book.globals.push_back(
                    {type, length >= 8 ? data.substr(0, 4) + std::string(4, '\0') : data});
                break;
            case rec::kCodePage:
                sawCodePage = true;
                book.globals.push_back({type, data});
                break;
            default:
                book.globals.push_back({type, data});
                break;
        }
    }
    if (!sawXf) book.xfsAt = book.globals.size();
    if (!sawSheet) book.sheetsAt = book.globals.size();
    if (!sawStrings) book.stringsAt = book.globals.size();
    if (!book.biff8 && !sawCodePage) {
        // The texts written into a BIFF5 copy are Shift-JIS: say so.
        book.globals.insert(book.globals.begin(), {rec::kCodePage, RecordData().u16(932).str()});
        ++book.xfsAt;
        ++book.sheetsAt;
        ++book.stringsAt;
    }
    const auto& entries = source.sheets();
    for (std::size_t i = 0; i < entries.size() && i < book.sheets.size(); ++i) {
        OutputSheet& sheet = book.sheets[i];
        sheet.copied = true;
        sheet.name = entries[i].name;
        if (i < boundSheets.size()) sheet.boundSheet = boundSheets[i];
        sheet.raw = !entries[i].isWorksheet();
        if (source.Seek(entries[i].offset) < 0) return false;
        if (!(sheet.raw ? copyRawSheet(source, sheet) : copySheet(source, sheet))) return false;
    }
    return true;
}

// The format for a text replacing the cell at (row, column): that cell's
// format with the vertical alignment of the default cell format.
int mergedFormat(OutputWorkbook& book, OutputSheet& sheet, std::uint32_t row,
                 std::uint32_t column) {
    const int existing = sheet.cells.formatAt(row, column);
    if (existing < 0) return 15;
    XfAttributes attributes = defaultCellFormat();
    const XfMatchList& known = existing > 20 ? book.xfMatch : book.lowCellFormats;
    if (existing > 20 || !known.empty()) {
        bool found = existing <= 20;  // a low index not listed is the default format
        for (const XfMatchEntry& e : known)
            if (e.index == static_cast<std::uint32_t>(existing)) {
                attributes = e.attributes;
                found = true;
                break;
            }
        if (!found) return 15;
    }
    const XfAttributes merged = mergeFormats(attributes, defaultCellFormat());
    for (const XfMatchEntry& e : book.xfMatch)
        if (e.attributes == merged) return static_cast<int>(e.index);
    const std::uint32_t index = static_cast<std::uint32_t>(book.xfs.size());
    try {
        book.xfMatch.push_back({merged, index});
    } catch (const std::bad_alloc&) {
        return -40;
    }
    try {
        book.xfs.push_back({rec::kXf, encodeXf(merged, book.biff8)});
    } catch (const std::bad_alloc&) {
        book.xfMatch.pop_back();
        return -41;
    }
    return static_cast<int>(index);
}

}  // namespace

int XlsCopyOpen(const std::string& outputPath, const std::string& sourcePath) {
    if (copyOpen || workbookAt(0)) return -1;
    BiffStream source;
    if (source.Open(sourcePath, false) != 0) return kSourceUnreadable;
    const int slot = WorkbookCreate(outputPath, source.sheetCount() + 30000, source.isBiff8());
    if (slot < 0) return -1;
    if (slot != 0) {
        WorkbookClose(slot);
        return -1;
    }
    bool copied;
    try {
        copied = copyWorkbook(source, slot);
    } catch (const std::bad_alloc&) {
        copied = false;
    }
    source.Close();
    if (!copied) {
        // A source that cannot be read to its end would give an incomplete copy.
        WorkbookClose(slot);
        return kSourceUnreadable;
    }
    copyOpen = true;
    return 0;
}

int XlsSelectSheet(int sheet) {
    OutputWorkbook* book = copyOpen ? workbookAt(0) : nullptr;
    if (!book) return -3;
    if (sheet < 0 || sheet >= static_cast<int>(book->sheets.size())) return -4;
    book->selectedSheet = static_cast<std::uint32_t>(sheet);
    return 0;
}

int XlsPutText(int column, int row, std::string_view text) {
    OutputWorkbook* book = copyOpen ? workbookAt(0) : nullptr;
    if (!book) return -3;
    if (column < 0 || column > 255 || row < 0 || row > 65535) return -32;
    if (book->selectedSheet >= book->sheets.size()) return -4;
    OutputSheet& sheet = book->sheets[book->selectedSheet];
    if (sheet.raw) return -4;  // a chart, macro or module sheet has no cells
    const auto r = static_cast<std::uint32_t>(row);
    const auto c = static_cast<std::uint32_t>(column);
    if (sheet.cells.inFormulaBlock(r, c)) return -33;
    try {
        RecordData data;
        data.u16(r).u16(c).u16(15);
        std::uint16_t type;
        if (book->biff8) {
            type = rec::kLabelSst;
            data.u32(book->stream.strings().add(text, book->stream.converter()));
        } else {
            type = rec::kLabel;
            const std::string bytes(platform::cutSjis(text, 255));
            data.u16(static_cast<std::uint32_t>(bytes.size())).bytes(bytes);
        }
        std::string record = data.str();
        const int xf = mergedFormat(*book, sheet, r, c);
        if (xf < 0) return xf;
        set16(reinterpret_cast<std::uint8_t*>(record.data()) + 4, static_cast<std::uint32_t>(xf));
        sheet.cells.insert(r, c, type, record);
    } catch (const std::bad_alloc&) {
        return -40;
    }
    return 0;
}

int XlsSave() {
    OutputWorkbook* book = copyOpen ? workbookAt(0) : nullptr;
    if (!book) return -3;
    copyOpen = false;
    try {
        for (OutputSheet& sheet : book->sheets) sheet.cells.settleSharedFormulas();
    } catch (const std::bad_alloc&) {
        WorkbookClose(0);
        return -40;
    }
    return WorkbookSave(0);
}

int XlsDiscard() {
    if (!copyOpen || !workbookAt(0)) return -3;
    copyOpen = false;
    return WorkbookClose(0);
}

}  // namespace workbooks
