// Text conversions at the database edge: databases keep Unicode (UTF-8 in
// SQLite files, UTF-16 through ODBC), the conversion keeps Shift-JIS.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace converter {

// Valid UTF-8 becomes Shift-JIS, each character without a Shift-JIS form
// becoming "〓". Bytes that are not UTF-8 are taken to be Shift-JIS already
// (texts written by older programs that stored their bytes as they were).
std::string databaseTextToSjis(std::string_view utf8);

// Shift-JIS as UTF-8; nullopt when the bytes are not valid Shift-JIS.
std::optional<std::string> sjisToDatabaseText(std::string_view sjis);

// UTF-8 and UTF-16 (the ODBC wide character form); unpaired surrogates and
// invalid UTF-8 bytes become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// True when `text` is well-formed UTF-8.
bool isUtf8(std::string_view text);

}  // namespace converter
