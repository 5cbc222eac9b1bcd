#include "settings_files.h"

#include <platform/sjis.h>

#include <string_view>

#include "build_error.h"
#include "default_kanji_table.h"
#include "text_lines.h"

namespace mkdic {

namespace {

// UTF-8 text with LF (or CR LF) line ends to Shift-JIS with CR LF line ends.
std::string toSjisCrLf(std::string_view utf8, const char* what) {
    std::string out;
    forEachLine(utf8, [&](std::string_view line, std::size_t lineNumber) {
        const auto sjis = platform::utf8ToSjis(line);
        if (!sjis) {
            throw BuildError(std::string(what) + " line " + std::to_string(lineNumber) +
                             " has no Shift-JIS form");
        }
        out += *sjis;
        out += "\r\n";
        return true;
    });
    return out;
}

// The comment line that begins the derived pairs of the default table; the
// user's own pairs stand above it.
constexpr std::string_view kDerivedPairsMark =
    "# 以下の組は Unicode の Unihan データベース (Unicode License) と KANJIDIC2";

// Comment lines hold no "=", so that no profile reader can take them for keys.
constexpr std::string_view kSettings =
    "; KESZIP.PRM: 郵便番号辞書エンジンの設定\n"
    "[KANJI]\n"
    "; KanSuujiConvLevel: 漢数字の変換。0 は住所の末尾にある漢数字をそのまま残し、\n"
    ";   1 は末尾の漢数字も算用数字に変換します。\n"
    "KanSuujiConvLevel=0\n"
    "; KanjiTableOff: 異体字の置き換え。0 は組み込みの置き換えと KESZIP.TBL を使い、\n"
    ";   1 は組み込みの置き換えを使わず KESZIP.TBL だけを使います。\n"
    "KanjiTableOff=0\n";

}  // namespace

std::string defaultSettingsFile() { return toSjisCrLf(kSettings, "KESZIP.PRM"); }

std::string defaultSubstitutionTable(std::string_view existing) {
    const std::string table = toSjisCrLf(std::string_view(kDefaultKanjiTable), "KESZIP.TBL");
    const std::string mark = toSjisCrLf(kDerivedPairsMark, "KESZIP.TBL");  // with its CR LF
    const std::size_t derived = table.find(mark);
    const std::size_t end = existing.find(std::string_view(mark).substr(0, mark.size() - 2));
    if (derived == std::string::npos || end == std::string_view::npos) return table;
    // The user's pairs: the lines above the mark that are neither comments
    // nor blank.
    std::string own;
    forEachLine(existing.substr(0, end), [&](std::string_view line, std::size_t) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line[first] != '#') {
            own += line;
            own += "\r\n";
        }
        return true;
    });
    if (own.empty()) return table;
    return table.substr(0, derived) + own + "\r\n" + table.substr(derived);
}

}  // namespace mkdic
