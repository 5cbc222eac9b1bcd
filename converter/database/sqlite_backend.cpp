// Tables of a SQLite database file. Records are addressed by rowid, or by
// the primary key in tables without one; both give the table's own order.
#include <platform/files.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "column_types.h"
#include "database_backend.h"
#include "database_text.h"

namespace converter {
namespace {

struct StatementCloser {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

std::string quoteName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string columnText(sqlite3_stmt* s, int column) {
    const unsigned char* text = sqlite3_column_text(s, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(s, column)))
                : std::string();
}

class SqliteBackend final : public DatabaseBackend {
  public:
    SqliteBackend(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {
        sqlite3_busy_timeout(db_, kLockWaitMilliseconds);
    }
    ~SqliteBackend() override {
        closeTable();
        if (inTransaction_) rollback();
        sqlite3_close_v2(db_);
    }

    bool tableNames(std::vector<std::string>& names) override {
        names.clear();
        // Internal tables (sqlite_...) are the system tables of a SQLite file.
        Statement s = prepare(
            "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
            "ESCAPE '\\' ORDER BY rowid");
        if (!s) return false;
        tableOf_.clear();
        int rc;
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            const std::string name = columnText(s.get(), 0);
            const std::string shown = databaseTextToSjis(name);
            tableOf_.emplace(shown, name);
            names.push_back(shown);
        }
        return rc == SQLITE_DONE || note();
    }

    bool openTable(const std::string& table, std::vector<DaoFieldInfo>& fields) override {
        closeTable();
        std::string name;
        if (auto it = tableOf_.find(table); it != tableOf_.end()) {
            name = it->second;
        } else if (auto utf8 = sjisToDatabaseText(table)) {
            name = *utf8;
        } else {
            return false;
        }
        // table_xinfo lists hidden generated columns too; plain table_info is enough.
        Statement s = prepare("SELECT name, type, pk FROM pragma_table_info(?1)");
        if (!s) return false;
        sqlite3_bind_text(s.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        std::map<int, std::string> keyColumns;
        std::vector<DaoFieldInfo> found;
        std::vector<std::string> columns;
        int rc;
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            DaoFieldInfo info = sqliteColumnType(columnText(s.get(), 1));
            const std::string column = columnText(s.get(), 0);
            info.name = databaseTextToSjis(column);
            found.push_back(info);
            columns.push_back(column);
            if (int pk = sqlite3_column_int(s.get(), 2); pk > 0) keyColumns[pk] = column;
        }
        if (rc != SQLITE_DONE || found.empty()) return false;
        if (isView(name)) return false;
        table_ = name;
        columns_ = std::move(columns);
        types_.clear();
        for (const auto& f : found) types_.push_back(f.type);
        keyColumns_.clear();
        if (std::string alias = rowidAlias(name); !alias.empty()) {
            keyColumns_.push_back(alias);
        } else {
            for (auto& [order, column] : keyColumns) keyColumns_.push_back(quoteName(column));
        }
        fields = std::move(found);
        return true;
    }

    void closeTable() override {
        readStatement_.reset();
        writeStatement_.reset();
        table_.clear();
        columns_.clear();
        keyColumns_.clear();
    }

    bool recordKeys(RecordKeys& keys) override {
        keys.clear();
        if (table_.empty() || keyColumns_.empty()) return false;
        const std::string list = joinKeyColumns(", ");
        Statement s =
            prepare("SELECT " + list + " FROM " + quoteName(table_) + " ORDER BY " + list);
        if (!s) return false;
        int rc;
        const int count = static_cast<int>(keyColumns_.size());
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            RecordKey key;
            for (int i = 0; i < count; ++i) key.push_back(rawValue(s.get(), i));
            keys.add(std::move(key));
        }
        return rc == SQLITE_DONE || note();
    }

    bool readRecord(const RecordKey& key, const std::vector<std::size_t>& fields,
                    std::vector<FieldValue>& values) override {
        values.clear();
        if (table_.empty() || key.size() != keyColumns_.size()) return false;
        if (!readStatement_ || readFields_ != fields) {
            std::string sql = "SELECT ";
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (fields[i] >= columns_.size()) return false;
                sql += (i ? ", " : "") + quoteName(columns_[fields[i]]);
            }
            if (fields.empty()) sql += "1";
            readStatement_ =
                prepare(sql + " FROM " + quoteName(table_) + " WHERE " + keyCondition(1));
            if (!readStatement_) return false;
            readFields_ = fields;
        }
        sqlite3_stmt* s = readStatement_.get();
        sqlite3_reset(s);
        if (!bindKey(s, key, 1)) return false;
        if (sqlite3_step(s) != SQLITE_ROW) {
            note();
            sqlite3_reset(s);
            return false;
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int c = static_cast<int>(i);
            const auto storage = static_cast<SqliteStorage>(sqlite3_column_type(s, c));
            std::string_view bytes;
            if (storage == SqliteStorage::Text) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                bytes = {text, static_cast<std::size_t>(sqlite3_column_bytes(s, c))};
            } else if (storage == SqliteStorage::Blob) {
                const auto* blob = static_cast<const char*>(sqlite3_column_blob(s, c));
                bytes = {blob, static_cast<std::size_t>(sqlite3_column_bytes(s, c))};
            }
            values.push_back(sqliteFieldValue(storage, sqlite3_column_int64(s, c),
                                              sqlite3_column_double(s, c), bytes,
                                              types_[fields[i]]));
        }
        sqlite3_reset(s);
        return true;
    }

    bool writeRecord(const RecordKey& key, const FieldChanges& changes) override {
        if (table_.empty() || key.size() != keyColumns_.size() || changes.empty()) return false;
        std::vector<std::size_t> fields;
        for (const auto& change : changes) {
            if (change.first >= columns_.size()) return false;
            fields.push_back(change.first);
        }
        if (!writeStatement_ || writeFields_ != fields) {
            std::string sql = "UPDATE " + quoteName(table_) + " SET ";
            for (std::size_t i = 0; i < fields.size(); ++i)
                sql += (i ? ", " : "") + quoteName(columns_[fields[i]]) + " = ?" +
                       std::to_string(i + 1);
            writeStatement_ =
                prepare(sql + " WHERE " + keyCondition(static_cast<int>(fields.size()) + 1));
            if (!writeStatement_) return false;
            writeFields_ = fields;
        }
        sqlite3_stmt* s = writeStatement_.get();
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        for (std::size_t i = 0; i < changes.size(); ++i)
            if (!bindValue(s, static_cast<int>(i) + 1, changes[i].second)) return false;
        if (!bindKey(s, key, static_cast<int>(changes.size()) + 1)) return false;
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE) return note(rc);
        if (sqlite3_changes(db_) != 1) {
            error_ = "the record is no longer in the table";
            locked_ = false;
            return false;
        }
        return true;
    }

    bool beginTransaction() override {
        if (inTransaction_) return true;
        // The write lock is taken at the start, where the busy timeout waits
        // for another program's transaction to end. A deferred transaction
        // would take it at its first write after reading, where SQLite
        // reports a lock held elsewhere at once instead of waiting (the two
        // would wait for each other).
        inTransaction_ = execute("BEGIN IMMEDIATE");
        return inTransaction_;
    }
    bool commit() override {
        if (!inTransaction_) return true;
        if (!execute("COMMIT")) {
            // A failed commit that SQLite did not roll back itself is rolled back here.
            if (!sqlite3_get_autocommit(db_)) execute("ROLLBACK");
            inTransaction_ = false;
            return false;
        }
        inTransaction_ = false;
        return true;
    }
    void rollback() override {
        if (!sqlite3_get_autocommit(db_)) execute("ROLLBACK");
        inTransaction_ = false;
    }

    std::string databaseFile() const override { return path_; }

    bool backup(const std::string& path) override {
        // The copy is made beside its final name and moved into place, so an
        // existing copy is replaced whole or not at all.
        const std::string temporary = path + ".tmp";
        std::error_code ignored;
        std::filesystem::remove(platform::fsPath(temporary), ignored);
        sqlite3* copy = nullptr;
        if (sqlite3_open_v2(temporary.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            error_ = copy ? sqlite3_errmsg(copy) : "cannot create the copy";
            sqlite3_close_v2(copy);
            return false;
        }
        sqlite3_backup* step = sqlite3_backup_init(copy, "main", db_, "main");
        int rc = SQLITE_ERROR;
        if (step) {
            // Another program writing meanwhile restarts the copy; it waits
            // for locks rather than failing at once.
            do {
                rc = sqlite3_backup_step(step, -1);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_sleep(50);
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(step);
        }
        if (rc != SQLITE_DONE) error_ = sqlite3_errmsg(copy);
        const bool closed = sqlite3_close(copy) == SQLITE_OK;
        if (rc != SQLITE_DONE || !closed) {
            std::filesystem::remove(platform::fsPath(temporary), ignored);
            return false;
        }
        std::filesystem::rename(platform::fsPath(temporary), platform::fsPath(path), ignored);
        if (ignored) {
            error_ = ignored.message();
            std::filesystem::remove(platform::fsPath(temporary), ignored);
            return false;
        }
        return true;
    }

    std::string lastError() const override { return error_; }
    bool lockedByOther() const override { return locked_; }

  private:
    Statement prepare(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &s, nullptr) !=
            SQLITE_OK) {
            note();
            sqlite3_finalize(s);
            return nullptr;
        }
        return Statement(s);
    }
    bool execute(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
        return note();
    }
    // Keeps the database's message; false, for use in returns. `code`: the
    // failed call's result when it is known (a reset may change the last one).
    bool note(int code = SQLITE_OK) {
        error_ = sqlite3_errmsg(db_);
        if (code == SQLITE_OK) code = sqlite3_errcode(db_);
        code &= 0xFF;  // the primary result of an extended one
        locked_ = code == SQLITE_BUSY || code == SQLITE_LOCKED;
        return false;
    }

    bool isView(const std::string& name) {
        Statement s = prepare("SELECT type FROM sqlite_schema WHERE name = ?1");
        if (!s) return true;
        sqlite3_bind_text(s.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        return sqlite3_step(s.get()) != SQLITE_ROW || columnText(s.get(), 0) != "table";
    }
    // A name of the rowid that no column hides, or "" for a WITHOUT ROWID table.
    std::string rowidAlias(const std::string& name) {
        sqlite3_stmt* s = nullptr;
        const std::string sql = "SELECT rowid FROM " + quoteName(name) + " LIMIT 0";
        const bool ok = sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) == SQLITE_OK;
        sqlite3_finalize(s);
        if (!ok) return {};
        for (const char* alias : {"rowid", "_rowid_", "oid"}) {
            bool hidden = false;
            for (const auto& c : columns_)
                hidden = hidden || sqlite3_stricmp(c.c_str(), alias) == 0;
            if (!hidden) return alias;
        }
        return {};
    }
    std::string joinKeyColumns(const char* separator) const {
        std::string out;
        for (std::size_t i = 0; i < keyColumns_.size(); ++i)
            out += (i ? separator : "") + keyColumns_[i];
        return out;
    }
    std::string keyCondition(int firstParameter) const {
        std::string out;
        for (std::size_t i = 0; i < keyColumns_.size(); ++i)
            out += (i ? " AND " : "") + keyColumns_[i] + " = ?" +
                   std::to_string(firstParameter + static_cast<int>(i));
        return out;
    }
    // A key column's value exactly as stored, for binding it back.
    static FieldValue rawValue(sqlite3_stmt* s, int c) {
        switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                return FieldValue::integerOf(ValueKind::Int64, sqlite3_column_int64(s, c));
            case SQLITE_FLOAT:
                return FieldValue::realOf(ValueKind::Double, sqlite3_column_double(s, c));
            case SQLITE_TEXT: {
                FieldValue v;
                v.kind = ValueKind::Decimal;  // raw UTF-8, bound back as it came
                v.bytes = columnText(s, c);
                return v;
            }
            case SQLITE_BLOB: {
                FieldValue v;
                v.kind = ValueKind::Binary;
                const auto* blob = static_cast<const char*>(sqlite3_column_blob(s, c));
                v.bytes.assign(blob, static_cast<std::size_t>(sqlite3_column_bytes(s, c)));
                return v;
            }
            default:
                return FieldValue::null();
        }
    }
    bool bindKey(sqlite3_stmt* s, const RecordKey& key, int first) {
        for (std::size_t i = 0; i < key.size(); ++i) {
            const FieldValue& v = key[i];
            const int index = first + static_cast<int>(i);
            if (v.kind == ValueKind::Decimal) {
                sqlite3_bind_text(s, index, v.bytes.data(), static_cast<int>(v.bytes.size()),
                                  SQLITE_TRANSIENT);
            } else if (!bindValue(s, index, v)) {
                return false;
            }
        }
        return true;
    }
    bool bindValue(sqlite3_stmt* s, int index, const FieldValue& v) {
        int rc = SQLITE_MISUSE;
        switch (v.kind) {
            case ValueKind::Empty:
                error_ = "no value to write";
                locked_ = false;
                return false;
            case ValueKind::Null:
                rc = sqlite3_bind_null(s, index);
                break;
            case ValueKind::Int16:
            case ValueKind::Int32:
            case ValueKind::Int64:
            case ValueKind::Boolean:
            case ValueKind::Byte:
                rc = sqlite3_bind_int64(s, index, v.integer);
                break;
            case ValueKind::Single:
            case ValueKind::Double:
                rc = sqlite3_bind_double(s, index, v.real);
                break;
            case ValueKind::Currency:
                rc = sqlite3_bind_double(s, index, static_cast<double>(v.integer) / 10000.0);
                break;
            case ValueKind::Date: {
                const std::string text = dateToIso(v.date);
                rc = sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()),
                                       SQLITE_TRANSIENT);
                break;
            }
            case ValueKind::Text:
            case ValueKind::Decimal: {
                auto utf8 = sjisToDatabaseText(v.bytes);
                if (!utf8) {
                    error_ = "the text is not valid Shift-JIS";
                    locked_ = false;
                    return false;
                }
                rc = sqlite3_bind_text(s, index, utf8->data(), static_cast<int>(utf8->size()),
                                       SQLITE_TRANSIENT);
                break;
            }
            case ValueKind::Binary:
                rc = sqlite3_bind_blob(s, index, v.bytes.data(), static_cast<int>(v.bytes.size()),
                                       SQLITE_TRANSIENT);
                break;
        }
        return rc == SQLITE_OK || note();
    }

    sqlite3* db_;
    std::string path_;
    std::string error_;
    bool locked_ = false;  // the last failure: another connection holds the lock
    bool inTransaction_ = false;
    std::map<std::string, std::string> tableOf_;  // shown name -> stored name
    std::string table_;
    std::vector<std::string> columns_;
    std::vector<int> types_;
    std::vector<std::string> keyColumns_;  // as written in SQL
    Statement readStatement_;
    std::vector<std::size_t> readFields_;
    Statement writeStatement_;
    std::vector<std::size_t> writeFields_;
};

}  // namespace

std::unique_ptr<DatabaseBackend> openSqliteDatabase(const std::string& path, std::string& error) {
    // Only existing files: opening must never create an empty database.
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "cannot open the database";
        sqlite3_close_v2(db);
        return nullptr;
    }
    // A write-protected file opens for reading only; the run needs to write.
    if (sqlite3_db_readonly(db, "main") == 1) {
        error = "the database file is write-protected";
        sqlite3_close_v2(db);
        return nullptr;
    }
    // A file that is not a database fails on its first read, not at open.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        error = sqlite3_errmsg(db);
        sqlite3_close_v2(db);
        return nullptr;
    }
    return std::make_unique<SqliteBackend>(db, path);
}

}  // namespace converter
