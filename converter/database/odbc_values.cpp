#include "odbc_values.h"

#include <algorithm>
#include <cstring>

#include "database_text.h"

namespace converter::odbc {
namespace {

// Longest text or binary value read whole (in characters or bytes); the
// rest is left unread, as no address piece uses more than 255 bytes.
constexpr std::size_t kLongValueLimit = 1 << 20;

}  // namespace

std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle, std::string* firstState,
                        long* firstNative) {
    std::string out;
    SQLWCHAR state[6] = {};
    SQLWCHAR message[1024];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (firstState) firstState->clear();
    if (firstNative) *firstNative = 0;
    for (SQLSMALLINT i = 1; i <= 3; ++i) {
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, i, state, &native, message,
                                          sizeof message / sizeof message[0], &length)))
            break;
        if (i == 1 && firstState)
            for (int k = 0; k < 5 && state[k]; ++k) *firstState += static_cast<char>(state[k]);
        if (i == 1 && firstNative) *firstNative = native;
        length = std::min<SQLSMALLINT>(length, sizeof message / sizeof message[0] - 1);
        if (!out.empty()) out += "; ";
        out += utf16ToUtf8(
            {reinterpret_cast<const char16_t*>(message), static_cast<std::size_t>(length)});
    }
    return out;
}

// Reads a whole text or binary column with repeated calls.
bool getLong(SQLHSTMT s, SQLUSMALLINT column, bool text, std::string& out, bool& null) {
    out.clear();
    null = false;
    char buffer[8192];
    const SQLSMALLINT cType = text ? SQL_C_WCHAR : SQL_C_BINARY;
    const std::size_t terminator = text ? sizeof(char16_t) : 0;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(s, column, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) return false;
        if (indicator == SQL_NULL_DATA) {
            null = true;
            return true;
        }
        std::size_t bytes = sizeof buffer - terminator;
        if (indicator != SQL_NO_TOTAL && static_cast<std::size_t>(indicator) < bytes)
            bytes = static_cast<std::size_t>(indicator);
        if (text) bytes -= bytes % sizeof(char16_t);
        out.append(buffer, bytes);
        if (rc == SQL_SUCCESS || out.size() >= kLongValueLimit) break;
    }
    return true;
}

std::u16string asUtf16(const std::string& raw) {
    std::u16string out(raw.size() / 2, u'\0');
    std::memcpy(out.data(), raw.data(), out.size() * 2);
    return out;
}

// A value of `column` from the current row; `keyForm` keeps texts in UTF-8
// (to be bound back exactly) instead of Shift-JIS.
bool fetchValue(SQLHSTMT s, SQLUSMALLINT index, const Column& column, bool keyForm,
                FieldValue& value) {
    SQLLEN indicator = 0;
    auto fixed = [&](SQLSMALLINT cType, void* target, SQLLEN size) {
        return SQL_SUCCEEDED(SQLGetData(s, index, cType, target, size, &indicator));
    };
    // Keys of inexact or fractional kinds travel as the driver's own text,
    // so that they are bound back exactly as they came.
    const bool asText =
        keyForm && (column.fetch == OdbcFetch::Real || column.fetch == OdbcFetch::Double ||
                    column.fetch == OdbcFetch::Date || column.fetch == OdbcFetch::Time ||
                    column.fetch == OdbcFetch::Currency);
    if (asText) {
        char text[128] = {};
        if (!fixed(SQL_C_CHAR, text, sizeof text)) return false;
        value.kind = indicator == SQL_NULL_DATA ? ValueKind::Null : ValueKind::Decimal;
        value.bytes = text;
        return true;
    }
    switch (column.fetch) {
        case OdbcFetch::Boolean: {
            unsigned char bit = 0;
            if (!fixed(SQL_C_BIT, &bit, 1)) return false;
            value = FieldValue::integerOf(ValueKind::Boolean, bit ? -1 : 0);
            break;
        }
        case OdbcFetch::SmallInt: {
            SQLSMALLINT v = 0;
            if (!fixed(SQL_C_SSHORT, &v, sizeof v)) return false;
            const bool byte = column.sqlType == SQL_TINYINT && v >= 0 && v <= 255;
            value = FieldValue::integerOf(byte ? ValueKind::Byte : ValueKind::Int16, v);
            break;
        }
        case OdbcFetch::Integer: {
            SQLINTEGER v = 0;
            if (!fixed(SQL_C_SLONG, &v, sizeof v)) return false;
            value = FieldValue::integerOf(ValueKind::Int32, v);
            break;
        }
        case OdbcFetch::BigInt: {
            SQLBIGINT v = 0;
            if (!fixed(SQL_C_SBIGINT, &v, sizeof v)) return false;
            value = FieldValue::integerOf(ValueKind::Int64, v);
            break;
        }
        case OdbcFetch::Real: {
            SQLREAL v = 0;
            if (!fixed(SQL_C_FLOAT, &v, sizeof v)) return false;
            value = FieldValue::realOf(ValueKind::Single, v);
            break;
        }
        case OdbcFetch::Double: {
            SQLDOUBLE v = 0;
            if (!fixed(SQL_C_DOUBLE, &v, sizeof v)) return false;
            value = FieldValue::realOf(ValueKind::Double, v);
            break;
        }
        case OdbcFetch::Currency:
        case OdbcFetch::Decimal: {
            char text[128] = {};
            if (!fixed(SQL_C_CHAR, text, sizeof text)) return false;
            if (indicator == SQL_NULL_DATA) break;
            std::int64_t amount = 0;
            if (column.fetch == OdbcFetch::Currency && !keyForm && currencyFromText(text, amount)) {
                value = FieldValue::integerOf(ValueKind::Currency, amount);
            } else {
                value.kind = ValueKind::Decimal;
                value.bytes = text;
            }
            break;
        }
        case OdbcFetch::Date:
        case OdbcFetch::Time: {
            SQL_TIMESTAMP_STRUCT t{};
            DateTime d;
            if (column.fetch == OdbcFetch::Time) {
                SQL_TIME_STRUCT time{};
                if (!fixed(SQL_C_TYPE_TIME, &time, sizeof time)) return false;
                d.hour = time.hour;
                d.minute = time.minute;
                d.second = time.second;
            } else {
                if (!fixed(SQL_C_TYPE_TIMESTAMP, &t, sizeof t)) return false;
                d.year = t.year;
                d.month = t.month;
                d.day = t.day;
                d.hour = t.hour;
                d.minute = t.minute;
                d.second = t.second;
            }
            value = FieldValue::dateOf(d);
            break;
        }
        case OdbcFetch::Text:
        case OdbcFetch::Binary: {
            const bool text = column.fetch == OdbcFetch::Text;
            std::string raw;
            bool null = false;
            if (!getLong(s, index, text, raw, null)) return false;
            if (null) {
                value = FieldValue::null();
                return true;
            }
            if (text) {
                std::string utf8 = utf16ToUtf8(asUtf16(raw));
                value = FieldValue::text(keyForm ? utf8 : databaseTextToSjis(utf8));
            } else {
                value.kind = ValueKind::Binary;
                value.bytes = std::move(raw);
            }
            return true;
        }
    }
    if (indicator == SQL_NULL_DATA) value = FieldValue::null();
    return true;
}

bool bindParameter(SQLHSTMT s, SQLUSMALLINT index, const FieldValue& v, const Column* keyColumn,
                   bool textInUtf8, ParameterStore& store) {
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    std::string& buffer = store.buffers.emplace_back();
    SQLLEN& indicator = store.indicators.emplace_back(0);
    auto raw = [&buffer](const void* data, std::size_t n) {
        buffer.assign(static_cast<const char*>(data), n);
    };
    switch (v.kind) {
        case ValueKind::Empty:
            return false;
        case ValueKind::Null:
            indicator = SQL_NULL_DATA;
            size = 1;
            if (keyColumn) sqlType = static_cast<SQLSMALLINT>(keyColumn->sqlType);
            break;
        case ValueKind::Boolean: {
            const unsigned char bit = v.integer != 0;
            raw(&bit, 1);
            cType = SQL_C_BIT;
            sqlType = SQL_BIT;
            size = 1;
            break;
        }
        case ValueKind::Int16:
        case ValueKind::Int32:
        case ValueKind::Int64:
        case ValueKind::Byte:
            if (v.integer >= INT32_MIN && v.integer <= INT32_MAX) {
                const SQLINTEGER n = static_cast<SQLINTEGER>(v.integer);
                raw(&n, sizeof n);
                cType = SQL_C_SLONG;
                sqlType = SQL_INTEGER;
                size = 10;
            } else {
                const SQLBIGINT n = v.integer;
                raw(&n, sizeof n);
                cType = SQL_C_SBIGINT;
                sqlType = SQL_BIGINT;
                size = 19;
            }
            break;
        case ValueKind::Single:
        case ValueKind::Double:
            raw(&v.real, sizeof v.real);
            cType = SQL_C_DOUBLE;
            sqlType = SQL_DOUBLE;
            size = 15;
            break;
        case ValueKind::Currency:
            buffer = *valueText(v);
            sqlType = SQL_DECIMAL;
            size = 19;
            digits = 4;
            break;
        case ValueKind::Date: {
            SQL_TIMESTAMP_STRUCT t{};
            t.year = static_cast<SQLSMALLINT>(v.date.year);
            t.month = static_cast<SQLUSMALLINT>(v.date.month);
            t.day = static_cast<SQLUSMALLINT>(v.date.day);
            t.hour = static_cast<SQLUSMALLINT>(v.date.hour);
            t.minute = static_cast<SQLUSMALLINT>(v.date.minute);
            t.second = static_cast<SQLUSMALLINT>(v.date.second);
            raw(&t, sizeof t);
            cType = SQL_C_TYPE_TIMESTAMP;
            sqlType = SQL_TYPE_TIMESTAMP;
            size = 19;
            break;
        }
        case ValueKind::Text: {
            std::string utf8;
            if (textInUtf8) {
                utf8 = v.bytes;
            } else if (auto converted = sjisToDatabaseText(v.bytes)) {
                utf8 = std::move(*converted);
            } else {
                return false;
            }
            const std::u16string text = utf8ToUtf16(utf8);
            raw(text.data(), text.size() * sizeof(char16_t));
            cType = SQL_C_WCHAR;
            sqlType = SQL_WVARCHAR;
            size = std::max<SQLULEN>(text.size(), 1);
            break;
        }
        case ValueKind::Decimal:
            buffer = v.bytes;
            sqlType = keyColumn ? static_cast<SQLSMALLINT>(keyColumn->sqlType) : SQL_NUMERIC;
            size = keyColumn && keyColumn->size > 0 ? static_cast<SQLULEN>(keyColumn->size)
                                                    : std::max<SQLULEN>(buffer.size(), 1);
            digits = keyColumn ? static_cast<SQLSMALLINT>(keyColumn->digits) : 0;
            break;
        case ValueKind::Binary:
            buffer = v.bytes;
            cType = SQL_C_BINARY;
            sqlType = SQL_VARBINARY;
            size = std::max<SQLULEN>(buffer.size(), 1);
            break;
    }
    if (indicator != SQL_NULL_DATA) indicator = static_cast<SQLLEN>(buffer.size());
    return SQL_SUCCEEDED(SQLBindParameter(s, index, SQL_PARAM_INPUT, cType, sqlType, size, digits,
                                          buffer.data(), static_cast<SQLLEN>(buffer.size()),
                                          &indicator));
}

bool getText(SQLHSTMT s, SQLUSMALLINT column, std::string& utf8) {
    std::string raw;
    bool null = false;
    if (!getLong(s, column, true, raw, null)) return false;
    utf8 = utf16ToUtf8(asUtf16(raw));
    return true;
}

}  // namespace converter::odbc
