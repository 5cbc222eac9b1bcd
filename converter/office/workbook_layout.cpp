// The records of an output workbook: the globals header, the default formats
// of a fresh workbook, and the layout of the whole stream at save.
#include <algorithm>
#include <cstdio>

#include "output_workbook.h"

namespace office {
namespace {

void add(RecordList& list, std::uint16_t type, const RecordData& data = {}) {
    list.push_back({type, data.str()});
}
void add16(RecordList& list, std::uint16_t type, std::uint32_t value) {
    add(list, type, RecordData().u16(value));
}

// The name written as the file's last author: "郵便番号変換システム" in Shift-JIS.
const std::string_view kWriter =
    "\x97\x58\x95\xd6\x94\xd4\x8d\x86\x95\xcf\x8a\xb7\x83\x56\x83\x58\x83\x65\x83\x80";

std::uint64_t listSize(const RecordList& list) {
    std::uint64_t size = 0;
    for (const WorkbookRecord& r : list) size += 4 + r.data.size();
    return size;
}

}  // namespace

void appendGlobalsHeader(OutputWorkbook& book) {
    RecordList& h = book.header;
    const std::uint32_t n = static_cast<std::uint32_t>(book.sheets.size());
    platform::Utf16Converter& converter = book.stream.converter();
    if (book.biff8) {
        const char bof[] = "\x00\x06\x05\x00\x91\x0E\xCC\x07\x41\x00\x00\x00\x06\x00\x00\x00";
        add(h, rec::kBof, RecordData().bytes(bof, 16));
        add16(h, rec::kInterfaceHdr, 1200);
        add16(h, rec::kMms, 0);
        add(h, rec::kInterfaceEnd);
        std::string body;
        const std::size_t count = appendStringBody(kWriter, converter, body);
        add(h, rec::kWriteAccess,
            RecordData().u16(static_cast<std::uint32_t>(count)).bytes(body).padTo(112, ' '));
        add16(h, rec::kCodePage, 1200);
        add16(h, rec::kDsf, 0);
        RecordData tabs;
        for (std::uint32_t i = 1; i <= n; ++i) tabs.u16(i);
        add(h, rec::kTabId, tabs);
        add16(h, rec::kFnGroupCount, 14);
        add16(h, rec::kWindowProtect, 0);
        add16(h, rec::kProtect, 0);
        add16(h, rec::kPassword, 0);
        add16(h, rec::kProt4Rev, 0);
        add16(h, rec::kProt4RevPass, 0);
        add(h, rec::kWindow1,
            RecordData().u16(240).u16(45).u16(14955).u16(7425).u16(0x38).u16(0).u16(0).u16(1).u16(
                600));
        add16(h, rec::kBackup, 0);
        add16(h, rec::kHideObj, 0);
        add16(h, rec::kDateMode, 0);
        add16(h, rec::kPrecision, 1);
        add16(h, rec::kRefreshAll, 0);
        add16(h, rec::kBookBool, 0);
        return;
    }
    add(h, rec::kBof, RecordData().bytes("\x00\x05\x05\x00\x31\x0C\xCA\x07", 8));
    add(h, rec::kInterfaceHdr);
    add16(h, rec::kMms, 0);
    add(h, rec::kToolbarHdr);
    add(h, 0x00A4, RecordData().bytes("\x01\x00\x10\x0F\x00\x00", 6));
    add(h, rec::kToolbarEnd);
    add(h, rec::kInterfaceEnd);
    add(h, rec::kWriteAccess,
        RecordData().u8(static_cast<std::uint32_t>(kWriter.size())).bytes(kWriter).padTo(54, ' '));
    add16(h, rec::kCodePage, 932);
    RecordData tabs;
    for (std::uint32_t i = 0; i < n; ++i) tabs.u16(i);
    add(h, rec::kTabId, tabs);
    add16(h, rec::kTabIdConf, 0xFFFF);
    add16(h, rec::kFnGroupCount, 14);
    add16(h, rec::kWindowProtect, 0);
    add16(h, rec::kProtect, 0);
    add16(h, rec::kPassword, 0);
    add(h, rec::kWindow1,
        RecordData().u16(480).u16(60).u16(12345).u16(6060).u16(0x38).u16(0).u16(0).u16(1).u16(600));
    add16(h, rec::kBackup, 0);
    add16(h, rec::kHideObj, 0);
    add16(h, rec::kDateMode, 0);
    add16(h, rec::kPrecision, 1);
    add16(h, rec::kBookBool, 0);
}

void appendDefaultFormats(OutputWorkbook& book) {
    const bool b8 = book.biff8;
    // Fonts: 11 points, automatic colour, Shift-JIS character set.
    for (int i = 0; i < 5; ++i) {
        RecordData f;
        const std::uint32_t options = b8 ? 0 : static_cast<std::uint32_t>(i < 4 ? i : 0);
        const std::uint32_t weight = (!b8 && (i == 1 || i == 3)) ? 700 : 400;
        f.u16(b8 && i == 4 ? 120 : 220).u16(options).u16(0x7FFF).u16(weight).u16(0).u8(0);
        if (b8) {
            f.u8(3).u8(0x80).u8(0).u8(8).u8(1);
            for (char16_t c : std::u16string_view(u"ＭＳ Ｐゴシック")) f.u16(c);
        } else {
            f.u8(0).u8(0x80).u8(0xA2).u8(4).bytes("\x96\xbe\x92\xa9", 4);  // 明朝
        }
        add(book.fonts, rec::kFont, f);
    }
    // Currency and accounting formats; byte 0x5C is the yen sign here.
    static const struct {
        std::uint16_t index;
        const char* text;
    } formats[] = {
        {5, R"(\"#,##0;"\"\-#,##0)"},
        {6, R"(\"#,##0;[Red]"\"\-#,##0)"},
        {7, R"(\"#,##0.00;"\"\-#,##0.00)"},
        {8, R"(\"#,##0.00;[Red]"\"\-#,##0.00)"},
        {42, R"(_ "\"* #,##0_ ;_ "\"* \-#,##0_ ;_ "\"* "-"_ ;_ @_ )"},
        {41, R"(_ * #,##0_ ;_ * \-#,##0_ ;_ * "-"_ ;_ @_ )"},
        {44, R"(_ "\"* #,##0.00_ ;_ "\"* \-#,##0.00_ ;_ "\"* "-"??_ ;_ @_ )"},
        {43, R"(_ * #,##0.00_ ;_ * \-#,##0.00_ ;_ * "-"??_ ;_ @_ )"},
        {23, R"(\$#,##0_);\(\$#,##0\))"},
        {24, R"(\$#,##0_);[Red]\(\$#,##0\))"},
        {25, R"(\$#,##0.00_);\(\$#,##0.00\))"},
        {26, R"(\$#,##0.00_);[Red]\(\$#,##0.00\))"},
    };
    for (const auto& f : formats) {
        const std::string_view text(f.text);
        RecordData d;
        d.u16(f.index);
        if (b8)
            d.u16(static_cast<std::uint32_t>(text.size())).u8(0);
        else
            d.u8(static_cast<std::uint32_t>(text.size()));
        add(book.formats, rec::kFormat, d.bytes(text));
    }
    // Style XFs 0-14, the default cell XF 15, the number style XFs 16-20.
    auto xf = [&](std::uint32_t font, std::uint32_t format, bool style, std::uint32_t used) {
        RecordData d;
        d.u16(font).u16(format).u16(style ? 0xFFF5 : 0x0001);
        if (b8) {
            d.u8(0x20).u8(0).u8(0).u8(used).u32(0).u32(0).u16(0x40 | (0x41 << 7));
        } else {
            d.u16(0x20 | (used & 0xFC) << 8).u32(0x40 | (0x41 << 7)).u32(0);
        }
        add(book.xfs, rec::kXf, d);
    };
    xf(0, 0, true, 0);
    for (int i = 1; i <= 14; ++i) xf(i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, true, 0xF4);
    xf(0, 0, false, 0);
    for (std::uint32_t format : {9u, 38u, 40u, 6u, 8u}) xf(b8 ? 1 : 5, format, true, 0xF8);
    static const std::uint8_t styles[][2] = {{16, 5}, {17, 6}, {18, 3}, {19, 7}, {20, 4}, {0, 0}};
    for (const auto& s : styles)
        add(book.styles, rec::kStyle, RecordData().u16(s[0] | 0x8000u).u8(s[1]).u8(0xFF));
}

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
    std::uint32_t firstColumn = 0xFFFF, lastPlus1 = 0;
    for (std::uint32_t r = 0; r < sheet.cells.rowLimit(); ++r) {
        if (sheet.cells.rowBytes(r).empty()) continue;
        s.rows.push_back(r);
        std::uint32_t f, l;
        sheet.cells.rowColumns(r, f, l);
        firstColumn = std::min(firstColumn, f);
        lastPlus1 = std::max(lastPlus1, l);
    }
    s.firstColumn = s.rows.empty() ? 0 : firstColumn;
    s.lastColumnPlus1 = lastPlus1;
    s.blocks = (s.rows.size() + kRowsPerBlock - 1) / kRowsPerBlock;
    const std::uint32_t firstRow = s.rows.empty() ? 0 : s.rows.front();
    const std::uint32_t lastRowPlus1 = s.rows.empty() ? 0 : s.rows.back() + 1;

    RecordList& h = s.header;
    if (b8)
        add(h, rec::kBof,
            RecordData().bytes("\x00\x06\x10\x00\x91\x0E\xCC\x07\x41\x00\x00\x00\x06\x00\x00\x00",
                               16));
    else
        add(h, rec::kBof, RecordData().bytes("\x00\x05\x10\x00\x31\x0C\xCA\x07", 8));
    RecordData indexData;
    indexData.u32(0);
    if (b8)
        indexData.u32(firstRow).u32(lastRowPlus1);
    else
        indexData.u16(firstRow).u16(lastRowPlus1);
    indexData.u32(0);
    for (std::size_t i = 0; i < s.blocks; ++i) indexData.u32(0);  // set once offsets are known
    add(h, rec::kIndex, indexData);
    add16(h, rec::kCalcMode, 1);
    add16(h, rec::kCalcCount, 100);
    add16(h, rec::kRefMode, 1);
    add16(h, rec::kIteration, 0);
    add(h, rec::kDelta, RecordData().f64(0.001));
    add16(h, rec::kSaveRecalc, 1);
    add16(h, rec::kPrintHeaders, 0);
    add16(h, rec::kPrintGridlines, 0);
    add16(h, rec::kGridSet, b8 ? 1 : 0);
    add(h, rec::kGuts, RecordData().u32(0).u32(0));
    add(h, rec::kDefaultRowHeight, RecordData().bytes(sheet.defaultRowHeight));
    if (!b8) add(h, rec::kCountry, RecordData().u16(81).u16(81));
    add16(h, rec::kWsBool, 0x04C1);
    if (b8) {
        add(h, rec::kHeader);
        add(h, rec::kFooter);
    } else {
        add(h, rec::kHeader, RecordData().u8(2).bytes("&A"));
        add(h, rec::kFooter, RecordData().u8(6).bytes("- &P -"));
    }
    add16(h, rec::kHCenter, 0);
    add16(h, rec::kVCenter, 0);
    add(h, rec::kSetup,
        RecordData().u16(0).u16(81).u16(1).u16(1).u16(1).u16(4).u16(0).u16(0).f64(0.5).f64(0.5).u16(
            4));
    add16(h, rec::kDefColWidth, sheet.defaultColumnWidth);
    RecordData dims;
    if (b8)
        dims.u32(firstRow).u32(lastRowPlus1);
    else
        dims.u16(firstRow).u16(lastRowPlus1);
    dims.u16(s.firstColumn).u16(s.lastColumnPlus1).u16(0);
    add(h, rec::kDimensions, dims);

    std::uint32_t flags = 0x00B4;
    if (index == 0) flags |= 0x0600;
    if (sheet.gridlines) flags |= 0x0002;
    RecordData window;
    window.u16(flags).u16(0).u16(0);
    if (b8)
        window.u32(64).u32(0).u32(0);
    else
        window.u32(0);
    add(s.trailer, rec::kWindow2, window);
    add(s.trailer, rec::kSelection,
        RecordData().bytes("\x03\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00", 15));
    add(s.trailer, rec::kEof);

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

}  // namespace

int writeWorkbook(OutputWorkbook& book) {
    const bool b8 = book.biff8;
    BiffStream& out = book.stream;
    SharedStringTable& strings = out.strings();
    if (b8) strings.finish();

    std::vector<SheetLayout> layouts(book.sheets.size());
    RecordList boundSheets;
    platform::Utf16Converter& converter = out.converter();
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        layOutSheet(book, i, layouts[i]);
        const std::string& name = book.sheets[i].name;
        RecordData d;
        d.u32(0).u16(0);
        if (b8) {
            std::string body;
            const std::size_t count = appendStringBody(name, converter, body);
            d.u8(static_cast<std::uint32_t>(count)).bytes(body);
        } else {
            d.u8(static_cast<std::uint32_t>(name.size())).bytes(name);
        }
        add(boundSheets, rec::kBoundSheet, d);
    }

    std::uint64_t position = listSize(book.header) + listSize(book.fonts) + listSize(book.formats) +
                             listSize(book.xfs) + listSize(book.styles) + listSize(boundSheets) + 4;
    if (b8) position += strings.streamSize();
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        layouts[i].start = position;
        set32(reinterpret_cast<std::uint8_t*>(boundSheets[i].data.data()),
              static_cast<std::uint32_t>(position));
        position += layouts[i].size;
    }
    if (position > 0xFFFFFFFFull) return -5;

    if (out.WriteBytes(encode(book.header)) || out.WriteBytes(encode(book.fonts)) ||
        out.WriteBytes(encode(book.formats)) || out.WriteBytes(encode(book.xfs)) ||
        out.WriteBytes(encode(book.styles)) || out.WriteBytes(encode(boundSheets)))
        return -5;
    if (b8) {
        const auto& records = strings.records();
        for (std::size_t i = 0; i < records.size(); ++i)
            if (out.WriteRecord(i == 0 ? rec::kSst : rec::kContinue,
                                static_cast<std::uint16_t>(records[i].size()), records[i].data()))
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
            for (std::size_t k = from; k < to; ++k) {
                std::uint32_t f, l;
                sheet.cells.rowColumns(s.rows[k], f, l);
                add(rowRecords, rec::kRow,
                    RecordData()
                        .u16(s.rows[k])
                        .u16(f)
                        .u16(l)
                        .u16(270)
                        .u16(0)
                        .u16(0)
                        .u16(0x0100)
                        .u16(0));
            }
            if (out.WriteBytes(encode(rowRecords))) return -5;
            pos += 20 * (to - from);
            RecordData dbcell;
            dbcell.u32(0);
            std::uint64_t previous = firstRowPos + 20;  // the second ROW record
            for (std::size_t k = from; k < to; ++k) {
                dbcell.u16(static_cast<std::uint32_t>(pos - previous));
                previous = pos;
                const std::string& bytes = sheet.cells.rowBytes(s.rows[k]);
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

}  // namespace office
