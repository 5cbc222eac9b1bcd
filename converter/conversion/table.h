// What the table conversion needs of a database table: the database's user
// tables, the fields of one table with their types, its records in the
// table's own order read and written as Shift-JIS texts, write batches, and
// a backup copy. The database files and servers are one kind; the front end
// hands the core a TableKind that makes tables of that kind. Failures are
// false or empty results; nothing here throws.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace converter {

// Field type codes as the page checks them, neutral to the database (10 = text).
enum DaoFieldType : int {
    kDbBoolean = 1,
    kDbByte = 2,
    kDbInteger = 3,  // 16-bit
    kDbLong = 4,     // 32-bit
    kDbCurrency = 5,
    kDbSingle = 6,
    kDbDouble = 7,
    kDbDate = 8,
    kDbBinary = 9,
    kDbText = 10,  // size in characters
    kDbLongBinary = 11,
    kDbMemo = 12,  // text without a size
    kDbGuid = 15,
    kDbBigInt = 16,
    kDbDecimal = 20,
};

struct DaoFieldInfo {
    std::string name;  // Shift-JIS
    int type = 0;
    std::int32_t size = 0;
};

class Table {
  public:
    virtual ~Table() = default;
    // Opens the database for shared reading and writing; false when one is
    // already open or the database refused.
    virtual bool OpenDatabase(const std::string& path) = 0;
    virtual bool isOpen() const = 0;
    // The next user table's name, starting over with `first`; false, with
    // `name` emptied, when there is none.
    virtual bool NextTableName(std::string& name, bool first) = 0;
    // Opens the table definition of `table`.
    virtual bool OpenTable(const std::string& table) = 0;
    virtual int fieldCount() const = 0;
    // The field called `name` (exact comparison); false when there is none.
    virtual bool FieldInfo(const std::string& name, DaoFieldInfo& info) const = 0;
    // The first field, or the one after the last one asked for.
    virtual bool FieldInfo(bool first, DaoFieldInfo& info) = 0;
    // Opens the record set over the open table definition.
    virtual bool OpenRecords() = 0;
    virtual long recordCount() const = 0;
    // First: to the first record, then `count` forward; next: `count`
    // forward. The 1-based position reached, 0 when empty or past the end.
    virtual long Move(long count, bool first) = 0;
    // The text form of a field of the current record; none for an empty,
    // null or unreadable value and for forms without a text.
    virtual std::optional<std::string> fieldText(const std::string& field) = 0;
    // Starts editing the current record.
    virtual bool edit() = 0;
    // Sets a field of the record being edited to a text; false for an
    // unknown field, a text the field cannot hold, or no record being edited.
    virtual bool setFieldText(const std::string& field, const std::string& text) = 0;
    // Writes the edited record back; false when the write failed.
    virtual bool update() = 0;
    // Closes the record set, the table definition and the database.
    virtual void close() = 0;

    // Writes between beginBatch and commitBatch form one transaction. A
    // failed write inside it leaves the earlier ones standing. commitBatch
    // gives the positions of the records whose writes were lost (all of the
    // batch when the commit itself failed); true when none was.
    virtual bool beginBatch() = 0;
    virtual bool commitBatch(std::vector<long>& lost) = 0;
    virtual bool inBatch() const = 0;
    // The last failure came from another program holding the database
    // locked longer than the database waits for it: the run cannot go on.
    virtual bool lockedByOther() const { return false; }

    // A copy of a database file can be made (false for server databases).
    virtual bool canBackup() const = 0;
    // The database's file, "" for a server database.
    virtual std::string databaseFile() const = 0;
    // Copies the database to `path`, replacing an existing file.
    virtual bool backup(const std::string& path) = 0;
};

// Makes the tables of one kind of database.
class TableKind {
  public:
    virtual ~TableKind() = default;
    // A new table with no database open.
    virtual std::unique_ptr<Table> newTable() const = 0;
};

}  // namespace converter
