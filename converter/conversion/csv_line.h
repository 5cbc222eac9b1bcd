// The split of one CSV line into fields: commas inside double quotes do not
// split, a backslash makes the next byte literal, and the second byte of a
// double-byte character is never taken for a delimiter. A UTF-8 line has no
// such bytes (no byte of a UTF-8 character is ASCII).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace converter {

class CsvLine {
  public:
    static constexpr std::size_t kMaxFields = 512;

    // `utf8`: lines are UTF-8 rather than Shift-JIS.
    explicit CsvLine(bool utf8 = false) : utf8_(utf8) {}

    // Splits `line` (borrowed: it must outlive the object's use) and returns
    // the field count, at least 1 and at most kMaxFields.
    std::size_t Split(std::string_view line);
    std::size_t count() const { return count_; }
    // The field's text without its enclosing quotes and trailing blanks;
    // -1 and an empty text when `index` is outside 0 .. count - 1.
    long Field(std::size_t index, std::string& out) const;

  private:
    // The first byte of a Shift-JIS double-byte character.
    bool lead(unsigned char c) const;
    // The length of a full-width space at `i`, 0 when there is none.
    std::size_t fullWidthSpace(std::string_view text, std::size_t i) const;
    bool utf8_;
    struct Span {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    std::string_view line_;
    std::size_t count_ = 0;
    std::array<Span, kMaxFields> fields_{};
};

}  // namespace converter
