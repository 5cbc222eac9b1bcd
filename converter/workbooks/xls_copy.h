// One output workbook at a time, made as a copy of a source workbook: the
// copy keeps every record of the source that it does not generate itself
// (cells and formulas, formats, names, merges, comments, links, sheet names,
// types and visibility), in the source's order, and takes text cells.
// Results: 0, or -1 busy or output not created, -3 no workbook, -4 bad sheet,
// -5 write or close failed, -32 cell out of range, -33 a cell of an array
// formula or data table (left as it is), -40/-41 out of memory,
// -5001 the source cannot be opened or read.
#pragma once

#include <string>
#include <string_view>

namespace workbooks {

int XlsCopyOpen(const std::string& outputPath, const std::string& sourcePath);
int XlsSelectSheet(int sheet);
// A text cell (Shift-JIS) at 0-based column 0-255 and row 0-65535 of the
// selected sheet; a cell already there is replaced and its format kept.
int XlsPutText(int column, int row, std::string_view text);
// Writes the workbook and ends it.
int XlsSave();
// Ends the workbook without writing; no output file remains.
int XlsDiscard();

}  // namespace workbooks
