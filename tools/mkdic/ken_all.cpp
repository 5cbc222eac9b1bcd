#include "ken_all.h"

#include <algorithm>

#include "build_error.h"
#include "text_lines.h"

namespace mkdic {

namespace {

// Longest text a record's one-byte length field can describe.
constexpr std::size_t kMaxTextBytes = 255;

class LineParser {
  public:
    LineParser(std::string_view line, std::size_t lineNumber, std::string_view sourceName)
        : line_(line), lineNumber_(lineNumber), sourceName_(sourceName) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw BuildError(std::string(sourceName_) + " line " + std::to_string(lineNumber_) + ": " +
                         what);
    }

    // Splits the line into fields; a quoted field may hold commas and doubled quotes.
    std::vector<std::string> fields() const {
        std::vector<std::string> out;
        std::size_t pos = 0;
        while (true) {
            std::string field;
            if (pos < line_.size() && line_[pos] == '"') {
                ++pos;
                while (true) {
                    if (pos >= line_.size()) {
                        fail("unterminated quote in column " + std::to_string(out.size() + 1));
                    }
                    if (line_[pos] == '"') {
                        if (pos + 1 < line_.size() && line_[pos + 1] == '"') {
                            field += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    field += line_[pos++];
                }
                if (pos < line_.size() && line_[pos] != ',') {
                    fail("text after the closing quote in column " +
                         std::to_string(out.size() + 1));
                }
            } else {
                const std::size_t end = std::min(line_.find(',', pos), line_.size());
                field.assign(line_.substr(pos, end - pos));
                if (field.find('"') != std::string::npos) {
                    fail("stray quote in column " + std::to_string(out.size() + 1));
                }
                pos = end;
            }
            out.push_back(std::move(field));
            if (pos >= line_.size()) break;
            ++pos;  // the comma
        }
        return out;
    }

    std::uint32_t digits(const std::string& field, std::size_t count, const char* what) const {
        if (field.size() != count) {
            fail(std::string(what) + " \"" + field + "\" is not " + std::to_string(count) +
                 " digits");
        }
        std::uint32_t value = 0;
        for (char c : field) {
            if (c < '0' || c > '9') {
                fail(std::string(what) + " \"" + field + "\" is not " + std::to_string(count) +
                     " digits");
            }
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
        }
        return value;
    }

    // "060  " (three digits and two blanks) or "06409" (five digits).
    std::uint32_t oldCode(const std::string& field) const {
        if (field.size() == 5 && field[3] == ' ' && field[4] == ' ') {
            return digits(field.substr(0, 3), 3, "old code") * 100;
        }
        return digits(field, 5, "old code");
    }

    std::string text(std::string field, const char* what) const {
        if (field.empty()) fail(std::string(what) + " is empty");
        if (field.size() > kMaxTextBytes) {
            fail(std::string(what) + " is longer than " + std::to_string(kMaxTextBytes) + " bytes");
        }
        return field;
    }

  private:
    std::string_view line_;
    std::size_t lineNumber_;
    std::string_view sourceName_;
};

}  // namespace

KenAllRow parseKenAllLine(std::string_view line, std::size_t lineNumber,
                          std::string_view sourceName) {
    const LineParser parser(line, lineNumber, sourceName);
    std::vector<std::string> f = parser.fields();
    if (f.size() != kKenAllColumns) {
        parser.fail("expected " + std::to_string(kKenAllColumns) + " columns, found " +
                    std::to_string(f.size()));
    }
    KenAllRow row;
    row.line = lineNumber;
    row.localCode = parser.digits(f[0], 5, "local-government code");
    if (row.prefectureCode() < 1 || row.prefectureCode() > 47) {
        parser.fail("local-government code " + f[0] + " names no prefecture 01-47");
    }
    row.oldCode = parser.oldCode(f[1]);
    row.code7 = parser.digits(f[2], 7, "postal code");
    row.prefectureReading = parser.text(std::move(f[3]), "prefecture reading");
    row.cityReading = parser.text(std::move(f[4]), "city reading");
    row.townReading = parser.text(std::move(f[5]), "town reading");
    row.prefectureName = parser.text(std::move(f[6]), "prefecture name");
    row.cityName = parser.text(std::move(f[7]), "city name");
    row.townName = parser.text(std::move(f[8]), "town name");
    for (std::size_t i = 9; i < kKenAllColumns; ++i) {
        parser.digits(f[i], 1, ("flag in column " + std::to_string(i + 1)).c_str());
    }
    return row;
}

std::vector<KenAllRow> parseKenAll(std::string_view text, std::string_view sourceName) {
    std::vector<KenAllRow> rows;
    rows.reserve(text.size() / 96);
    forEachLine(text, [&](std::string_view line, std::size_t lineNumber) {
        if (line == "\x1a") return false;  // end-of-file mark of old DOS tools
        if (!line.empty()) rows.push_back(parseKenAllLine(line, lineNumber, sourceName));
        return true;
    });
    if (rows.empty()) throw BuildError(std::string(sourceName) + ": holds no rows");
    return rows;
}

}  // namespace mkdic
