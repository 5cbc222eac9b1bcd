// The conversion of a database table in place: each record's address is
// built from up to four fields, looked up, and the result written into the
// destination field of the same record. Writes are grouped in transactions
// of bounded size that are committed at every stop, at the error maximum and
// at the end, so the records converted so far always stay written.
#pragma once

#include <cstdint>
#include <string>

#include "address_engine.h"
#include "conversion_job.h"
#include "run_host.h"
#include "table.h"
#include "table_page.h"

namespace converter {

// A transaction is committed once it holds this many records or is this old.
inline constexpr std::uint32_t kTableBatchRecords = 10000;
inline constexpr std::uint32_t kTableBatchMilliseconds = 1000;

// The longest address built from the fields, in bytes.
inline constexpr std::size_t kTableAddressLimit = 1023;

// Runs over the records of `table`, opened with openForRun; the result is the
// run's end code (0, 3 error file, 4 engine).
int AccessRun(const ConversionJob& job, const TableJob& tableJob, Table& table,
              AddressEngine& engine, RunHost& host, const std::string& bareNameFolder);

// The line of the error file that says a record's result could not be
// written (Shift-JIS, ending with a line feed).
std::string writeFailedText();
// The message that ends a run when another program keeps the database
// locked (Shift-JIS).
std::string databaseInUseText();

}  // namespace converter
