// Excel 5.0/95/97-2000 workbook files (BIFF5 and BIFF8) as a workbook kind
// of the Excel run.
#pragma once

#include "conversion/workbook.h"

namespace workbooks {

class XlsWorkbookKind final : public converter::WorkbookKind {
  public:
    std::unique_ptr<converter::WorkbookReader> reader() override;
    std::unique_ptr<converter::WorkbookWriter> writer() override;
};

}  // namespace workbooks
