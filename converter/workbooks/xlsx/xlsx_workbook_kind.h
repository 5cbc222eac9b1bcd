// Office Open XML workbooks (.xlsx) as a workbook kind of the Excel run, and
// the choice of kind by a file's content.
#pragma once

#include <memory>
#include <string>

#include "conversion/workbook.h"

namespace workbooks {

class XlsxWorkbookKind final : public converter::WorkbookKind {
  public:
    std::unique_ptr<converter::WorkbookReader> reader() override;
    std::unique_ptr<converter::WorkbookWriter> writer() override;
};

}  // namespace workbooks
