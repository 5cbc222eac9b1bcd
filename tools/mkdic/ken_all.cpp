#include "ken_all.h"

#include <algorithm>

#include "build_error.h"
#include "csv_source_line.h"
#include "text_lines.h"

namespace mkdic {

namespace {

// Longest text a record's one-byte length field can describe.
constexpr std::size_t kMaxTextBytes = 255;

class LineParser : public CsvSourceLine {
  public:
    using CsvSourceLine::CsvSourceLine;

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
