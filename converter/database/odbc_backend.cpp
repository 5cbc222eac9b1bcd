// Tables of an ODBC data source, through the driver manager's wide-character
// interface. Records are addressed by the primary key (or the driver's best
// row identifier) and visited in its order.
#include <platform/files.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>

#include "database_backend.h"
#include "database_text.h"
#include "odbc_values.h"

namespace converter {
namespace {

using namespace odbc;

// How many records one read-ahead statement asks for.
constexpr std::size_t kReadAhead = 64;

// Servers whose writes would wait for another session's lock without end
// (or for long) by default: the statement that bounds the wait, and how the
// driver says the wait ran out.
struct LockWait {
    std::string_view dbms;  // SQL_DBMS_NAME
    const char* bound;      // run once on connecting; %d: the wait in `unit` milliseconds
    int unit;
    std::string_view sqlState;  // "" when the native error tells
    long nativeError;           // 0 when the SQLSTATE tells
};
constexpr LockWait kLockWaits[] = {
    {"PostgreSQL", "SET lock_timeout = %d", 1, "55P03", 0},
    {"Microsoft SQL Server", "SET LOCK_TIMEOUT %d", 1, "", 1222},
    {"MySQL", "SET SESSION innodb_lock_wait_timeout = %d", 1000, "", 1205},
    {"MariaDB", "SET SESSION innodb_lock_wait_timeout = %d", 1000, "", 1205},
};

// A one-column key as text, for finding records read ahead; "" for kinds
// that are not read ahead.
std::string keyText(const RecordKey& key) {
    if (key.size() != 1) return {};
    switch (key[0].kind) {
        case ValueKind::Int16:
        case ValueKind::Int32:
        case ValueKind::Int64:
        case ValueKind::Byte:
            return "i" + std::to_string(key[0].integer);
        case ValueKind::Text:
            return "t" + key[0].bytes;
        default:
            return {};
    }
}

class OdbcBackend final : public DatabaseBackend {
  public:
    OdbcBackend(SQLHENV env, SQLHDBC dbc, std::string file)
        : env_(env), dbc_(dbc), file_(std::move(file)) {
        SQLWCHAR quote[8] = {};
        SQLSMALLINT length = 0;
        if (SQL_SUCCEEDED(
                SQLGetInfoW(dbc_, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length)) &&
            quote[0] != u' ')
            quote_ = utf16ToUtf8({reinterpret_cast<const char16_t*>(quote), 1});
        SQLWCHAR escape[8] = {};
        if (SQL_SUCCEEDED(
                SQLGetInfoW(dbc_, SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &length)) &&
            escape[0] != 0)
            escape_ = static_cast<char16_t>(escape[0]);
        SQLWCHAR dbms[64] = {};
        if (SQL_SUCCEEDED(SQLGetInfoW(dbc_, SQL_DBMS_NAME, dbms, sizeof dbms, &length)))
            boundLockWait(utf16ToUtf8(reinterpret_cast<const char16_t*>(dbms)));
    }
    ~OdbcBackend() override {
        closeTable();
        if (inTransaction_) rollback();
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
    }

    bool tableNames(std::vector<std::string>& names) override {
        names.clear();
        tableOf_.clear();
        StatementHandle s(dbc_);
        std::u16string kind = u"TABLE";
        if (!s ||
            !check(SQL_HANDLE_STMT, s.get(),
                   SQLTablesW(s.get(), nullptr, 0, nullptr, 0, nullptr, 0, wide(kind), SQL_NTS)))
            return false;
        while (SQL_SUCCEEDED(SQLFetch(s.get()))) {
            std::string schema, name;
            bool null = false;
            if (!getLong(s.get(), 2, true, schema, null) || !getLong(s.get(), 3, true, name, null))
                return false;
            name = utf16ToUtf8(asUtf16(name));
            const std::string shown = databaseTextToSjis(name);
            if (tableOf_.emplace(shown, std::make_pair(utf16ToUtf8(asUtf16(schema)), name)).second)
                names.push_back(shown);
        }
        return true;
    }

    bool openTable(const std::string& table, std::vector<DaoFieldInfo>& fields) override {
        closeTable();
        if (auto it = tableOf_.find(table); it != tableOf_.end()) {
            schema_ = it->second.first;
            table_ = it->second.second;
        } else if (auto utf8 = sjisToDatabaseText(table)) {
            table_ = *utf8;
        } else {
            return false;
        }
        if (!readColumns() || columns_.empty()) {
            closeTable();
            return false;
        }
        fields.clear();
        for (const Column& c : columns_) {
            DaoFieldInfo info = odbcColumnType(c.sqlType, c.size, typeNames_[&c - columns_.data()]);
            info.name = databaseTextToSjis(c.name);
            fields.push_back(info);
        }
        return true;
    }

    void closeTable() override {
        aheadStatement_.reset();
        aheadStatementFields_.clear();
        ahead_.clear();
        aheadFields_.clear();
        readStatement_.reset();
        writeStatement_.reset();
        table_.clear();
        schema_.clear();
        columns_.clear();
        typeNames_.clear();
        keys_.clear();
    }

    bool recordKeys(RecordKeys& keys) override {
        keys.clear();
        if (table_.empty() || (keys_.empty() && !readKeyColumns())) return false;
        std::string list;
        for (std::size_t i = 0; i < keys_.size(); ++i)
            list += (i ? ", " : "") + quote(keys_[i].name);
        StatementHandle s(dbc_);
        std::u16string sql =
            utf8ToUtf16("SELECT " + list + " FROM " + qualifiedTable() + " ORDER BY " + list);
        if (!s || !check(SQL_HANDLE_STMT, s.get(), SQLExecDirectW(s.get(), wide(sql), SQL_NTS)))
            return false;
        SQLRETURN rc;
        while (SQL_SUCCEEDED(rc = SQLFetch(s.get()))) {
            RecordKey key(keys_.size());
            for (std::size_t i = 0; i < keys_.size(); ++i)
                if (!fetchValue(s.get(), static_cast<SQLUSMALLINT>(i + 1), keys_[i], true, key[i]))
                    return check(SQL_HANDLE_STMT, s.get(), SQL_ERROR);
            keys.add(std::move(key));
        }
        return rc == SQL_NO_DATA || check(SQL_HANDLE_STMT, s.get(), rc);
    }

    void readAhead(const RecordKeys& keys, std::size_t from,
                   const std::vector<std::size_t>& fields) override {
        if (table_.empty() || keys_.size() != 1 || from >= keys.size()) return;
        if (aheadFields_ == fields && ahead_.count(keyText(keys.at(from)))) return;
        ahead_.clear();
        aheadFields_ = fields;
        // One statement for a block of records, by a list of their keys; the
        // last block repeats its last key to keep the statement's shape.
        if (!aheadStatement_ || aheadStatementFields_ != fields) {
            std::string sql = "SELECT " + quote(keys_[0].name);
            for (std::size_t f : fields) {
                if (f >= columns_.size()) return;
                sql += ", " + quote(columns_[f].name);
            }
            sql += " FROM " + qualifiedTable() + " WHERE " + quote(keys_[0].name) + " IN (?";
            for (std::size_t i = 1; i < kReadAhead; ++i) sql += ", ?";
            aheadStatement_ = prepare(sql + ")");
            if (!aheadStatement_) return;
            aheadStatementFields_ = fields;
        }
        SQLHSTMT s = aheadStatement_->get();
        ParameterStore store;
        for (std::size_t i = 0; i < kReadAhead; ++i) {
            const RecordKey key = keys.at(std::min(from + i, keys.size() - 1));
            if (keyText(key).empty() || !bindParameter(s, static_cast<SQLUSMALLINT>(i + 1), key[0],
                                                       &keys_[0], true, store)) {
                SQLFreeStmt(s, SQL_RESET_PARAMS);
                return;
            }
        }
        if (SQL_SUCCEEDED(SQLExecute(s))) {
            while (SQL_SUCCEEDED(SQLFetch(s))) {
                RecordKey key(1);
                std::vector<FieldValue> values(fields.size());
                bool ok = fetchValue(s, 1, keys_[0], true, key[0]);
                for (std::size_t i = 0; ok && i < fields.size(); ++i)
                    ok = fetchValue(s, static_cast<SQLUSMALLINT>(i + 2), columns_[fields[i]], false,
                                    values[i]);
                if (!ok) break;
                ahead_[keyText(key)] = std::move(values);
            }
        }
        SQLFreeStmt(s, SQL_CLOSE);
        SQLFreeStmt(s, SQL_RESET_PARAMS);
    }

    bool readRecord(const RecordKey& key, const std::vector<std::size_t>& fields,
                    std::vector<FieldValue>& values) override {
        values.clear();
        if (table_.empty() || key.size() != keys_.size()) return false;
        if (fields == aheadFields_) {
            // Read with its block: used once, so a later read sees the record anew.
            if (auto it = ahead_.find(keyText(key)); it != ahead_.end()) {
                values = std::move(it->second);
                ahead_.erase(it);
                return true;
            }
        }
        if (!readStatement_ || readFields_ != fields) {
            std::string sql = "SELECT ";
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (fields[i] >= columns_.size()) return false;
                sql += (i ? ", " : "") + quote(columns_[fields[i]].name);
            }
            if (fields.empty()) sql += quote(keys_[0].name);
            readStatement_ =
                prepare(sql + " FROM " + qualifiedTable() + " WHERE " + keyCondition());
            if (!readStatement_) return false;
            readFields_ = fields;
        }
        SQLHSTMT s = readStatement_->get();
        ParameterStore store;
        if (!bindKey(s, key, 1, store) || !check(SQL_HANDLE_STMT, s, SQLExecute(s))) {
            SQLFreeStmt(s, SQL_CLOSE);
            return false;
        }
        bool ok = SQL_SUCCEEDED(SQLFetch(s));
        if (!ok) error_ = "the record is no longer in the table";
        for (std::size_t i = 0; ok && i < fields.size(); ++i) {
            FieldValue v;
            ok = fetchValue(s, static_cast<SQLUSMALLINT>(i + 1), columns_[fields[i]], false, v);
            if (!ok) check(SQL_HANDLE_STMT, s, SQL_ERROR);
            values.push_back(std::move(v));
        }
        SQLFreeStmt(s, SQL_CLOSE);
        SQLFreeStmt(s, SQL_RESET_PARAMS);
        return ok;
    }

    bool writeRecord(const RecordKey& key, const FieldChanges& changes) override {
        if (table_.empty() || key.size() != keys_.size() || changes.empty()) return false;
        ahead_.erase(keyText(key));
        std::vector<std::size_t> fields;
        for (const auto& change : changes) {
            if (change.first >= columns_.size()) return false;
            fields.push_back(change.first);
        }
        if (!writeStatement_ || writeFields_ != fields) {
            std::string sql = "UPDATE " + qualifiedTable() + " SET ";
            for (std::size_t i = 0; i < fields.size(); ++i)
                sql += (i ? ", " : "") + quote(columns_[fields[i]].name) + " = ?";
            writeStatement_ = prepare(sql + " WHERE " + keyCondition());
            if (!writeStatement_) return false;
            writeFields_ = fields;
        }
        SQLHSTMT s = writeStatement_->get();
        ParameterStore store;
        bool ok = true;
        for (std::size_t i = 0; ok && i < changes.size(); ++i)
            ok = bindParameter(s, static_cast<SQLUSMALLINT>(i + 1), changes[i].second, nullptr,
                               false, store);
        if (!ok) error_ = "the value cannot be written";
        ok = ok && bindKey(s, key, changes.size() + 1, store) &&
             check(SQL_HANDLE_STMT, s, SQLExecute(s));
        SQLLEN rows = 0;
        if (ok && (!SQL_SUCCEEDED(SQLRowCount(s, &rows)) || rows != 1)) {
            error_ = "the record is no longer in the table";
            ok = false;
        }
        SQLFreeStmt(s, SQL_CLOSE);
        SQLFreeStmt(s, SQL_RESET_PARAMS);
        return ok;
    }

    bool beginTransaction() override {
        if (inTransaction_) return true;
        inTransaction_ = check(
            SQL_HANDLE_DBC, dbc_,
            SQLSetConnectAttrW(dbc_, SQL_ATTR_AUTOCOMMIT,
                               reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER));
        return inTransaction_;
    }
    bool commit() override {
        if (!inTransaction_) return true;
        const bool ok = check(SQL_HANDLE_DBC, dbc_, SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_COMMIT));
        if (ok) autocommit();
        return ok;
    }
    void rollback() override {
        if (!inTransaction_) return;
        SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        autocommit();
    }

    std::string databaseFile() const override { return file_; }

    bool backup(const std::string& path) override {
        if (file_.empty()) return false;
        const std::string temporary = path + ".tmp";
        std::error_code error = platform::copyFileOver(file_, temporary);
        if (!error)
            std::filesystem::rename(platform::fsPath(temporary), platform::fsPath(path), error);
        if (!error) return true;
        error_ = error.message();
        std::filesystem::remove(platform::fsPath(temporary), error);
        return false;
    }

    std::string lastError() const override { return error_; }
    bool lockedByOther() const override { return locked_; }

  private:
    bool check(SQLSMALLINT type, SQLHANDLE handle, SQLRETURN rc) {
        if (SQL_SUCCEEDED(rc)) return true;
        std::string state;
        long native = 0;
        error_ = diagnostics(type, handle, &state, &native);
        if (error_.empty()) error_ = "the driver refused";
        locked_ = lockWait_ && (lockWait_->sqlState.empty() ? native == lockWait_->nativeError
                                                            : state == lockWait_->sqlState);
        return false;
    }
    // Bounds the wait for other sessions' locks on the servers that know
    // how, so that a locked table ends the run as "in use" instead of
    // holding it.
    void boundLockWait(const std::string& dbms) {
        for (const LockWait& wait : kLockWaits) {
            if (dbms != wait.dbms) continue;
            char sql[96];
            std::snprintf(sql, sizeof sql, wait.bound,
                          (kLockWaitMilliseconds + wait.unit - 1) / wait.unit);
            StatementHandle s(dbc_);
            std::u16string text = utf8ToUtf16(sql);
            if (s && SQL_SUCCEEDED(SQLExecDirectW(s.get(), wide(text), SQL_NTS))) lockWait_ = &wait;
        }
    }
    void autocommit() {
        SQLSetConnectAttrW(dbc_, SQL_ATTR_AUTOCOMMIT,
                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
        inTransaction_ = false;
    }
    std::unique_ptr<StatementHandle> prepare(const std::string& sql) {
        auto s = std::make_unique<StatementHandle>(dbc_);
        std::u16string text = utf8ToUtf16(sql);
        if (!*s || !check(SQL_HANDLE_STMT, s->get(), SQLPrepareW(s->get(), wide(text), SQL_NTS)))
            return nullptr;
        return s;
    }
    std::string quote(const std::string& name) const {
        if (quote_.empty()) return name;
        std::string out = quote_;
        for (char c : name) {
            out += c;
            if (std::string(1, c) == quote_) out += c;
        }
        return out + quote_;
    }
    std::string qualifiedTable() const {
        return schema_.empty() ? quote(table_) : quote(schema_) + "." + quote(table_);
    }
    std::string keyCondition() const {
        std::string out;
        for (std::size_t i = 0; i < keys_.size(); ++i)
            out += (i ? " AND " : "") + quote(keys_[i].name) + " = ?";
        return out;
    }
    // The catalogue functions take patterns; '_' and '%' in a name are escaped.
    std::u16string pattern(const std::string& name) const {
        std::u16string out;
        for (char16_t c : utf8ToUtf16(name)) {
            if (escape_ && (c == u'_' || c == u'%' || c == escape_)) out += escape_;
            out += c;
        }
        return out;
    }

    bool readColumns() {
        StatementHandle s(dbc_);
        std::u16string schema = pattern(schema_);
        std::u16string table = pattern(table_);
        if (!s ||
            !check(SQL_HANDLE_STMT, s.get(),
                   SQLColumnsW(s.get(), nullptr, 0, schema_.empty() ? nullptr : wide(schema),
                               schema_.empty() ? 0 : SQL_NTS, wide(table), SQL_NTS, nullptr, 0)))
            return false;
        std::vector<std::pair<long, std::pair<Column, std::string>>> found;
        while (SQL_SUCCEEDED(SQLFetch(s.get()))) {
            std::string tableName, columnName, typeName;
            bool null = false;
            SQLSMALLINT dataType = 0;
            SQLINTEGER size = 0, ordinal = 0;
            SQLSMALLINT digits = 0;
            SQLLEN indicator = 0;
            if (!getLong(s.get(), 3, true, tableName, null) ||
                utf16ToUtf8(asUtf16(tableName)) != table_ ||
                !getLong(s.get(), 4, true, columnName, null) ||
                !SQL_SUCCEEDED(SQLGetData(s.get(), 5, SQL_C_SSHORT, &dataType, 0, &indicator)) ||
                !getLong(s.get(), 6, true, typeName, null) ||
                !SQL_SUCCEEDED(SQLGetData(s.get(), 7, SQL_C_SLONG, &size, 0, &indicator)))
                continue;
            if (indicator == SQL_NULL_DATA) size = 0;
            if (!SQL_SUCCEEDED(SQLGetData(s.get(), 9, SQL_C_SSHORT, &digits, 0, &indicator)) ||
                indicator == SQL_NULL_DATA)
                digits = 0;
            if (!SQL_SUCCEEDED(SQLGetData(s.get(), 17, SQL_C_SLONG, &ordinal, 0, &indicator)))
                ordinal = static_cast<SQLINTEGER>(found.size() + 1);
            Column c;
            c.name = utf16ToUtf8(asUtf16(columnName));
            c.sqlType = dataType;
            c.size = size;
            c.digits = digits;
            const std::string type = utf16ToUtf8(asUtf16(typeName));
            c.fetch = odbcFetchKind(dataType, type);
            found.push_back({ordinal, {c, type}});
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [ordinal, column] : found) {
            columns_.push_back(column.first);
            typeNames_.push_back(column.second);
        }
        return true;
    }

    bool readKeyColumns() {
        std::u16string schema = utf8ToUtf16(schema_);
        std::u16string table = utf8ToUtf16(table_);
        SQLWCHAR* schemaArg = schema_.empty() ? nullptr : wide(schema);
        const SQLSMALLINT schemaLength = schema_.empty() ? 0 : SQL_NTS;
        std::vector<std::pair<int, std::string>> names;
        {
            StatementHandle s(dbc_);
            if (s && SQL_SUCCEEDED(SQLPrimaryKeysW(s.get(), nullptr, 0, schemaArg, schemaLength,
                                                   wide(table), SQL_NTS))) {
                while (SQL_SUCCEEDED(SQLFetch(s.get()))) {
                    std::string name;
                    bool null = false;
                    SQLSMALLINT sequence = 0;
                    SQLLEN indicator = 0;
                    if (getLong(s.get(), 4, true, name, null) &&
                        SQL_SUCCEEDED(
                            SQLGetData(s.get(), 5, SQL_C_SSHORT, &sequence, 0, &indicator)))
                        names.emplace_back(sequence, utf16ToUtf8(asUtf16(name)));
                }
            }
        }
        if (names.empty()) {
            // No primary key: the driver's best way to find a row again.
            StatementHandle s(dbc_);
            if (s && SQL_SUCCEEDED(SQLSpecialColumnsW(s.get(), SQL_BEST_ROWID, nullptr, 0,
                                                      schemaArg, schemaLength, wide(table), SQL_NTS,
                                                      SQL_SCOPE_SESSION, SQL_NULLABLE))) {
                while (SQL_SUCCEEDED(SQLFetch(s.get()))) {
                    std::string name;
                    bool null = false;
                    if (getLong(s.get(), 2, true, name, null))
                        names.emplace_back(static_cast<int>(names.size()),
                                           utf16ToUtf8(asUtf16(name)));
                }
            }
        }
        std::sort(names.begin(), names.end());
        for (const auto& entry : names) {
            const std::string& name = entry.second;
            auto column = std::find_if(columns_.begin(), columns_.end(),
                                       [&name](const Column& c) { return c.name == name; });
            // A pseudo column (a row identifier) is read and bound as text.
            if (column != columns_.end()) {
                keys_.push_back(*column);
            } else {
                Column pseudo;
                pseudo.name = name;
                pseudo.sqlType = SQL_VARCHAR;
                pseudo.fetch = OdbcFetch::Text;
                keys_.push_back(pseudo);
            }
        }
        if (keys_.empty()) error_ = "the table has no primary key";
        return !keys_.empty();
    }

    bool bindKey(SQLHSTMT s, const RecordKey& key, std::size_t first, ParameterStore& store) {
        for (std::size_t i = 0; i < key.size(); ++i)
            if (!bindParameter(s, static_cast<SQLUSMALLINT>(first + i), key[i], &keys_[i], true,
                               store))
                return check(SQL_HANDLE_STMT, s, SQL_ERROR);
        return true;
    }

    SQLHENV env_;
    SQLHDBC dbc_;
    std::string file_;
    std::string quote_ = "\"";
    char16_t escape_ = 0;
    std::string error_;
    const LockWait* lockWait_ = nullptr;  // how this server bounds lock waits, if it does
    bool locked_ = false;                 // the last failure: another session's lock
    bool inTransaction_ = false;
    std::map<std::string, std::pair<std::string, std::string>> tableOf_;  // shown -> schema, name
    std::string schema_;
    std::string table_;
    std::vector<Column> columns_;
    std::vector<std::string> typeNames_;
    std::vector<Column> keys_;
    // Records read ahead, by the text of their key, with the fields read.
    std::unique_ptr<StatementHandle> aheadStatement_;
    std::vector<std::size_t> aheadStatementFields_;
    std::map<std::string, std::vector<FieldValue>> ahead_;
    std::vector<std::size_t> aheadFields_;
    std::unique_ptr<StatementHandle> readStatement_;
    std::vector<std::size_t> readFields_;
    std::unique_ptr<StatementHandle> writeStatement_;
    std::vector<std::size_t> writeFields_;
};

// The value of the DBQ key of a connection string: the database file of
// file-based drivers.
std::string databaseFileOf(const std::string& connection) {
    std::size_t pos = 0;
    while (pos < connection.size()) {
        std::size_t end = connection.find(';', pos);
        if (end == std::string::npos) end = connection.size();
        const std::string pair = connection.substr(pos, end - pos);
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos) {
            std::string key = pair.substr(0, equals);
            key.erase(0, key.find_first_not_of(' '));
            key.erase(key.find_last_not_of(' ') + 1);
            for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (key == "DBQ") {
                std::string value = pair.substr(equals + 1);
                if (value.size() >= 2 && value.front() == '{' && value.back() == '}')
                    value = value.substr(1, value.size() - 2);
                return value;
            }
        }
        pos = end + 1;
    }
    return {};
}

}  // namespace

std::unique_ptr<DatabaseBackend> openOdbcDatabase(const std::string& connection,
                                                  std::string& error) {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
        error = "the ODBC driver manager is not available";
        return nullptr;
    }
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        error = diagnostics(SQL_HANDLE_ENV, env);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        return nullptr;
    }
    // A name without '=' is a configured data source.
    const std::string text =
        connection.find('=') == std::string::npos ? "DSN=" + connection : connection;
    std::u16string wideText = utf8ToUtf16(text);
    SQLWCHAR completed[1024];
    SQLSMALLINT length = 0;
    const SQLRETURN rc =
        SQLDriverConnectW(dbc, nullptr, wide(wideText), SQL_NTS, completed,
                          sizeof completed / sizeof completed[0], &length, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        error = diagnostics(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        return nullptr;
    }
    return std::make_unique<OdbcBackend>(env, dbc, databaseFileOf(text));
}

}  // namespace converter
