// The globals header records of every output workbook and the default
// fonts, formats and styles of a fresh one.
#include "output_workbook.h"

namespace workbooks {
namespace {

// The name written as the file's last author: "郵便番号変換システム" in Shift-JIS.
const std::string_view kWriter =
    "\x97\x58\x95\xd6\x94\xd4\x8d\x86\x95\xcf\x8a\xb7\x83\x56\x83\x58\x83\x65\x83\x80";

}  // namespace

void appendGlobalsHeader(OutputWorkbook& book) {
    RecordList& h = book.header;
    const std::uint32_t n = static_cast<std::uint32_t>(book.sheets.size());
    platform::Utf16Converter& converter = book.stream.converter();
    if (book.biff8) {
        const char bof[] = "\x00\x06\x05\x00\x91\x0E\xCC\x07\x41\x00\x00\x00\x06\x00\x00\x00";
        addRecord(h, rec::kBof, RecordData().bytes(bof, 16));
        addRecord16(h, rec::kInterfaceHdr, 1200);
        addRecord16(h, rec::kMms, 0);
        addRecord(h, rec::kInterfaceEnd);
        std::string body;
        const std::size_t count = appendStringBody(kWriter, converter, body);
        addRecord(h, rec::kWriteAccess,
                  RecordData().u16(static_cast<std::uint32_t>(count)).bytes(body).padTo(112, ' '));
        addRecord16(h, rec::kCodePage, 1200);
        addRecord16(h, rec::kDsf, 0);
        RecordData tabs;
        for (std::uint32_t i = 1; i <= n; ++i) tabs.u16(i);
        addRecord(h, rec::kTabId, tabs);
        addRecord16(h, rec::kFnGroupCount, 14);
        addRecord16(h, rec::kWindowProtect, 0);
        addRecord16(h, rec::kProtect, 0);
        addRecord16(h, rec::kPassword, 0);
        addRecord16(h, rec::kProt4Rev, 0);
        addRecord16(h, rec::kProt4RevPass, 0);
        addRecord(
            h, rec::kWindow1,
            RecordData().u16(240).u16(45).u16(14955).u16(7425).u16(0x38).u16(0).u16(0).u16(1).u16(
                600));
        addRecord16(h, rec::kBackup, 0);
        addRecord16(h, rec::kHideObj, 0);
        addRecord16(h, rec::kDateMode, 0);
        addRecord16(h, rec::kPrecision, 1);
        addRecord16(h, rec::kRefreshAll, 0);
        addRecord16(h, rec::kBookBool, 0);
        return;
    }
    addRecord(h, rec::kBof, RecordData().bytes("\x00\x05\x05\x00\x31\x0C\xCA\x07", 8));
    addRecord(h, rec::kInterfaceHdr);
    addRecord16(h, rec::kMms, 0);
    addRecord(h, rec::kToolbarHdr);
    addRecord(h, 0x00A4, RecordData().bytes("\x01\x00\x10\x0F\x00\x00", 6));
    addRecord(h, rec::kToolbarEnd);
    addRecord(h, rec::kInterfaceEnd);
    addRecord(
        h, rec::kWriteAccess,
        RecordData().u8(static_cast<std::uint32_t>(kWriter.size())).bytes(kWriter).padTo(54, ' '));
    addRecord16(h, rec::kCodePage, 932);
    RecordData tabs;
    for (std::uint32_t i = 0; i < n; ++i) tabs.u16(i);
    addRecord(h, rec::kTabId, tabs);
    addRecord16(h, rec::kTabIdConf, 0xFFFF);
    addRecord16(h, rec::kFnGroupCount, 14);
    addRecord16(h, rec::kWindowProtect, 0);
    addRecord16(h, rec::kProtect, 0);
    addRecord16(h, rec::kPassword, 0);
    addRecord(
        h, rec::kWindow1,
        RecordData().u16(480).u16(60).u16(12345).u16(6060).u16(0x38).u16(0).u16(0).u16(1).u16(600));
    addRecord16(h, rec::kBackup, 0);
    addRecord16(h, rec::kHideObj, 0);
    addRecord16(h, rec::kDateMode, 0);
    addRecord16(h, rec::kPrecision, 1);
    addRecord16(h, rec::kBookBool, 0);
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
        addRecord(book.fonts, rec::kFont, f);
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
        addRecord(book.formats, rec::kFormat, d.bytes(text));
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
        addRecord(book.xfs, rec::kXf, d);
    };
    xf(0, 0, true, 0);
    for (int i = 1; i <= 14; ++i) xf(i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, true, 0xF4);
    xf(0, 0, false, 0);
    for (std::uint32_t format : {9u, 38u, 40u, 6u, 8u}) xf(b8 ? 1 : 5, format, true, 0xF8);
    static const std::uint8_t styles[][2] = {{16, 5}, {17, 6}, {18, 3}, {19, 7}, {20, 4}, {0, 0}};
    for (const auto& s : styles)
        addRecord(book.styles, rec::kStyle, RecordData().u16(s[0] | 0x8000u).u8(s[1]).u8(0xFF));
}

}  // namespace workbooks
