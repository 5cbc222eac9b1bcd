// Building small SQLite databases for the tests, with SQL written in UTF-8.
#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace database_test {

class SqliteFile {
  public:
    explicit SqliteFile(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error(path);
    }
    ~SqliteFile() { sqlite3_close_v2(db_); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    void exec(const std::string& sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::string text = message ? message : "?";
            sqlite3_free(message);
            throw std::runtime_error(text + ": " + sql);
        }
    }
    // The first column of the first row as text ("NULL" for a null).
    std::string value(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        std::string out = "(none)";
        if (sqlite3_step(s) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(s, 0);
            out = text ? reinterpret_cast<const char*>(text) : "NULL";
        }
        sqlite3_finalize(s);
        return out;
    }
    sqlite3* handle() { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace database_test
