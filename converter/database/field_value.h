// One field value as a database table hands it out: a tagged value whose
// kind says how to read it, and the text form that an address is built from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace converter {

enum class ValueKind {
    Empty,     // no value: the field could not be read
    Null,      // the field holds no value
    Int16,     // integer
    Int32,     // long integer
    Int64,     // big integer
    Single,    // 4-byte real
    Double,    // 8-byte real
    Currency,  // fixed point, in ten-thousandths
    Date,      // calendar date and time of day
    Text,      // Shift-JIS bytes
    Boolean,   // -1 for yes, 0 for no
    Byte,      // 0 to 255
    Decimal,   // exact number of any size, kept as its digits
    Binary,    // bytes, GUIDs and anything else without a text form
};

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct FieldValue {
    ValueKind kind = ValueKind::Empty;
    std::int64_t integer = 0;  // integer kinds, Boolean, Byte, Currency
    double real = 0;           // Single, Double
    DateTime date;             // Date
    std::string bytes;         // Text, Decimal, Binary

    static FieldValue null() {
        FieldValue v;
        v.kind = ValueKind::Null;
        return v;
    }
    static FieldValue text(std::string sjis);
    static FieldValue integerOf(ValueKind kind, std::int64_t value);
    static FieldValue realOf(ValueKind kind, double value);
    static FieldValue dateOf(const DateTime& date);
};

// The longest text form of a value, in bytes.
inline constexpr std::size_t kValueTextLimit = 255;

// The text form a value adds to an address: integers "%d", reals "%f",
// currency as a plain decimal number, dates "%y/%m/%d %H:%M:%S", texts as
// they are; at most 255 bytes, never ending inside a double-byte character.
// Null, Empty, Decimal and Binary values have none.
std::optional<std::string> valueText(const FieldValue& value);

// Days since 1899-12-30 as a date (the time of day rounded to the second);
// false outside the years 100 to 9999.
bool dateFromSerial(double days, DateTime& out);
// A Julian day number (the form SQLite's date functions use) as a date.
bool dateFromJulianDay(double julian, DateTime& out);
// "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS[.fff]]" (or with 'T'), "YYYY/MM/DD ..."
// or "HH:MM[:SS]" as a date; false for anything else or an impossible date.
bool dateFromText(std::string_view text, DateTime& out);
// The value as text for storing in a text column ("YYYY-MM-DD HH:MM:SS").
std::string dateToIso(const DateTime& date);

}  // namespace converter
