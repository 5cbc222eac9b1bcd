#include "ken_all_source.h"

#include "build_error.h"
#include "sjis_text.h"
#include "town_name.h"
#include "utf8_ken_all.h"
#include "zip_source.h"

namespace mkdic {

namespace {

std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

constexpr std::string_view kComma = "\x81\x41";  // 、

// Where to end the record that starts at `start` of `name`: the end of the last
// character that fits in kMaxTextBytes, or just after the last 、 in the second
// half of that room. Returns `start` when no cut inside parentheses is possible.
std::size_t cutPoint(std::string_view name, std::size_t start) {
    std::size_t pos = start, lastFit = start, lastComma = start;
    int depth = openParentheses(dictionaryTownName(name.substr(0, start)));
    while (pos < name.size()) {
        const std::size_t len = sjis::charLength(name, pos);
        if (pos + len - start > kMaxTextBytes) break;
        const std::string_view ch = name.substr(pos, len);
        if (ch == sjis::kOpenParen || ch == "(") ++depth;
        if (ch == sjis::kCloseParen || ch == ")") --depth;
        pos += len;
        if (depth > 0) {
            lastFit = pos;
            if (ch == kComma) lastComma = pos;
        }
    }
    return lastComma - start > kMaxTextBytes / 2 ? lastComma : lastFit;
}

// Cuts `text` into pieces of at most kMaxTextBytes on character boundaries.
std::string_view takePiece(std::string_view& text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = sjis::charLength(text, pos);
        if (pos + len > kMaxTextBytes) break;
        pos += len;
    }
    const std::string_view piece = text.substr(0, pos);
    text.remove_prefix(pos);
    return piece;
}

}  // namespace

std::vector<KenAllRow> joinContinuationRows(const std::vector<KenAllRow>& rows) {
    std::vector<KenAllRow> towns;
    towns.reserve(rows.size());
    std::string firstReading;
    for (const KenAllRow& row : rows) {
        if (!towns.empty()) {
            KenAllRow& town = towns.back();
            if (town.localCode == row.localCode && town.code7 == row.code7 &&
                openParentheses(dictionaryTownName(town.townName)) > 0) {
                if (town.townName.size() + row.townName.size() > kMaxTownTextBytes) {
                    throw BuildError("line " + std::to_string(row.line) +
                                     ": the town name continued here is longer than " +
                                     std::to_string(kMaxTownTextBytes) + " bytes");
                }
                town.townName += row.townName;
                if (row.townReading != firstReading &&
                    town.townReading.size() + row.townReading.size() <= kMaxTownTextBytes) {
                    town.townReading += row.townReading;
                }
                continue;
            }
        }
        towns.push_back(row);
        firstReading = row.townReading;
    }
    return towns;
}

std::vector<KenAllRow> recordRows(const std::vector<KenAllRow>& towns) {
    std::vector<KenAllRow> out;
    out.reserve(towns.size() + 64);
    for (const KenAllRow& town : towns) {
        if (town.townName.size() <= kMaxTextBytes && town.townReading.size() <= kMaxTextBytes) {
            out.push_back(town);
            continue;
        }
        const std::string_view name = town.townName;
        std::string_view reading = town.townReading;
        std::size_t start = 0;
        while (start < name.size()) {
            std::size_t end = name.size();
            if (end - start > kMaxTextBytes) {
                end = cutPoint(name, start);
                if (end == start) {
                    throw BuildError("line " + std::to_string(town.line) +
                                     ": the town name is longer than " +
                                     std::to_string(kMaxTextBytes) +
                                     " bytes and has no parentheses to continue it in");
                }
            }
            KenAllRow record = town;
            record.townName.assign(name.substr(start, end - start));
            record.townReading.assign(takePiece(reading));
            // The engine reads a town's reading from its first record only, so a
            // continuation record past the reading's end holds none.
            out.push_back(std::move(record));
            start = end;
        }
    }
    return out;
}

std::vector<KenAllRow> KenAllSource::records() const { return recordRows(towns); }

KenAllSource parseKenAllSource(std::string_view bytes, const std::string& name) {
    KenAllSource source;
    source.name = name;
    if (looksLikeUtf8(bytes)) {
        source.format = KenAllFormat::Utf8;
        source.towns = parseUtf8KenAll(bytes, name);
        source.sourceRows = source.towns.size();
        source.towns = joinContinuationRows(source.towns);
    } else {
        const std::vector<KenAllRow> rows = parseKenAll(bytes, name);
        source.sourceRows = rows.size();
        source.towns = joinContinuationRows(rows);
    }
    return source;
}

KenAllSource readKenAllSource(const std::string& path) {
    const SourceFile file = readSourceFile(path, {"KEN_ALL.CSV", "utf_ken_all.csv"});
    KenAllSource source = parseKenAllSource(file.bytes, baseName(file.name));
    source.modified = file.modified;
    return source;
}

}  // namespace mkdic
