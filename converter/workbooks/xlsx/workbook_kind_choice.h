// The workbook kind of a file, judged by its content rather than its name: a
// zip package is an .xlsx workbook, anything else is taken for a binary
// workbook file (whose reader refuses what it cannot read).
#pragma once

#include <memory>
#include <string>

#include "conversion/workbook.h"

namespace workbooks {

// A kind that picks the .xlsx or the binary kind for each file it opens:
// the reader by the file it opens, the writer by the source it copies.
class AnyWorkbookKind final : public converter::WorkbookKind {
  public:
    std::unique_ptr<converter::WorkbookReader> reader() override;
    std::unique_ptr<converter::WorkbookWriter> writer() override;
};

// The number of columns a sheet of that file can have (256 or 16,384).
int workbookColumnsOf(const std::string& path);

}  // namespace workbooks
