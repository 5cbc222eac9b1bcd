// The workbook kind of a file, judged by its content: a zip package is an
// .xlsx workbook, anything else is taken for a binary workbook file (whose
// reader refuses what it cannot read).
#pragma once

#include <memory>
#include <string>

#include "workbook.h"

namespace office {

std::unique_ptr<converter::WorkbookKind> workbookKindOf(const std::string& path);

// The number of columns a sheet of that file can have (256 or 16,384).
int workbookColumnsOf(const std::string& path);

}  // namespace office
