#include "workbook_kind_choice.h"

#include "conversion/excel_run.h"
#include "workbooks/xls_workbook.h"
#include "xlsx_workbook_kind.h"

namespace workbooks {
namespace {

std::unique_ptr<converter::WorkbookKind> kindOf(const std::string& path) {
    if (converter::isZipPackage(path)) return std::make_unique<XlsxWorkbookKind>();
    return std::make_unique<XlsWorkbookKind>();
}

class AnyReader final : public converter::WorkbookReader {
  public:
    bool open(const std::string& path) override {
        reader_ = kindOf(path)->reader();
        return reader_->open(path);
    }
    std::vector<converter::WorkbookSheet> sheets() override {
        return reader_ ? reader_->sheets() : std::vector<converter::WorkbookSheet>{};
    }
    int selectSheet(std::string_view name) override {
        return reader_ ? reader_->selectSheet(name) : -1;
    }
    int nextCell(converter::WorkbookCell& cell, std::size_t capacity) override {
        return reader_ ? reader_->nextCell(cell, capacity) : -2;
    }
    void close() override {
        if (reader_) reader_->close();
    }

  private:
    std::unique_ptr<converter::WorkbookReader> reader_;
};

class AnyWriter final : public converter::WorkbookWriter {
  public:
    int copy(const std::string& outputPath, const std::string& sourcePath) override {
        writer_ = kindOf(sourcePath)->writer();
        return writer_->copy(outputPath, sourcePath);
    }
    int selectSheet(int index) override { return writer_ ? writer_->selectSheet(index) : -3; }
    int putText(std::uint32_t column, std::uint32_t row, std::string_view text) override {
        return writer_ ? writer_->putText(column, row, text) : -3;
    }
    int save() override { return writer_ ? writer_->save() : -3; }
    int discard() override { return writer_ ? writer_->discard() : -3; }

  private:
    std::unique_ptr<converter::WorkbookWriter> writer_;
};

}  // namespace

std::unique_ptr<converter::WorkbookReader> AnyWorkbookKind::reader() {
    return std::make_unique<AnyReader>();
}
std::unique_ptr<converter::WorkbookWriter> AnyWorkbookKind::writer() {
    return std::make_unique<AnyWriter>();
}

int workbookColumnsOf(const std::string& path) {
    return converter::isZipPackage(path) ? converter::kXlsxColumns : converter::kXlsColumns;
}

}  // namespace workbooks
