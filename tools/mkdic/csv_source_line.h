// One line of a comma-separated source file (KEN_ALL.CSV, JIGYOSYO.CSV), with
// errors that name the file and the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mkdic {

class CsvSourceLine {
  public:
    CsvSourceLine(std::string_view line, std::size_t lineNumber, std::string_view sourceName)
        : line_(line), lineNumber_(lineNumber), sourceName_(sourceName) {}

    // Throws BuildError "<source> line N: <what>".
    [[noreturn]] void fail(const std::string& what) const;

    // Splits the line into fields; a quoted field may hold commas and doubled
    // quotes. An unterminated quote, text after a closing quote or a stray
    // quote in an unquoted field fails.
    std::vector<std::string> fields() const;

    // A field of exactly `count` ASCII digits, as a number.
    std::uint32_t digits(const std::string& field, std::size_t count, const char* what) const;

    std::size_t lineNumber() const { return lineNumber_; }

  private:
    std::string_view line_;
    std::size_t lineNumber_;
    std::string_view sourceName_;
};

}  // namespace mkdic
