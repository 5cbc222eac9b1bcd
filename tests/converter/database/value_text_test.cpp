// The text forms of field values and the mapping of the column types of both
// database kinds, fed every kind a backend can hand out.
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include <cmath>

#include "database/column_types.h"
#include "database/database_text.h"
#include "database/field_value.h"
#include "platform/sjis_bytes.h"
#include "support/test_support.h"

using namespace converter;
using testing_support::sj;

namespace {

FieldValue decimal(const std::string& digits) {
    FieldValue v;
    v.kind = ValueKind::Decimal;
    v.bytes = digits;
    return v;
}

FieldValue binary(const std::string& bytes) {
    FieldValue v;
    v.kind = ValueKind::Binary;
    v.bytes = bytes;
    return v;
}

TEST(ValueText, EveryKindHasItsForm) {
    struct Case {
        FieldValue value;
        std::optional<std::string> text;
    };
    DateTime d{2005, 3, 7, 9, 5, 1};
    DateTime timeOnly;
    timeOnly.hour = 12;
    timeOnly.minute = 34;
    timeOnly.second = 56;
    const Case cases[] = {
        {FieldValue::integerOf(ValueKind::Int16, -32768), "-32768"},
        {FieldValue::integerOf(ValueKind::Int32, 12), "12"},
        {FieldValue::integerOf(ValueKind::Int64, 9007199254740993LL), "9007199254740993"},
        {FieldValue::integerOf(ValueKind::Byte, 255), "255"},
        {FieldValue::integerOf(ValueKind::Boolean, -1), "-1"},
        {FieldValue::integerOf(ValueKind::Boolean, 0), "0"},
        {FieldValue::realOf(ValueKind::Double, 1.5), "1.500000"},
        {FieldValue::realOf(ValueKind::Single, 0.25f), "0.250000"},
        {FieldValue::realOf(ValueKind::Double, -0.0000004), "-0.000000"},
        {FieldValue::integerOf(ValueKind::Currency, 12345000), "1234.500000"},
        {FieldValue::integerOf(ValueKind::Currency, -120000), "-12.000000"},
        {FieldValue::integerOf(ValueKind::Currency, 1), "0.000100"},
        {FieldValue::integerOf(ValueKind::Currency, INT64_MIN), "-922337203685477.580800"},
        {FieldValue::dateOf(d), "05/03/07 09:05:01"},
        {FieldValue::dateOf(timeOnly), "99/12/30 12:34:56"},
        {FieldValue::text(sj("東京都")), sj("東京都")},
        {FieldValue::text(""), ""},
        {FieldValue::null(), std::nullopt},
        {FieldValue{}, std::nullopt},
        {decimal("12.50"), std::nullopt},
        {binary(std::string("\0\1", 2)), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(valueText(c.value), c.text) << static_cast<int>(c.value.kind);
    }
}

TEST(ValueText, LongFormsStopAt255BytesOnACharacterBoundary) {
    // Huge reals: "%f" of 1e300 has 307 characters.
    auto huge = valueText(FieldValue::realOf(ValueKind::Double, 1e300));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->size(), 255u);
    EXPECT_EQ(huge->substr(0, 4), "1000");

    // A double-byte character across byte 255 is left out whole.
    std::string text(254, 'a');
    text += sj("東京");
    EXPECT_EQ(valueText(FieldValue::text(text)), std::string(254, 'a'));
    // A megabyte of kanji: 127 characters.
    const std::string one = sj("住");
    std::string kanji;
    for (int i = 0; i < 500000; ++i) kanji += one;
    EXPECT_EQ(valueText(FieldValue::text(kanji))->size(), 254u);

    // Invalid Shift-JIS: a lead byte followed by nothing or by a non-trail
    // byte is counted as two bytes, never read past the end.
    EXPECT_EQ(valueText(FieldValue::text("ab\x81")), "ab\x81");
    std::string invalid(300, '\x9F');
    EXPECT_EQ(valueText(FieldValue::text(invalid))->size(), 254u);
    std::string lone(256, 'x');
    lone[254] = '\xE0';
    EXPECT_EQ(valueText(FieldValue::text(lone))->size(), 254u);
    EXPECT_EQ(platform::cutSjis("\x81", 0), "");
}

TEST(ValueText, DatesFromTheirStoredForms) {
    DateTime d;
    ASSERT_TRUE(dateFromText("2024-02-29 23:59:59.999", d));
    EXPECT_EQ(valueText(FieldValue::dateOf(d)), "24/02/29 23:59:59");
    ASSERT_TRUE(dateFromText("1999/12/31", d));
    EXPECT_EQ(valueText(FieldValue::dateOf(d)), "99/12/31 00:00:00");
    ASSERT_TRUE(dateFromText("2000-01-01T08:30", d));
    EXPECT_EQ(dateToIso(d), "2000-01-01 08:30:00");
    ASSERT_TRUE(dateFromText("07:08:09", d));
    EXPECT_EQ(valueText(FieldValue::dateOf(d)), "99/12/30 07:08:09");
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-1-01", "24:00", "2024-01-01 25:00",
                            "2024-01-01x", "", "abcd-ef-gh", "2024-01/01"})
        EXPECT_FALSE(dateFromText(bad, d)) << bad;

    // SQLite's Julian day numbers and serial day counts.
    ASSERT_TRUE(dateFromJulianDay(2451545.0, d));  // 2000-01-01 12:00
    EXPECT_EQ(dateToIso(d), "2000-01-01 12:00:00");
    ASSERT_TRUE(dateFromSerial(-1.25, d));
    EXPECT_EQ(dateToIso(d), "1899-12-29 06:00:00");
    ASSERT_TRUE(dateFromSerial(36526.5, d));
    EXPECT_EQ(dateToIso(d), "2000-01-01 12:00:00");
    EXPECT_FALSE(dateFromJulianDay(1e300, d));
    EXPECT_FALSE(dateFromJulianDay(std::nan(""), d));
    EXPECT_FALSE(dateFromSerial(1e18, d));
}

TEST(ColumnTypes, SqliteDeclaredTypes) {
    struct Case {
        const char* declared;
        int type;
        int size;
    };
    const Case cases[] = {
        {"VARCHAR(40)", kDbText, 40},
        {"varchar( 8 )", kDbText, 8},
        {"CHAR(7)", kDbText, 7},
        {"NVARCHAR(14)", kDbText, 14},
        {"TEXT(255)", kDbText, 255},
        {"TEXT", kDbMemo, 0},
        {"CLOB(10)", kDbMemo, 0},
        {"VARCHAR(0)", kDbMemo, 0},
        {"VARCHAR(99999999999)", kDbMemo, 0},
        {"INTEGER", kDbLong, 4},
        {"INT", kDbLong, 4},
        {"SMALLINT", kDbInteger, 2},
        {"TINYINT", kDbByte, 1},
        {"BIGINT", kDbBigInt, 8},
        {"INT8", kDbBigInt, 8},
        {"REAL", kDbDouble, 8},
        {"DOUBLE PRECISION", kDbDouble, 8},
        {"FLOAT", kDbDouble, 8},
        {"SINGLE", kDbSingle, 4},
        {"DATE", kDbDate, 8},
        {"DATETIME", kDbDate, 8},
        {"TIMESTAMP", kDbDate, 8},
        {"BOOLEAN", kDbBoolean, 1},
        {"MONEY", kDbCurrency, 8},
        {"CURRENCY", kDbCurrency, 8},
        {"DECIMAL(10,2)", kDbDecimal, 16},
        {"NUMERIC", kDbDecimal, 16},
        {"BLOB", kDbLongBinary, 0},
        {"", kDbLongBinary, 0},
        {"UUID", kDbGuid, 16},
        {"whatever", kDbDouble, 8},
    };
    for (const Case& c : cases) {
        DaoFieldInfo info = sqliteColumnType(c.declared);
        EXPECT_EQ(info.type, c.type) << c.declared;
        EXPECT_EQ(info.size, c.size) << c.declared;
    }
}

TEST(ColumnTypes, SqliteValuesFollowTheStoredValueRefinedByTheColumn) {
    using S = SqliteStorage;
    struct Case {
        S storage;
        std::int64_t integer;
        double real;
        std::string bytes;
        int fieldType;
        ValueKind kind;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {S::Null, 0, 0, "", kDbText, ValueKind::Null, std::nullopt},
        {S::Integer, 12, 0, "", kDbLong, ValueKind::Int32, "12"},
        {S::Integer, 12, 0, "", kDbInteger, ValueKind::Int16, "12"},
        {S::Integer, 70000, 0, "", kDbInteger, ValueKind::Int32, "70000"},
        {S::Integer, 5000000000LL, 0, "", kDbLong, ValueKind::Int64, "5000000000"},
        {S::Integer, 7, 0, "", kDbBoolean, ValueKind::Boolean, "-1"},
        {S::Integer, 0, 0, "", kDbBoolean, ValueKind::Boolean, "0"},
        {S::Integer, 200, 0, "", kDbByte, ValueKind::Byte, "200"},
        {S::Integer, 300, 0, "", kDbByte, ValueKind::Int32, "300"},
        {S::Integer, 3, 0, "", kDbCurrency, ValueKind::Currency, "3.000000"},
        {S::Integer, 3, 0, "", kDbDouble, ValueKind::Double, "3.000000"},
        {S::Integer, 12, 0, "", kDbText, ValueKind::Int32, "12"},
        {S::Float, 0, 1.5, "", kDbDouble, ValueKind::Double, "1.500000"},
        {S::Float, 0, 1.5, "", kDbSingle, ValueKind::Single, "1.500000"},
        {S::Float, 0, 2.25, "", kDbCurrency, ValueKind::Currency, "2.250000"},
        {S::Float, 0, 1e300, "", kDbCurrency, ValueKind::Double, std::nullopt},
        {S::Float, 0, 2451545.0, "", kDbDate, ValueKind::Date, "00/01/01 12:00:00"},
        {S::Float, 0, -5, "", kDbDate, ValueKind::Double, "-5.000000"},
        {S::Text, 0, 0, "2001-02-03 04:05:06", kDbDate, ValueKind::Date, "01/02/03 04:05:06"},
        {S::Text, 0, 0, "someday", kDbDate, ValueKind::Text, "someday"},
        {S::Text, 0, 0, "東京都千代田区", kDbText, ValueKind::Text, sj("東京都千代田区")},
        {S::Text, 0, 0, "abc", kDbLong, ValueKind::Text, "abc"},
        {S::Blob, 0, 0, std::string("\0\xff", 2), kDbLongBinary, ValueKind::Binary, std::nullopt},
    };
    for (const Case& c : cases) {
        FieldValue v = sqliteFieldValue(c.storage, c.integer, c.real, c.bytes, c.fieldType);
        EXPECT_EQ(v.kind, c.kind) << c.bytes << " " << c.integer << " " << c.real;
        if (c.text || v.kind != ValueKind::Double) {
            EXPECT_EQ(valueText(v), c.text) << c.bytes << " " << c.integer << " " << c.real;
        }
    }
}

TEST(ColumnTypes, OdbcColumnsByTheirSqlTypes) {
    struct Case {
        int sqlType;
        std::int64_t size;
        const char* typeName;
        int type;
        int fieldSize;
        OdbcFetch fetch;
    };
    const Case cases[] = {
        {SQL_VARCHAR, 8, "varchar", kDbText, 8, OdbcFetch::Text},
        {SQL_WVARCHAR, 40, "nvarchar", kDbText, 40, OdbcFetch::Text},
        {SQL_CHAR, 7, "bpchar", kDbText, 7, OdbcFetch::Text},
        {SQL_WCHAR, 7, "nchar", kDbText, 7, OdbcFetch::Text},
        {SQL_LONGVARCHAR, 8190, "text", kDbMemo, 0, OdbcFetch::Text},
        {SQL_WLONGVARCHAR, 0, "ntext", kDbMemo, 0, OdbcFetch::Text},
        {SQL_VARCHAR, 0, "varchar", kDbMemo, 0, OdbcFetch::Text},
        {SQL_BIT, 1, "bit", kDbBoolean, 1, OdbcFetch::Boolean},
        {SQL_VARCHAR, 5, "bool", kDbBoolean, 1, OdbcFetch::Boolean},
        {SQL_TINYINT, 3, "tinyint", kDbByte, 1, OdbcFetch::SmallInt},
        {SQL_SMALLINT, 5, "int2", kDbInteger, 2, OdbcFetch::SmallInt},
        {SQL_INTEGER, 10, "int4", kDbLong, 4, OdbcFetch::Integer},
        {SQL_BIGINT, 19, "int8", kDbBigInt, 8, OdbcFetch::BigInt},
        {SQL_REAL, 7, "float4", kDbSingle, 4, OdbcFetch::Real},
        {SQL_FLOAT, 15, "float8", kDbDouble, 8, OdbcFetch::Double},
        {SQL_DOUBLE, 15, "float8", kDbDouble, 8, OdbcFetch::Double},
        {SQL_NUMERIC, 10, "numeric", kDbDecimal, 16, OdbcFetch::Decimal},
        {SQL_DECIMAL, 19, "CURRENCY", kDbCurrency, 8, OdbcFetch::Currency},
        {SQL_FLOAT, 15, "money", kDbCurrency, 8, OdbcFetch::Currency},
        {SQL_TYPE_DATE, 10, "date", kDbDate, 8, OdbcFetch::Date},
        {SQL_TYPE_TIMESTAMP, 26, "timestamp", kDbDate, 8, OdbcFetch::Date},
        {SQL_TYPE_TIME, 8, "time", kDbDate, 8, OdbcFetch::Time},
        {SQL_BINARY, 16, "binary", kDbBinary, 16, OdbcFetch::Binary},
        {SQL_LONGVARBINARY, 0, "bytea", kDbLongBinary, 0, OdbcFetch::Binary},
        {SQL_GUID, 36, "uuid", kDbGuid, 16, OdbcFetch::Binary},
        {-150, 0, "interval", kDbLongBinary, 0, OdbcFetch::Binary},
    };
    for (const Case& c : cases) {
        DaoFieldInfo info = odbcColumnType(c.sqlType, c.size, c.typeName);
        EXPECT_EQ(info.type, c.type) << c.typeName;
        EXPECT_EQ(info.size, c.fieldSize) << c.typeName;
        EXPECT_EQ(odbcFetchKind(c.sqlType, c.typeName), c.fetch) << c.typeName;
    }
}

TEST(ColumnTypes, CurrencyTexts) {
    std::int64_t v = 0;
    ASSERT_TRUE(currencyFromText("$1,234.50", v));
    EXPECT_EQ(v, 12345000);
    ASSERT_TRUE(currencyFromText("-12", v));
    EXPECT_EQ(v, -120000);
    ASSERT_TRUE(currencyFromText("￥1,235", v));
    EXPECT_EQ(v, 12350000);
    ASSERT_TRUE(currencyFromText("0.123456", v));
    EXPECT_EQ(v, 1234);
    EXPECT_FALSE(currencyFromText("", v));
    EXPECT_FALSE(currencyFromText("1.2.3", v));
    EXPECT_FALSE(currencyFromText("99999999999999999999", v));
}

TEST(DatabaseText, UnicodeToShiftJis) {
    EXPECT_EQ(databaseTextToSjis("東京都 ㈱"), sj("東京都 ㈱"));
    // A character without a Shift-JIS form is replaced, its neighbours kept.
    EXPECT_EQ(databaseTextToSjis("東\xF0\x9F\x98\x80京"), sj("東〓京"));
    // Bytes that are not UTF-8 are taken as Shift-JIS written as it was.
    EXPECT_EQ(databaseTextToSjis(sj("大阪府")), sj("大阪府"));
    EXPECT_EQ(sjisToDatabaseText(sj("大阪府")), "大阪府");
    EXPECT_EQ(sjisToDatabaseText("\x81"), std::nullopt);
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("東京\xF0\x9F\x98\x80")), "東京\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToUtf16("\xC0\x80"), u"\xFFFD\xFFFD");
    EXPECT_FALSE(isUtf8("\xED\xA0\x80"));  // an encoded surrogate
    EXPECT_TRUE(isUtf8("ascii"));
}

}  // namespace
