// The database table page's rules, without any user-interface toolkit: the
// table and field lists, opening the table for a run, the checks in their
// fixed order (first failure: its numbered message and the field to focus),
// the width a result needs and the backup copy's name.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "conversion_job.h"
#include "record_conversion.h"
#include "table.h"

namespace converter {

enum class TablePageField { None, Database, Table, AddressField1, DestinationField };

struct TablePageCheck {
    int message = 0;  // 0 when every check passed
    TablePageField focus = TablePageField::None;
    bool ok() const { return message == 0; }
};

// The page's fields as typed (Shift-JIS).
struct TablePageFields {
    std::string database;
    std::string table;
    std::array<std::string, 4> addressFields;
    std::string destinationField;
};

// What a table run needs beyond the ConversionJob.
struct TableJob {
    std::string table;
    std::array<std::string, 4> addressFields;  // "" when not used
    std::string destinationField;
};

// The width of the result of `mode` in the destination field.
int tableResultWidth(ConversionMode mode, int hyphenMode);

// The user tables of a database; empty when it cannot be opened.
std::vector<std::string> listTables(const TableKind& kind, const std::string& database);
// The fields of a table (messages 300, 14, 301, 304 when it cannot be had).
TablePageCheck listFields(const TableKind& kind, const std::string& database,
                          const std::string& table, std::vector<std::string>& fields);

// Opens database, table and records for a run (messages 300, 14, 301, 304, 15).
TablePageCheck openForRun(const TablePageFields& page, Table& table);
// The checks 303, 302, 305, 307, 306, 308 over the open table; passing
// checks fill `job` (the database as source name) and `tableJob`.
TablePageCheck checkTablePage(const TablePageFields& page, Table& table, int cnvKbn, int hyphenMode,
                              ConversionJob& job, TableJob& tableJob);

// The backup copy of the open database: its file with ".BKP" appended; ""
// for a server database, which has no file to copy.
std::string backupCopyName(const Table& table);
// The question asked when the copy could not be made (Shift-JIS).
std::string backupFailedQuestion();

}  // namespace converter
