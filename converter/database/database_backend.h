// The small interface a database kind offers the table wrapper: the user
// tables, one table's fields, the keys of its records in the table's own
// order, reading and writing one record by its key, transactions and a
// backup copy. Every failure is a false result; nothing throws.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "conversion/table.h"
#include "field_value.h"
#include "record_keys.h"

namespace converter {

// Field positions (in the table's field order) with their new values.
using FieldChanges = std::vector<std::pair<std::size_t, FieldValue>>;

class DatabaseBackend {
  public:
    virtual ~DatabaseBackend() = default;

    // Names of the user tables, without system and hidden tables.
    virtual bool tableNames(std::vector<std::string>& names) = 0;
    // Makes `table` the current table; its fields in column order.
    virtual bool openTable(const std::string& table, std::vector<DaoFieldInfo>& fields) = 0;
    virtual void closeTable() = 0;
    // The keys of every record of the current table, in the table's order;
    // false when the table has no way to address a record.
    virtual bool recordKeys(RecordKeys& keys) = 0;
    // The current values of `fields` of the record with `key`; false when
    // the record is gone or cannot be read.
    virtual bool readRecord(const RecordKey& key, const std::vector<std::size_t>& fields,
                            std::vector<FieldValue>& values) = 0;
    // A hint that the records from `keys.at(from)` on are read next, with
    // `fields`: a backend may read several of them at once.
    virtual void readAhead(const RecordKeys& keys, std::size_t from,
                           const std::vector<std::size_t>& fields) {
        (void)keys;
        (void)from;
        (void)fields;
    }
    // Writes `changes` into the record with `key`; false unless exactly that
    // record was changed.
    virtual bool writeRecord(const RecordKey& key, const FieldChanges& changes) = 0;

    virtual bool beginTransaction() = 0;
    virtual bool commit() = 0;
    virtual void rollback() = 0;

    // The file a backup copy is made of; "" for a server database.
    virtual std::string databaseFile() const = 0;
    // A consistent copy of the database at `path` (an existing file is replaced).
    virtual bool backup(const std::string& path) = 0;

    // The database's last complaint, in UTF-8, for diagnostics.
    virtual std::string lastError() const = 0;
    // The last failure came from a lock another program holds on the
    // database (still held after waiting for it a while).
    virtual bool lockedByOther() const { return false; }
};

// How long a write waits for a lock another program holds before it fails.
inline constexpr int kLockWaitMilliseconds = 5000;

// The prefix of a database name that reaches an ODBC data source.
inline constexpr const char* kOdbcPrefix = "odbc:";

// A SQLite database file (read-write, shared with other programs).
std::unique_ptr<DatabaseBackend> openSqliteDatabase(const std::string& path, std::string& error);
// An ODBC data source: a connection string ("DRIVER=...;SERVER=...") or the
// name of a configured data source.
std::unique_ptr<DatabaseBackend> openOdbcDatabase(const std::string& connection,
                                                  std::string& error);

}  // namespace converter
