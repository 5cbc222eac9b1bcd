// The lines the search dialogs list, built from the pieces the engine writes.
// Every text is Shift-JIS bytes; the widgets convert them for display.
#pragma once

#include <string>
#include <string_view>

namespace converter::search {

// Flags of a code-search entry that keep it out of the list: the catch-all
// town "以下に掲載がない場合" (0x04) and "の次に番地がくる場合" (0x40).
inline constexpr int kCatchAllTown = 0x04;
inline constexpr int kNumberFollowsTown = 0x40;
// The town note is "(次のビルを除く)" (0x20): the note is then left off the line.
inline constexpr int kBuildingExclusionNote = 0x20;

// One address of a postal code as GetZipAddress writes it.
struct CodeEntry {
    int flags = 0;
    std::string oldCode, code7, prefecture, city, ward, town, townNote;
};

// One place of a partial-text search as GetIncAddress writes it.
struct PlaceEntry {
    std::string prefecture, city, municipality, town, townNote;
};

// One large business office as GetZipAddressCmp and GetCmpCode write it.
struct OfficeEntry {
    std::string code7, officeName, prefecture, city, ward, town, remark;
};

bool isListedCodeEntry(int flags);

// "%8.8s:" of the 7-digit code, or "%6.6s:" of the old code when `show5`,
// then prefecture, city and ward each with a blank, the town, and the note
// unless it is the building-exclusion note.
std::string codeSearchLine(const CodeEntry& entry, bool show5);

// Prefecture, city and municipality each with a blank, then town and note.
std::string textSearchLine(const PlaceEntry& entry);

// Two lines: the 7-digit code, four blanks and the office name; then twelve
// blanks and the address with its remark.
std::string officeHitLine(const OfficeEntry& entry);

// "検索結果", the label before any count.
std::string resultLabel();
// "検索結果　（ 取得件数 n 件 ）" of the code and office searches.
std::string codeCountLabel(long count);
// "検索結果　　（ 取得件数 n 件 ）" of the text search (two ideographic spaces).
std::string textCountLabel(long count);
// "住所は取得されませんでした。", the single line of a search that found nothing.
std::string notFoundLine();

}  // namespace converter::search
