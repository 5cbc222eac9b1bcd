#include "search_list_lines.h"

#include <cstdio>

#include "conversion/sjis_literal.h"

namespace converter::search {
namespace {

// The three place levels above the town, each followed by a blank when it is there.
void appendPlaces(std::string& line, const std::string& prefecture, const std::string& city,
                  const std::string& ward) {
    for (const std::string* piece : {&prefecture, &city, &ward}) {
        if (piece->empty()) continue;
        line += *piece;
        line += ' ';
    }
}

// printf's "%N.Ns:" on a byte text: at most N bytes, right-aligned in N columns.
std::string fixedColumn(const std::string& text, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%*.*s:", width, width, text.c_str());
    return buffer;
}

std::string countLabel(std::string_view formatUtf8, long count) {
    // The format's only conversion is the count; the texts around it are fixed.
    std::string format = sjisLiteral(formatUtf8);
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format.c_str(), count);
    return buffer;
}

}  // namespace

bool isListedCodeEntry(int flags) { return (flags & (kCatchAllTown | kNumberFollowsTown)) == 0; }

std::string codeSearchLine(const CodeEntry& entry, bool show5) {
    std::string line = show5 ? fixedColumn(entry.oldCode, 6) : fixedColumn(entry.code7, 8);
    appendPlaces(line, entry.prefecture, entry.city, entry.ward);
    line += entry.town;
    if ((entry.flags & kBuildingExclusionNote) == 0) line += entry.townNote;
    return line;
}

std::string textSearchLine(const PlaceEntry& entry) {
    std::string line;
    appendPlaces(line, entry.prefecture, entry.city, entry.municipality);
    line += entry.town;
    line += entry.townNote;
    return line;
}

std::string officeHitLine(const OfficeEntry& entry) {
    std::string line = entry.code7;
    line += "    ";
    line += entry.officeName;
    line += '\n';
    line.append(12, ' ');
    appendPlaces(line, entry.prefecture, entry.city, entry.ward);
    line += entry.town;
    line += entry.remark;
    return line;
}

std::string resultLabel() { return sjisLiteral("検索結果"); }

std::string codeCountLabel(long count) {
    return countLabel("検索結果　（ 取得件数 %ld 件 ）", count);
}

std::string textCountLabel(long count) {
    return countLabel("検索結果　　（ 取得件数 %ld 件 ）", count);
}

std::string notFoundLine() { return sjisLiteral("住所は取得されませんでした。"); }

}  // namespace converter::search
