#include "workbook_kind_choice.h"

#include "excel_run.h"
#include "xls_workbook.h"
#include "xlsx_workbook_kind.h"

namespace office {

std::unique_ptr<converter::WorkbookKind> workbookKindOf(const std::string& path) {
    if (converter::isZipPackage(path)) return std::make_unique<XlsxWorkbookKind>();
    return std::make_unique<XlsWorkbookKind>();
}

int workbookColumnsOf(const std::string& path) {
    return converter::isZipPackage(path) ? converter::kXlsxColumns : converter::kXlsColumns;
}

}  // namespace office
