// Whether a workbook file is protected by a password: its cells (and, in a
// binary workbook, most of its records) cannot be read without it.
#pragma once

#include <cstddef>
#include <string>

namespace workbooks {

// True for a binary workbook whose records announce encryption (a FILEPASS
// record among the workbook's global records) and for an .xlsx workbook saved
// with a password (a compound file holding the encrypted package).
bool isEncryptedWorkbook(const std::string& path);
// The same over the bytes of a file in memory.
bool isEncryptedWorkbookData(const void* data, std::size_t size);

}  // namespace workbooks
