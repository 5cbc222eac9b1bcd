// The Excel conversion run: the address pieces of each row of one sheet are
// joined in address order and converted, and each result is written as a
// text cell into the destination column of a copy of the workbook. The
// source workbook is never changed; the copy is saved at the end of the
// sheet, after a stop and at the error maximum, and dropped when the run
// ends before converting.
#pragma once

#include <string>

#include "address_engine.h"
#include "conversion_job.h"
#include "run_host.h"
#include "workbook.h"

namespace converter {

// Uses the job's sheet name, address column numbers (pieceStart, 1-based, 0
// for none), destination column number (insertPosition) and partial range
// of sheet rows. The result is the run's end code.
int ExcelRun(const ConversionJob& job, WorkbookKind& kind, AddressEngine& engine, RunHost& host,
             const std::string& bareNameFolder);

// Columns of a sheet: 256 ("IV") in the binary workbook files, 16,384
// ("XFD") in .xlsx packages.
inline constexpr int kXlsColumns = 256;
inline constexpr int kXlsxColumns = 16384;

// The name of column `number` (1 to `columns`): "A" .. "Z", "AA" .. "IV"
// .. "XFD"; "" for 0 or a number past `columns`.
std::string columnName(int number, int columns = kXlsColumns);
// The number of a column name ("A" .. "IV", or up to "XFD" with more
// columns; either case); 0 when it is none.
int columnNumber(std::string_view name, int columns = kXlsColumns);

// True when the file is a zip package (an .xlsx workbook) rather than a
// compound file, judged by its first bytes, not by its name.
bool isZipPackage(const std::string& path);

// The extension the copy of an existing workbook is written under: ".xlsx"
// for an .xlsx source, ".xls" for a binary one. A destination whose name
// ends otherwise would hold a workbook of another kind than its name says.
std::string copyExtensionFor(const std::string& source);
// True when `destination` ends in that extension (in either letter case).
bool destinationFitsCopy(const std::string& source, const std::string& destination);

}  // namespace converter
