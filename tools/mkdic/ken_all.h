// Rows of KEN_ALL.CSV, Japan Post's postal code data for all addresses:
// Shift-JIS CSV, one town (or one piece of a long town name) per line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mkdic {

inline constexpr std::size_t kKenAllColumns = 15;
// Longest text a record's one-byte length field can describe.
inline constexpr std::size_t kMaxTextBytes = 255;
// Longest town name or reading of a whole town (the engine gathers a town's
// records into texts of 768 bytes with their end mark).
inline constexpr std::size_t kMaxTownTextBytes = 767;

class CsvSourceLine;

struct KenAllRow {
    std::size_t line = 0;           // 1-based line number in the source, for messages
    std::uint32_t localCode = 0;    // local-government code, e.g. 13101
    std::uint32_t oldCode = 0;      // five-digit form: "060  " is 6000, "06409" is 6409
    std::uint32_t code7 = 0;        // 7-digit postal code
    std::string prefectureReading;  // half-width katakana
    std::string cityReading;
    std::string townReading;
    std::string prefectureName;  // kanji
    std::string cityName;
    std::string townName;  // full-width parentheses as in the source
    unsigned prefectureCode() const { return localCode / 1000; }
};

// Parses one line (without its line end). Throws BuildError
// "<source> line N: ..." for a wrong column count, an unterminated or stray
// quote, a code that is not all digits, a prefecture outside 1-47, an empty
// name or a text too long for a dictionary record (255 bytes).
KenAllRow parseKenAllLine(std::string_view line, std::size_t lineNumber,
                          std::string_view sourceName = "KEN_ALL.CSV");

// Makes a row of the 15 fields of `line` (Shift-JIS texts); errors name the
// line. Town names and readings may be up to `townTextLimit` bytes.
KenAllRow kenAllRowFromFields(std::vector<std::string> fields, const CsvSourceLine& line,
                              std::size_t townTextLimit);

// Parses the whole file: lines end in CR LF or LF, empty lines and a final
// end-of-file byte 0x1A are skipped. Throws BuildError when no row is found.
std::vector<KenAllRow> parseKenAll(std::string_view text,
                                   std::string_view sourceName = "KEN_ALL.CSV");

}  // namespace mkdic
