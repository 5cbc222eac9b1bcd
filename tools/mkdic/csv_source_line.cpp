#include "csv_source_line.h"

#include <algorithm>

#include "build_error.h"

namespace mkdic {

void CsvSourceLine::fail(const std::string& what) const {
    throw BuildError(std::string(sourceName_) + " line " + std::to_string(lineNumber_) + ": " +
                     what);
}

std::vector<std::string> CsvSourceLine::fields() const {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (true) {
        std::string field;
        if (pos < line_.size() && line_[pos] == '"') {
            ++pos;
            while (true) {
                if (pos >= line_.size())
                    fail("unterminated quote in column " + std::to_string(out.size() + 1));
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
            if (pos < line_.size() && line_[pos] != ',')
                fail("text after the closing quote in column " + std::to_string(out.size() + 1));
        } else {
            const std::size_t end = std::min(line_.find(',', pos), line_.size());
            field.assign(line_.substr(pos, end - pos));
            if (field.find('"') != std::string::npos)
                fail("stray quote in column " + std::to_string(out.size() + 1));
            pos = end;
        }
        out.push_back(std::move(field));
        if (pos >= line_.size()) break;
        ++pos;  // the comma
    }
    return out;
}

std::uint32_t CsvSourceLine::digits(const std::string& field, std::size_t count,
                                    const char* what) const {
    bool ok = field.size() == count;
    std::uint32_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') ok = false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (!ok)
        fail(std::string(what) + " \"" + field + "\" is not " + std::to_string(count) + " digits");
    return value;
}

}  // namespace mkdic
