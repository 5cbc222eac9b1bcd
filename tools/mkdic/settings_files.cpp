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

std::string defaultSubstitutionTable() {
    return toSjisCrLf(std::string_view(kDefaultKanjiTable), "KESZIP.TBL");
}

}  // namespace mkdic
