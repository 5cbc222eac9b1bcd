#include "xlsx_workbook_kind.h"

#include "platform/sjis.h"
#include "xlsx_copy.h"
#include "xlsx_reader.h"

namespace workbooks {
namespace {

static_assert(kXlsxCellInFormulaBlock == converter::kWorkbookCellInFormulaBlock);

class XlsxWorkbookReader final : public converter::WorkbookReader {
  public:
    bool open(const std::string& path) override { return reader_.open(path); }
    std::vector<converter::WorkbookSheet> sheets() override {
        std::vector<converter::WorkbookSheet> list;
        for (std::size_t i = 0; i < reader_.sheets().size(); ++i) {
            converter::WorkbookSheet sheet;
            sheet.name = toSjisForDisplay(reader_.sheets()[i].name);
            sheet.rowCount = reader_.sheetHasCells(i) ? 1 : 0;
            list.push_back(std::move(sheet));
        }
        return list;
    }
    int selectSheet(std::string_view name) override {
        auto utf8 = platform::sjisToUtf8(name);
        if (!utf8) return -1;
        return reader_.selectSheet(std::string_view(*utf8));
    }
    int nextCell(converter::WorkbookCell& cell, std::size_t capacity) override {
        XlsxCell value;
        int result = reader_.nextCell(value);
        if (result == 0) return -1;
        if (result < 0) return -2;
        cell.column = value.column;
        cell.row = value.row;
        cell.isText = value.kind == XlsxCellKind::Text;
        cell.number = value.number;
        cell.text.clear();
        cell.unconvertible = false;
        if (cell.isText) {
            if (!converter_.toSjis(value.text, cell.text)) {
                // No Shift-JIS form: the run reports the row instead of
                // converting a changed address.
                cell.unconvertible = true;
                cell.text = toSjisForDisplay(value.text);
            }
            if (capacity > 0) cell.text.resize(platform::cutSjis(cell.text, capacity - 1).size());
        }
        return 0;
    }
    void close() override { reader_.close(); }

  private:
    // A UTF-8 text in Shift-JIS with every character that has no form there as "?".
    std::string toSjisForDisplay(const std::string& utf8) {
        std::string out, piece;
        if (converter_.toSjis(utf8, out)) return out;
        out.clear();
        for (std::size_t i = 0; i < utf8.size();) {
            unsigned char lead = static_cast<unsigned char>(utf8[i]);
            std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (i + length > utf8.size()) length = utf8.size() - i;
            if (converter_.toSjis(std::string_view(utf8).substr(i, length), piece))
                out += piece;
            else
                out += '?';
            i += length;
        }
        return out;
    }

    XlsxReader reader_;
    platform::SjisConverter converter_;
};

class XlsxWorkbookWriter final : public converter::WorkbookWriter {
  public:
    int copy(const std::string& outputPath, const std::string& sourcePath) override {
        return copy_.open(outputPath, sourcePath);
    }
    int selectSheet(int index) override { return copy_.selectSheet(index); }
    int putText(std::uint32_t column, std::uint32_t row, std::string_view text) override {
        std::string utf8;
        if (!converter_.toUtf8(text, utf8)) return kXlsxBadCell;
        return copy_.putText(column, row, utf8);
    }
    int save() override { return copy_.save(); }
    int discard() override { return copy_.discard(); }

  private:
    XlsxCopy copy_;
    platform::SjisConverter converter_;
};

}  // namespace

std::unique_ptr<converter::WorkbookReader> XlsxWorkbookKind::reader() {
    return std::make_unique<XlsxWorkbookReader>();
}
std::unique_ptr<converter::WorkbookWriter> XlsxWorkbookKind::writer() {
    return std::make_unique<XlsxWorkbookWriter>();
}

}  // namespace workbooks
