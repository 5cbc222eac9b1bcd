#include "column_types.h"

#include <platform/sql_headers.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <string>

#include "database_text.h"

namespace converter {
namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// The first number in parentheses, as in "VARCHAR(40)" or "NUMERIC(10, 2)";
// -1 when there is none or it is out of range.
std::int64_t sizeInParentheses(const std::string& text) {
    const std::size_t open = text.find('(');
    if (open == std::string::npos) return -1;
    std::size_t pos = open + 1;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    std::int64_t value = 0;
    std::size_t count = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return -1;
        ++pos;
        ++count;
    }
    return count == 0 ? -1 : value;
}

// The whole type name without its size ("DOUBLE PRECISION", "INT8").
std::string baseName(const std::string& text) {
    std::string name = text.substr(0, text.find('('));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    std::size_t start = name.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : name.substr(start);
}

DaoFieldInfo field(int type, std::int64_t size) {
    DaoFieldInfo info;
    info.type = type;
    info.size = static_cast<std::int32_t>(size);
    return info;
}

bool fitsIn(std::int64_t v, std::int64_t low, std::int64_t high) { return v >= low && v <= high; }

}  // namespace

DaoFieldInfo sqliteColumnType(std::string_view declared) {
    const std::string type = upper(declared);
    const std::string name = baseName(type);
    // SQLite's own order of affinity rules: INT, then character types,
    // then BLOB, then reals; everything else is numeric.
    if (contains(type, "INT")) {
        if (name == "TINYINT" || name == "UNSIGNED TINYINT") return field(kDbByte, 1);
        if (name == "SMALLINT" || name == "INT2") return field(kDbInteger, 2);
        if (name == "BIGINT" || name == "INT8" || name == "UNSIGNED BIG INT")
            return field(kDbBigInt, 8);
        return field(kDbLong, 4);
    }
    if (contains(type, "CHAR") || contains(type, "CLOB") || contains(type, "TEXT")) {
        const std::int64_t size = sizeInParentheses(type);
        if (size > 0 && !contains(type, "CLOB")) return field(kDbText, size);
        return field(kDbMemo, 0);
    }
    if (contains(type, "BLOB") || name.empty()) return field(kDbLongBinary, 0);
    if (name == "FLOAT4" || name == "SINGLE") return field(kDbSingle, 4);
    if (contains(type, "REAL") || contains(type, "FLOA") || contains(type, "DOUB"))
        return field(kDbDouble, 8);
    if (name == "DATE" || name == "DATETIME" || name == "TIME" || name == "TIMESTAMP" ||
        name == "SMALLDATETIME")
        return field(kDbDate, 8);
    if (name == "BOOLEAN" || name == "BOOL" || name == "BIT" || name == "YESNO" ||
        name == "LOGICAL")
        return field(kDbBoolean, 1);
    if (name == "CURRENCY" || name == "MONEY" || name == "SMALLMONEY") return field(kDbCurrency, 8);
    if (name == "DECIMAL" || name == "NUMERIC") return field(kDbDecimal, 16);
    if (name == "GUID" || name == "UUID" || name == "UNIQUEIDENTIFIER") return field(kDbGuid, 16);
    return field(kDbDouble, 8);
}

FieldValue sqliteFieldValue(SqliteStorage storage, std::int64_t integer, double real,
                            std::string_view bytes, int fieldType) {
    switch (storage) {
        case SqliteStorage::Null:
            return FieldValue::null();
        case SqliteStorage::Integer:
            switch (fieldType) {
                case kDbBoolean:
                    return FieldValue::integerOf(ValueKind::Boolean, integer != 0 ? -1 : 0);
                case kDbByte:
                    if (fitsIn(integer, 0, 255))
                        return FieldValue::integerOf(ValueKind::Byte, integer);
                    break;
                case kDbInteger:
                    if (fitsIn(integer, -32768, 32767))
                        return FieldValue::integerOf(ValueKind::Int16, integer);
                    break;
                case kDbCurrency:
                    if (fitsIn(integer, -922337203685477LL, 922337203685477LL))
                        return FieldValue::integerOf(ValueKind::Currency, integer * 10000);
                    break;
                case kDbSingle:
                    return FieldValue::realOf(ValueKind::Single,
                                              static_cast<float>(static_cast<double>(integer)));
                case kDbDouble:
                    return FieldValue::realOf(ValueKind::Double, static_cast<double>(integer));
                default:
                    break;
            }
            if (fitsIn(integer, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max()))
                return FieldValue::integerOf(ValueKind::Int32, integer);
            return FieldValue::integerOf(ValueKind::Int64, integer);
        case SqliteStorage::Float: {
            if (fieldType == kDbSingle)
                return FieldValue::realOf(ValueKind::Single, static_cast<float>(real));
            if (fieldType == kDbCurrency && real > -9.2e14 && real < 9.2e14)
                return FieldValue::integerOf(
                    ValueKind::Currency,
                    static_cast<std::int64_t>(real * 10000.0 + (real < 0 ? -0.5 : 0.5)));
            DateTime date;
            if (fieldType == kDbDate && dateFromJulianDay(real, date))
                return FieldValue::dateOf(date);
            return FieldValue::realOf(ValueKind::Double, real);
        }
        case SqliteStorage::Text: {
            DateTime date;
            if (fieldType == kDbDate && dateFromText(bytes, date)) return FieldValue::dateOf(date);
            return FieldValue::text(databaseTextToSjis(bytes));
        }
        case SqliteStorage::Blob: {
            FieldValue v;
            v.kind = ValueKind::Binary;
            v.bytes = std::string(bytes);
            return v;
        }
    }
    return {};
}

DaoFieldInfo odbcColumnType(int sqlType, std::int64_t columnSize, std::string_view typeName) {
    const std::int64_t size = std::min<std::int64_t>(std::max<std::int64_t>(columnSize, 0),
                                                     std::numeric_limits<std::int32_t>::max());
    switch (odbcFetchKind(sqlType, typeName)) {
        case OdbcFetch::Boolean:
            return field(kDbBoolean, 1);
        case OdbcFetch::SmallInt:
            return sqlType == SQL_TINYINT ? field(kDbByte, 1) : field(kDbInteger, 2);
        case OdbcFetch::Integer:
            return field(kDbLong, 4);
        case OdbcFetch::BigInt:
            return field(kDbBigInt, 8);
        case OdbcFetch::Real:
            return field(kDbSingle, 4);
        case OdbcFetch::Double:
            return field(kDbDouble, 8);
        case OdbcFetch::Currency:
            return field(kDbCurrency, 8);
        case OdbcFetch::Decimal:
            return field(kDbDecimal, 16);
        case OdbcFetch::Date:
        case OdbcFetch::Time:
            return field(kDbDate, 8);
        case OdbcFetch::Text:
            if (sqlType == SQL_LONGVARCHAR || sqlType == SQL_WLONGVARCHAR || size <= 0)
                return field(kDbMemo, 0);
            return field(kDbText, size);
        case OdbcFetch::Binary:
            if (sqlType == SQL_GUID) return field(kDbGuid, 16);
            if ((sqlType == SQL_BINARY || sqlType == SQL_VARBINARY) && size > 0)
                return field(kDbBinary, size);
            return field(kDbLongBinary, 0);
    }
    return field(kDbLongBinary, 0);
}

OdbcFetch odbcFetchKind(int sqlType, std::string_view typeName) {
    const std::string name = upper(typeName);
    if (name == "MONEY" || name == "SMALLMONEY" || name == "CURRENCY") return OdbcFetch::Currency;
    // Some drivers hand booleans out as short texts ("1", "0") by default.
    if (name == "BOOL" || name == "BOOLEAN") return OdbcFetch::Boolean;
    switch (sqlType) {
        case SQL_BIT:
            return OdbcFetch::Boolean;
        case SQL_TINYINT:
        case SQL_SMALLINT:
            return OdbcFetch::SmallInt;
        case SQL_INTEGER:
            return OdbcFetch::Integer;
        case SQL_BIGINT:
            return OdbcFetch::BigInt;
        case SQL_REAL:
            return OdbcFetch::Real;
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return OdbcFetch::Double;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return OdbcFetch::Decimal;
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIMESTAMP:
        case SQL_DATETIME:
        case SQL_TIMESTAMP:
            return OdbcFetch::Date;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return OdbcFetch::Time;
        case SQL_CHAR:
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR:
            return OdbcFetch::Text;
        default:
            return OdbcFetch::Binary;
    }
}

}  // namespace converter

namespace converter {

bool currencyFromText(std::string_view text, std::int64_t& tenThousandths) {
    bool negative = false;
    bool seenDigit = false;
    bool inFraction = false;
    int fractionDigits = 0;
    std::int64_t value = 0;
    for (char c : text) {
        if (c == '-' || c == '(') {
            negative = true;
        } else if (c == '.') {
            if (inFraction) return false;
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            seenDigit = true;
            if (inFraction) {
                if (fractionDigits == 4) continue;  // beyond ten-thousandths
                ++fractionDigits;
            }
            if (value > (std::numeric_limits<std::int64_t>::max() - 9) / 10) return false;
            value = value * 10 + (c - '0');
        }
    }
    if (!seenDigit) return false;
    for (; fractionDigits < 4; ++fractionDigits) {
        if (value > std::numeric_limits<std::int64_t>::max() / 10) return false;
        value *= 10;
    }
    tenThousandths = negative ? -value : value;
    return true;
}

}  // namespace converter
