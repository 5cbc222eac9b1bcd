// Rows of JIGYOSYO.CSV, Japan Post's individual postal codes of large
// business offices: Shift-JIS CSV with 13 columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mkdic {

inline constexpr std::size_t kJigyosyoColumns = 13;

struct OfficeRow {
    std::size_t line = 0;
    std::uint32_t localCode = 0;               // local-government code of the office's municipality
    std::string reading;                       // half-width katakana
    std::string name;                          // kanji
    std::string prefecture, city, town, rest;  // the office's address in four pieces
    std::uint32_t code7 = 0;
    std::uint32_t oldCode = 0;  // five-digit form, "060  " is 6000
};

// Parses one line (without its line end). Throws BuildError
// "<source> line N: ..." for a wrong column count, a bad quote, a code that
// is not all digits or an empty name.
OfficeRow parseJigyosyoLine(std::string_view line, std::size_t lineNumber,
                            std::string_view sourceName = "JIGYOSYO.CSV");

// The whole file: lines end in CR LF or LF; empty lines and a final 0x1A are
// skipped. Throws BuildError when no row is found.
std::vector<OfficeRow> parseJigyosyo(std::string_view text,
                                     std::string_view sourceName = "JIGYOSYO.CSV");

}  // namespace mkdic
