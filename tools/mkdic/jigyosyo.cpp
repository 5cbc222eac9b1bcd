#include "jigyosyo.h"

#include "build_error.h"
#include "csv_source_line.h"
#include "text_lines.h"

namespace mkdic {
namespace {

class Line : public CsvSourceLine {
  public:
    using CsvSourceLine::CsvSourceLine;

    std::string text(std::string field, const char* what, bool required) const {
        if (required && field.empty()) fail(std::string(what) + " is empty");
        if (field.size() > 255) fail(std::string(what) + " is longer than 255 bytes");
        return field;
    }
};

}  // namespace

OfficeRow parseJigyosyoLine(std::string_view text, std::size_t lineNumber,
                            std::string_view sourceName) {
    Line line(text, lineNumber, sourceName);
    std::vector<std::string> f = line.fields();
    if (f.size() != kJigyosyoColumns) {
        line.fail("has " + std::to_string(f.size()) + " columns, expected " +
                  std::to_string(kJigyosyoColumns));
    }
    OfficeRow row;
    row.line = lineNumber;
    row.localCode = line.digits(f[0], 5, "local-government code");
    if (row.localCode / 1000 < 1 || row.localCode / 1000 > 47)
        line.fail("local-government code \"" + f[0] + "\" names no prefecture");
    row.reading = line.text(f[1], "reading", false);
    row.name = line.text(f[2], "office name", true);
    row.prefecture = line.text(f[3], "prefecture", true);
    row.city = line.text(f[4], "city", true);
    row.town = line.text(f[5], "town", false);
    row.rest = line.text(f[6], "rest of the address", false);
    row.code7 = line.digits(f[7], 7, "postal code");
    const std::string& old = f[8];
    if (old.size() == 5 && old[3] == ' ' && old[4] == ' ') {
        row.oldCode = line.digits(old.substr(0, 3), 3, "old code") * 100;
    } else {
        row.oldCode = line.digits(old, 5, "old code");
    }
    return row;
}

std::vector<OfficeRow> parseJigyosyo(std::string_view text, std::string_view sourceName) {
    std::vector<OfficeRow> rows;
    forEachLine(text, [&](std::string_view line, std::size_t number) {
        if (line.empty() || line == "\x1A") return true;
        rows.push_back(parseJigyosyoLine(line, number, sourceName));
        return true;
    });
    if (rows.empty()) throw BuildError(std::string(sourceName) + " holds no rows");
    return rows;
}

}  // namespace mkdic
