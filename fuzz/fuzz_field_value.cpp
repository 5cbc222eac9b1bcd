// Arbitrary bytes as the values and column types the database backends hand
// out: the first bytes choose a storage class, a field type, an ODBC SQL type
// and a value kind, the rest is the stored bytes (texts that may be neither
// UTF-8 nor Shift-JIS, dates, currency texts, type names). Every text form
// must stay within 255 bytes and never end inside a double-byte character.
#include <platform/sjis.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "database/column_types.h"
#include "database/database_text.h"
#include "database/field_value.h"

namespace {

void checkText(const converter::FieldValue& value) {
    auto text = converter::valueText(value);
    if (!text) return;
    if (text->size() > converter::kValueTextLimit) std::abort();
    if (value.kind == converter::ValueKind::Text && !value.bytes.empty()) {
        // The cut keeps whole characters: what is dropped starts a character.
        if (text->size() > value.bytes.size() || value.bytes.compare(0, text->size(), *text) != 0)
            std::abort();
        std::size_t i = 0;
        while (i < text->size())
            i += platform::isSjisLead(static_cast<unsigned char>((*text)[i])) ? 2 : 1;
        if (i != text->size() && text->size() < value.bytes.size()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    const int storage = 1 + data[0] % 5;
    const int fieldType = data[1] % 24;
    const int sqlType = static_cast<int>(static_cast<std::int8_t>(data[2])) * 3;
    const auto kind = static_cast<converter::ValueKind>(data[3] % 14);
    std::int64_t integer;
    double real;
    std::memcpy(&integer, data + 4, sizeof integer);
    std::memcpy(&real, data + 4, sizeof real);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 12), size - 12);

    // Values as SQLite returns them, refined by the column's type.
    checkText(converter::sqliteFieldValue(static_cast<converter::SqliteStorage>(storage), integer,
                                          real, bytes, fieldType));
    // Every kind with arbitrary contents.
    converter::FieldValue value;
    value.kind = kind;
    value.integer = integer;
    value.real = real;
    value.bytes = std::string(bytes);
    value.date = {static_cast<int>(data[4]) * 40,
                  data[5] % 13,
                  data[6] % 32,
                  data[7] % 24,
                  data[8] % 60,
                  data[9] % 60};
    if (kind != converter::ValueKind::Date || converter::dateFromText(bytes, value.date))
        checkText(value);

    // Column types by their declared names and by ODBC codes.
    converter::DaoFieldInfo info = converter::sqliteColumnType(bytes);
    if (info.size < 0) std::abort();
    info = converter::odbcColumnType(sqlType, integer, bytes);
    if (info.size < 0) std::abort();
    converter::odbcFetchKind(sqlType, bytes);

    // The stored forms of dates and amounts, and the text conversions.
    converter::DateTime date;
    if (converter::dateFromText(bytes, date) && converter::dateToIso(date).size() != 19)
        std::abort();
    converter::dateFromJulianDay(real, date);
    converter::dateFromSerial(real, date);
    std::int64_t amount;
    converter::currencyFromText(bytes, amount);
    const std::string sjis = converter::databaseTextToSjis(bytes);
    if (converter::isUtf8(bytes) && converter::utf16ToUtf8(converter::utf8ToUtf16(bytes)) != bytes)
        std::abort();
    converter::sjisToDatabaseText(sjis);
    return 0;
}
