#include "xls_workbook.h"

#include "biff_stream.h"
#include "xls_copy.h"

namespace workbooks {
namespace {

class XlsReader final : public converter::WorkbookReader {
  public:
    bool open(const std::string& path) override { return stream_.Open(path) == 0; }
    std::vector<converter::WorkbookSheet> sheets() override {
        stream_.ScanDimensions();
        std::vector<converter::WorkbookSheet> out;
        for (const SheetEntry& s : stream_.sheets()) out.push_back({s.name, s.lastRowPlus1});
        return out;
    }
    int selectSheet(std::string_view name) override { return stream_.SelectSheet(name); }
    int nextCell(converter::WorkbookCell& cell, std::size_t capacity) override {
        const int r = stream_.NextCell(value_, capacity);
        if (r == 0) {
            cell.column = value_.column;
            cell.row = value_.row;
            cell.isText = value_.isText;
            cell.number = value_.number;
            cell.unconvertible = value_.unconvertible;
            cell.text.swap(value_.text);
        }
        return r;
    }
    void close() override { stream_.Close(); }

  private:
    BiffStream stream_;
    CellValue value_;
};

// The single output workbook of the copy layer.
class XlsWriter final : public converter::WorkbookWriter {
  public:
    ~XlsWriter() override {
        if (open_) XlsDiscard();
    }
    int copy(const std::string& outputPath, const std::string& sourcePath) override {
        const int r = XlsCopyOpen(outputPath, sourcePath);
        open_ = r == 0;
        return r;
    }
    int selectSheet(int index) override { return XlsSelectSheet(index); }
    int putText(std::uint32_t column, std::uint32_t row, std::string_view text) override {
        if (column > 255 || row > 65535) return -32;
        return XlsPutText(static_cast<int>(column), static_cast<int>(row), text);
    }
    int save() override {
        open_ = false;
        return XlsSave();
    }
    int discard() override {
        open_ = false;
        return XlsDiscard();
    }

  private:
    bool open_ = false;
};

}  // namespace

std::unique_ptr<converter::WorkbookReader> XlsWorkbookKind::reader() {
    return std::make_unique<XlsReader>();
}
std::unique_ptr<converter::WorkbookWriter> XlsWorkbookKind::writer() {
    return std::make_unique<XlsWriter>();
}

}  // namespace workbooks
