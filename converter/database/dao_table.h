// One table of a database, opened for a conversion: the database, a table
// definition and a record set over it, as one wrapper. A database name that
// starts with "odbc:" reaches an ODBC data source; any other name is a
// SQLite database file. Every failure is a false or empty result.
//
// The record set is a dynaset: the keys of the records are taken when it is
// opened, in the table's own order, and each record's values are read when
// the record is visited, so a record is always written back by its key.
// Over ODBC the values of the next 64 records are read in one go, so a
// change another program makes to a record just before it is visited may
// not be seen; a record written here is read anew.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "conversion/table.h"
#include "database_backend.h"
#include "field_value.h"

namespace converter {

// True when `database` names an ODBC data source rather than a file.
bool isOdbcName(const std::string& database);

// The tables of SQLite files and ODBC data sources, for the table conversion.
const TableKind& databaseTables();

class DaoTable final : public Table {
  public:
    DaoTable();
    ~DaoTable() override;
    DaoTable(const DaoTable&) = delete;
    DaoTable& operator=(const DaoTable&) = delete;

    // Opens the database for shared reading and writing; false when one is
    // already open or the database refused.
    bool OpenDatabase(const std::string& path) override;
    // Takes a database that is already open (any backend); false when one is
    // already open or none is given.
    bool OpenDatabase(std::unique_ptr<DatabaseBackend> database);
    bool isOpen() const override { return backend_ != nullptr; }
    // The next user table's name (Shift-JIS), starting over with `first`;
    // false, with `name` emptied, when there is none.
    bool NextTableName(std::string& name, bool first) override;
    // Opens the table definition of `table`.
    bool OpenTable(const std::string& table) override;
    int fieldCount() const override { return static_cast<int>(fields_.size()); }
    // The field called `name` (exact comparison); false when there is none.
    bool FieldInfo(const std::string& name, DaoFieldInfo& info) const override;
    // The first field, or the one after the last one asked for.
    bool FieldInfo(bool first, DaoFieldInfo& info) override;
    // Opens the record set over the open table definition.
    bool OpenRecords() override;
    long recordCount() const override { return static_cast<long>(keys_.size()); }
    // First: to the first record, then `count` forward; next: `count`
    // forward. The 1-based position reached, 0 when empty or past the end.
    long Move(long count, bool first) override;
    // The value of a field of the current record; Empty when it cannot be read.
    FieldValue GetValue(const std::string& field);
    // Starts editing the current record.
    bool edit() override;
    // Sets a field of the record being edited; false for an unknown field, a
    // value the field cannot hold, or when no record is being edited.
    bool SetValue(const std::string& field, const FieldValue& value);
    // The table's text forms, over GetValue and SetValue.
    std::optional<std::string> fieldText(const std::string& field) override;
    bool setFieldText(const std::string& field, const std::string& text) override;
    // Writes the edited record back; false when the write failed.
    bool update() override;
    // Closes the record set, the table definition and the database.
    void close() override;

    // Writes between beginBatch and commitBatch form one transaction. A
    // failed write inside it leaves the earlier ones standing. commitBatch
    // gives the positions of the records whose writes were lost (all of the
    // batch when the commit itself failed); true when none was.
    bool beginBatch() override;
    bool commitBatch(std::vector<long>& lost) override;
    bool inBatch() const override { return batch_; }
    bool lockedByOther() const override;

    // A copy of a database file can be made (false for server databases).
    bool canBackup() const override;
    // The database's file, "" for a server database.
    std::string databaseFile() const override;
    // Copies the database to `path`, replacing an existing file.
    bool backup(const std::string& path) override;
    // What the database last complained of (UTF-8), for diagnostics.
    std::string lastError() const;

  private:
    struct PendingWrite {
        long position;
        RecordKey key;
        FieldChanges changes;
    };
    int fieldIndex(const std::string& name) const;
    bool replayBatch();

    std::unique_ptr<DatabaseBackend> backend_;
    std::string error_;
    std::vector<std::string> tables_;
    std::size_t nextTable_ = 0;
    bool tableOpen_ = false;
    std::vector<DaoFieldInfo> fields_;
    std::size_t nextField_ = 0;
    bool recordsOpen_ = false;
    RecordKeys keys_;
    std::size_t current_ = 0;  // index into keys_; keys_.size() when none
    // Values of the current record read so far, by field index.
    std::vector<std::size_t> wanted_;
    std::vector<FieldValue> values_;
    bool valuesRead_ = false;
    bool editing_ = false;
    FieldChanges changes_;
    bool batch_ = false;
    std::vector<PendingWrite> pending_;
    std::vector<long> lost_;
};

}  // namespace converter
