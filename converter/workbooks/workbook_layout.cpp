// The layout of an output workbook's stream at save: globals, then each
// sheet with its row blocks, DBCELL records and INDEX.
#include <algorithm>
#include <cstdio>

#include "output_workbook.h"

namespace workbooks {
namespace {

struct SheetLayout {
    std::vector<std::uint32_t> rows;  // rows that hold cells
    RecordList header, trailer;
    std::uint32_t firstColumn = 0, lastColumnPlus1 = 0;
    std::uint64_t size = 0;
    std::uint64_t start = 0;
    std::size_t blocks = 0;
};

constexpr std::size_t kRowsPerBlock = 32;

void layOutSheet(const OutputWorkbook& book, std::size_t index, SheetLayout& s) {
    const OutputSheet& sheet = book.sheets[index];
    const bool b8 = book.biff8;
    if (sheet.raw) {
        s.size = listSize(sheet.head);
        return;
    }
    std::uint32_t firstColumn = 0xFFFF, lastPlus1 = 0;
    for (std::uint32_t r = 0; r < sheet.cells.rowLimit(); ++r) {
        if (sheet.cells.rowBytes(r).empty()) continue;
        s.rows.push_back(r);
        std::uint32_t f, l;
        sheet.cells.rowColumns(r, f, l);
        if (l == 0) continue;  // only records that name no cell
        firstColumn = std::min(firstColumn, f);
        lastPlus1 = std::max(lastPlus1, l);
    }
    // A copy keeps the rows the source formatted without cells in them.
    if (!sheet.sourceRows.empty()) {
        std::vector<std::uint32_t> all;
        std::size_t k = 0;
        for (const SourceRow& source : sheet.sourceRows) {
            const std::uint32_t r = source.row;
            while (k < s.rows.size() && s.rows[k] < r) all.push_back(s.rows[k++]);
            if (k < s.rows.size() && s.rows[k] == r) ++k;
            all.push_back(r);
        }
        while (k < s.rows.size()) all.push_back(s.rows[k++]);
        s.rows.swap(all);
    }
    if (lastPlus1 == 0) firstColumn = 0;
    s.firstColumn = firstColumn;
    s.lastColumnPlus1 = lastPlus1;
    s.blocks = (s.rows.size() + kRowsPerBlock - 1) / kRowsPerBlock;
    const std::uint32_t firstRow = s.rows.empty() ? 0 : s.rows.front();
    const std::uint32_t lastRowPlus1 = s.rows.empty() ? 0 : s.rows.back() + 1;

    RecordList& h = s.header;
    if (b8)
        addRecord(h, rec::kBof,
                  RecordData().bytes(
                      "\x00\x06\x10\x00\x91\x0E\xCC\x07\x41\x00\x00\x00\x06\x00\x00\x00", 16));
    else
        addRecord(h, rec::kBof, RecordData().bytes("\x00\x05\x10\x00\x31\x0C\xCA\x07", 8));
    RecordData indexData;
    indexData.u32(0);
    if (b8)
        indexData.u32(firstRow).u32(lastRowPlus1);
    else
        indexData.u16(firstRow).u16(lastRowPlus1);
    indexData.u32(0);
    for (std::size_t i = 0; i < s.blocks; ++i) indexData.u32(0);  // set once offsets are known
    addRecord(h, rec::kIndex, indexData);
    RecordData dims;
    if (b8)
        dims.u32(firstRow).u32(lastRowPlus1);
    else
        dims.u16(firstRow).u16(lastRowPlus1);
    dims.u16(s.firstColumn).u16(s.lastColumnPlus1).u16(0);
    if (sheet.copied) {
        // The source's own records between the generated ones.
        h.insert(h.end(), sheet.head.begin(), sheet.head.end());
        addRecord(h, rec::kDimensions, dims);
        s.trailer = sheet.tail;
        addRecord(s.trailer, rec::kEof);
        s.size = listSize(s.header) + listSize(s.trailer) + sheet.cells.byteSize() +
                 20 * s.rows.size() + 8 * s.blocks + 2 * s.rows.size();
        return;
    }
    addRecord16(h, rec::kCalcMode, 1);
    addRecord16(h, rec::kCalcCount, 100);
    addRecord16(h, rec::kRefMode, 1);
    addRecord16(h, rec::kIteration, 0);
    addRecord(h, rec::kDelta, RecordData().f64(0.001));
    addRecord16(h, rec::kSaveRecalc, 1);
    addRecord16(h, rec::kPrintHeaders, 0);
    addRecord16(h, rec::kPrintGridlines, 0);
    addRecord16(h, rec::kGridSet, b8 ? 1 : 0);
    addRecord(h, rec::kGuts, RecordData().u32(0).u32(0));
    addRecord(h, rec::kDefaultRowHeight, RecordData().bytes(sheet.defaultRowHeight));
    if (!b8) addRecord(h, rec::kCountry, RecordData().u16(81).u16(81));
    addRecord16(h, rec::kWsBool, 0x04C1);
    if (b8) {
        addRecord(h, rec::kHeader);
        addRecord(h, rec::kFooter);
    } else {
        addRecord(h, rec::kHeader, RecordData().u8(2).bytes("&A"));
        addRecord(h, rec::kFooter, RecordData().u8(6).bytes("- &P -"));
    }
    addRecord16(h, rec::kHCenter, 0);
    addRecord16(h, rec::kVCenter, 0);
    addRecord(
        h, rec::kSetup,
        RecordData().u16(0).u16(81).u16(1).u16(1).u16(1).u16(4).u16(0).u16(0).f64(0.5).f64(0.5).u16(
            4));
    addRecord16(h, rec::kDefColWidth, sheet.defaultColumnWidth);
    addRecord(h, rec::kDimensions, dims);

    std::uint32_t flags = 0x00B4;
    if (index == 0) flags |= 0x0600;
    if (sheet.gridlines) flags |= 0x0002;
    RecordData window;
    window.u16(flags).u16(0).u16(0);
    if (b8)
        window.u32(64).u32(0).u32(0);
    else
        window.u32(0);
    addRecord(s.trailer, rec::kWindow2, window);
    addRecord(
        s.trailer, rec::kSelection,
        RecordData().bytes("\x03\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00", 15));
    addRecord(s.trailer, rec::kEof);

    s.size = listSize(s.header) + listSize(sheet.rowFormats) + listSize(s.trailer) +
             sheet.cells.byteSize() + 20 * s.rows.size() + 8 * s.blocks + 2 * s.rows.size();
}

std::string encode(const RecordList& list) {
    std::string out;
    for (const WorkbookRecord& r : list) {
        std::uint8_t header[4];
        set16(header, r.type);
        set16(header + 2, static_cast<std::uint32_t>(r.data.size()));
        out.append(reinterpret_cast<const char*>(header), 4);
        out += r.data;
    }
    return out;
}

// The ROW record of a row: the source's own for a copied row, with the
// columns of the cells it holds now.
std::string rowRecordData(const OutputSheet& sheet, std::uint32_t row) {
    std::uint32_t first, lastPlus1;
    sheet.cells.rowColumns(row, first, lastPlus1);
    const auto source =
        std::lower_bound(sheet.sourceRows.begin(), sheet.sourceRows.end(), row,
                         [](const SourceRow& r, std::uint32_t n) { return r.row < n; });
    if (source != sheet.sourceRows.end() && source->row == row) {
        std::string data(source->data.begin(), source->data.end());
        auto* d = reinterpret_cast<std::uint8_t*>(data.data());
        set16(d + 2, first);
        set16(d + 4, lastPlus1);
        return data;
    }
    return RecordData()
        .u16(row)
        .u16(first)
        .u16(lastPlus1)
        .u16(270)
        .u16(0)
        .u16(0)
        .u16(0x0100)
        .u16(0)
        .str();
}

// The BOUNDSHEET data of a sheet, its offset still 0.
std::string boundSheetData(OutputWorkbook& book, const OutputSheet& sheet) {
    RecordData d;
    d.u32(0);
    if (sheet.copied) return d.bytes(sheet.boundSheet).str();
    const std::string& name = sheet.name;
    d.u16(0);
    if (book.biff8) {
        std::string body;
        const std::size_t count = appendStringBody(name, book.stream.converter(), body);
        d.u8(static_cast<std::uint32_t>(count)).bytes(body);
    } else {
        d.u8(static_cast<std::uint32_t>(name.size())).bytes(name);
    }
    return d.str();
}

}  // namespace

int writeWorkbook(OutputWorkbook& book) {
    const bool b8 = book.biff8;
    BiffStream& out = book.stream;
    SharedStringTable& strings = out.strings();
    if (b8) strings.finish();

    std::vector<SheetLayout> layouts(book.sheets.size());
    RecordList boundSheets;
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        layOutSheet(book, i, layouts[i]);
        boundSheets.push_back({rec::kBoundSheet, boundSheetData(book, book.sheets[i])});
    }

    std::uint64_t position = book.copied
                                 ? 4 + book.header.front().data.size() + listSize(book.globals)
                                 : listSize(book.header) + listSize(book.fonts) +
                                       listSize(book.formats) + listSize(book.styles);
    position += listSize(book.xfs) + listSize(boundSheets) + 4;
    if (b8) position += strings.streamSize();
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        layouts[i].start = position;
        set32(reinterpret_cast<std::uint8_t*>(boundSheets[i].data.data()),
              static_cast<std::uint32_t>(position));
        position += layouts[i].size;
    }
    if (position > 0xFFFFFFFFull) return -5;

    auto writeStrings = [&]() {
        if (!b8) return true;
        const auto& records = strings.records();
        for (std::size_t i = 0; i < records.size(); ++i)
            if (out.WriteRecord(i == 0 ? rec::kSst : rec::kContinue,
                                static_cast<std::uint16_t>(records[i].size()), records[i].data()))
                return false;
        return true;
    };
    if (book.copied) {
        if (out.WriteBytes(encode(RecordList(book.header.begin(), book.header.begin() + 1))))
            return -5;
        for (std::size_t i = 0; i <= book.globals.size(); ++i) {
            if (i == book.xfsAt && out.WriteBytes(encode(book.xfs))) return -5;
            if (i == book.sheetsAt && out.WriteBytes(encode(boundSheets))) return -5;
            if (i == book.stringsAt && !writeStrings()) return -5;
            if (i < book.globals.size() &&
                out.WriteBytes(
                    encode(RecordList(book.globals.begin() + static_cast<std::ptrdiff_t>(i),
                                      book.globals.begin() + static_cast<std::ptrdiff_t>(i) + 1))))
                return -5;
        }
    } else if (out.WriteBytes(encode(book.header)) || out.WriteBytes(encode(book.fonts)) ||
               out.WriteBytes(encode(book.formats)) || out.WriteBytes(encode(book.xfs)) ||
               out.WriteBytes(encode(book.styles)) || out.WriteBytes(encode(boundSheets)) ||
               !writeStrings()) {
        return -5;
    }
    if (out.WriteRecord(rec::kEof, 0, nullptr)) return -5;

    for (std::size_t i = 0; i < layouts.size(); ++i) {
        SheetLayout& s = layouts[i];
        const OutputSheet& sheet = book.sheets[i];
        auto rowsOf = [&s](std::size_t b, std::size_t& from, std::size_t& to) {
            from = b * kRowsPerBlock;
            to = std::min(s.rows.size(), from + kRowsPerBlock);
        };
        // The DBCELL positions go into INDEX, which comes first.
        if (sheet.raw) {
            if (out.WriteBytes(encode(sheet.head))) return -5;
            continue;
        }
        const std::uint64_t blocksStart = s.start + listSize(s.header) + listSize(sheet.rowFormats);
        std::uint64_t pos = blocksStart;
        auto* index = reinterpret_cast<std::uint8_t*>(s.header[1].data.data());
        const std::size_t slots = b8 ? 16 : 12;
        for (std::size_t b = 0; b < s.blocks; ++b) {
            std::size_t from, to;
            rowsOf(b, from, to);
            pos += 20 * (to - from);
            for (std::size_t k = from; k < to; ++k) pos += sheet.cells.rowBytes(s.rows[k]).size();
            set32(index + slots + 4 * b, static_cast<std::uint32_t>(pos));
            pos += 8 + 2 * (to - from);
        }
        if (out.WriteBytes(encode(s.header)) || out.WriteBytes(encode(sheet.rowFormats))) return -5;
        pos = blocksStart;
        for (std::size_t b = 0; b < s.blocks; ++b) {
            std::size_t from, to;
            rowsOf(b, from, to);
            const std::uint64_t firstRowPos = pos;
            RecordList rowRecords;
            for (std::size_t k = from; k < to; ++k)
                rowRecords.push_back({rec::kRow, rowRecordData(sheet, s.rows[k])});
            if (out.WriteBytes(encode(rowRecords))) return -5;
            pos += 20 * (to - from);
            RecordData dbcell;
            dbcell.u32(0);
            std::uint64_t previous = firstRowPos + 20;  // the second ROW record
            for (std::size_t k = from; k < to; ++k) {
                dbcell.u16(static_cast<std::uint32_t>(pos - previous));
                previous = pos;
                const std::string_view bytes = sheet.cells.rowBytes(s.rows[k]);
                if (out.WriteBytes(bytes)) return -5;
                pos += bytes.size();
            }
            std::string data = dbcell.str();
            set32(reinterpret_cast<std::uint8_t*>(data.data()),
                  static_cast<std::uint32_t>(pos - firstRowPos));
            if (out.WriteRecord(rec::kDbCell, static_cast<std::uint16_t>(data.size()), data.data()))
                return -5;
            pos += 4 + data.size();
        }
        if (out.WriteBytes(encode(s.trailer))) return -5;
    }
    return 0;
}

}  // namespace workbooks
