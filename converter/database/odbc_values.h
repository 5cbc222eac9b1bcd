// What the ODBC backend needs around the driver manager's calls: statement
// handles, diagnostics, reading a column of the current row as a field value
// and binding a field value as a statement parameter. Wide-character calls
// throughout: texts cross as UTF-16.
#pragma once

#include <platform/sql_headers.h>

#include <cstdint>
#include <deque>
#include <string>

#include "column_types.h"
#include "field_value.h"

namespace converter::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC wide characters are UTF-16");

inline SQLWCHAR* wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

struct Column {
    std::string name;  // UTF-8
    int sqlType = 0;
    std::int64_t size = 0;
    int digits = 0;
    OdbcFetch fetch = OdbcFetch::Text;
};

// One statement handle, freed with its owner.
class StatementHandle {
  public:
    explicit StatementHandle(SQLHDBC dbc) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_)))
            handle_ = SQL_NULL_HSTMT;
    }
    ~StatementHandle() {
        if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
    }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;
    SQLHSTMT get() const { return handle_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HSTMT; }

  private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

// The driver's messages for `handle`, in UTF-8; the first message's SQLSTATE
// and native error number go to `state` and `native` when given.
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle, std::string* state = nullptr,
                        long* native = nullptr);

// Reads a whole text (as UTF-16 bytes) or binary column with repeated calls.
bool getLong(SQLHSTMT s, SQLUSMALLINT column, bool text, std::string& out, bool& null);
// The UTF-16 bytes getLong gives as a string.
std::u16string asUtf16(const std::string& raw);
// getLong of a text column, in UTF-8.
bool getText(SQLHSTMT s, SQLUSMALLINT column, std::string& utf8);

// A value of `column` from the current row; `keyForm` keeps texts in UTF-8
// and inexact kinds as the driver's text, to be bound back exactly.
bool fetchValue(SQLHSTMT s, SQLUSMALLINT index, const Column& column, bool keyForm,
                FieldValue& value);

// Parameter buffers that live until the statement has run.
struct ParameterStore {
    std::deque<std::string> buffers;
    std::deque<SQLLEN> indicators;
};

// Binds `v` as parameter `index`; a key column's own type is used for its
// value, and `textInUtf8` says a text is UTF-8 rather than Shift-JIS.
bool bindParameter(SQLHSTMT s, SQLUSMALLINT index, const FieldValue& v, const Column* keyColumn,
                   bool textInUtf8, ParameterStore& store);

}  // namespace converter::odbc
