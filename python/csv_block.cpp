#include "csv_block.h"

#include <cstring>
#include <vector>

namespace keszip_python {

std::size_t appendCsvAnswers(std::string_view block, std::size_t column, std::size_t batchSize,
                             const BatchLookup& lookup, std::string& out, std::string& error) {
    struct Row {
        std::size_t begin, end, next;  // the row without its line ending; the row after it
    };
    std::vector<Row> rows;
    std::string pool;  // the addresses of the rows, one after the other
    std::vector<std::size_t> starts;
    std::vector<const char*> data;
    std::vector<std::size_t> lengths;
    std::vector<KesZipUtf8Answer> answers;
    std::size_t count = 0;
    out.reserve(out.size() + block.size() + block.size() / 2);
    auto flush = [&] {
        data.clear();
        lengths.clear();
        starts.push_back(pool.size());
        for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
            data.push_back(pool.data() + starts[i]);
            lengths.push_back(starts[i + 1] - starts[i]);
        }
        answers.assign(rows.size(), KesZipUtf8Answer{});
        lookup(data.data(), lengths.data(), data.size(), answers.data());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            const KesZipUtf8Answer& a = answers[i];
            out.append(block.data() + row.begin, row.end - row.begin);
            out += ',';
            out += std::to_string(a.flags);
            for (const char* field : {a.code7, a.oldCode, a.addressNumber, a.jisCode}) {
                out += ',';
                appendCsvField(out, field);
            }
            // The row's own line ending.
            if (row.next > row.end)
                out.append(block.data() + row.end, row.next - row.end);
            else
                out += '\n';
        }
        count += rows.size();
        rows.clear();
        pool.clear();
        starts.clear();
    };
    std::size_t at = 0;
    while (at < block.size()) {
        const std::size_t begin = at;
        std::size_t field = 1;
        starts.push_back(pool.size());
        bool inQuotes = false, fieldStart = true;
        std::size_t end = std::string_view::npos;
        while (at < block.size()) {
            const char c = block[at];
            if (inQuotes) {
                if (c == '"') {
                    if (at + 1 < block.size() && block[at + 1] == '"') {
                        if (field == column) pool += '"';
                        ++at;
                    } else {
                        inQuotes = false;
                    }
                } else if (field == column) {
                    pool += c;
                }
                ++at;
                continue;
            }
            if (c == '\n' || (c == '\r' && at + 1 < block.size() && block[at + 1] == '\n')) {
                end = at;
                at += c == '\r' ? 2 : 1;
                break;
            }
            if (c == ',') {
                ++field;
                fieldStart = true;
            } else if (c == '"' && fieldStart) {
                inQuotes = true;
                fieldStart = false;
            } else {
                fieldStart = false;
                if (field == column) pool += c;
            }
            ++at;
        }
        if (inQuotes) {
            error = "lookup_csv: the row at byte " + std::to_string(begin) +
                    " of the block ends inside a quoted field";
            return 0;
        }
        if (end == std::string_view::npos) end = at;  // a last row without a line ending
        if (end == begin) {                           // a blank line
            starts.pop_back();
            continue;
        }
        rows.push_back({begin, end, at});
        if (rows.size() >= batchSize) flush();
    }
    if (!rows.empty()) flush();
    return count;
}

void appendCsvField(std::string& out, const char* field) {
    if (!std::strpbrk(field, ",\"\r\n")) {
        out += field;
        return;
    }
    out += '"';
    for (const char* c = field; *c; ++c) {
        if (*c == '"') out += '"';
        out += *c;
    }
    out += '"';
}

}  // namespace keszip_python
