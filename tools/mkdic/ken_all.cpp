#include "ken_all.h"

#include <algorithm>

#include "build_error.h"
#include "csv_source_line.h"
#include "text_lines.h"

namespace mkdic {

namespace {

class LineParser : public CsvSourceLine {
  public:
    LineParser(const CsvSourceLine& line) : CsvSourceLine(line) {}

    // "060  " (three digits and two blanks) or "06409" (five digits).
    std::uint32_t oldCode(const std::string& field) const {
        if (field.size() == 5 && field[3] == ' ' && field[4] == ' ') {
            return digits(field.substr(0, 3), 3, "old code") * 100;
        }
        return digits(field, 5, "old code");
    }

    std::string text(std::string field, const char* what, std::size_t limit) const {
        if (field.empty()) fail(std::string(what) + " is empty");
        if (field.size() > limit) {
            fail(std::string(what) + " is longer than " + std::to_string(limit) + " bytes");
        }
        return field;
    }
};

}  // namespace

KenAllRow kenAllRowFromFields(std::vector<std::string> f, const CsvSourceLine& line,
                              std::size_t townTextLimit) {
    const LineParser parser(line);
    if (f.size() != kKenAllColumns) {
        parser.fail("expected " + std::to_string(kKenAllColumns) + " columns, found " +
                    std::to_string(f.size()));
    }
    KenAllRow row;
    row.line = line.lineNumber();
    row.localCode = parser.digits(f[0], 5, "local-government code");
    if (row.prefectureCode() < 1 || row.prefectureCode() > 47) {
        parser.fail("local-government code " + f[0] + " names no prefecture 01-47");
    }
    row.oldCode = parser.oldCode(f[1]);
    row.code7 = parser.digits(f[2], 7, "postal code");
    row.prefectureReading = parser.text(std::move(f[3]), "prefecture reading", kMaxTextBytes);
    row.cityReading = parser.text(std::move(f[4]), "city reading", kMaxTextBytes);
    row.townReading = parser.text(std::move(f[5]), "town reading", townTextLimit);
    row.prefectureName = parser.text(std::move(f[6]), "prefecture name", kMaxTextBytes);
    row.cityName = parser.text(std::move(f[7]), "city name", kMaxTextBytes);
    row.townName = parser.text(std::move(f[8]), "town name", townTextLimit);
    for (std::size_t i = 9; i < kKenAllColumns; ++i) {
        parser.digits(f[i], 1, ("flag in column " + std::to_string(i + 1)).c_str());
    }
    return row;
}

KenAllRow parseKenAllLine(std::string_view line, std::size_t lineNumber,
                          std::string_view sourceName) {
    const CsvSourceLine parser(line, lineNumber, sourceName);
    return kenAllRowFromFields(parser.fields(), parser, kMaxTextBytes);
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
