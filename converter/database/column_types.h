// How the column types of the two database kinds map onto the field types
// and value kinds of a table: declared SQLite types by the names people
// write, ODBC columns by their SQL type codes.
#pragma once

#include <cstdint>
#include <string_view>

#include "conversion/table.h"
#include "field_value.h"

namespace converter {

// The field type and size of a SQLite column declared as `declared`
// ("VARCHAR(40)", "INTEGER", "" ...). Sized character types are text fields
// of that size; character types without a size are memo fields.
DaoFieldInfo sqliteColumnType(std::string_view declared);

// Storage classes of a SQLite value (the numbers SQLite itself uses).
enum class SqliteStorage { Integer = 1, Float = 2, Text = 3, Blob = 4, Null = 5 };

// A SQLite value as the field value of a field of type `fieldType`: the
// stored value decides, the declared type refines it (a SMALLINT column
// gives Int16 values, a DATE column turns dated texts into dates). Texts
// arrive as UTF-8 and leave as Shift-JIS.
FieldValue sqliteFieldValue(SqliteStorage storage, std::int64_t integer, double real,
                            std::string_view bytes, int fieldType);

// The field type and size of an ODBC column: its SQL type code, column size
// and the driver's type name ("money" columns are currency).
DaoFieldInfo odbcColumnType(int sqlType, std::int64_t columnSize, std::string_view typeName);

// How an ODBC column's values are fetched.
enum class OdbcFetch {
    Boolean,
    SmallInt,
    Integer,
    BigInt,
    Real,
    Double,
    Currency,
    Decimal,
    Date,
    Time,
    Text,
    Binary
};
OdbcFetch odbcFetchKind(int sqlType, std::string_view typeName);

}  // namespace converter

namespace converter {

// A currency amount written as text ("1234.5", "-12", "$1,234.50", "￥1,235"
// in UTF-8) in ten-thousandths: signs, currency marks and group separators
// are passed over; false when there are no digits or the amount is too large.
bool currencyFromText(std::string_view text, std::int64_t& tenThousandths);

}  // namespace converter
