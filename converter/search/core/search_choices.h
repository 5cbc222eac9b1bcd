// What the search dialogs make of a chosen line or a confirmed text before
// handing it on. Texts are Shift-JIS bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace converter::search {

// The longest address text the dialogs hand back or list (bytes, without the NUL).
inline constexpr std::size_t kAddressTextLimit = 2047;
// The longest code a code search reads.
inline constexpr std::size_t kCodeTextLimit = 8;

// The first `limit` bytes of `text`, cut before a double-byte character that
// would not fit whole.
std::string limitBytes(std::string_view text, std::size_t limit);

// Every "(" and ")" turned into a blank. Neither byte can be the second byte
// of a double-byte character, so the replacement is byte-wise.
std::string blankParentheses(std::string_view text);

// A chosen code-search line: the address after the first ":" with its
// parentheses blanked; nothing for a line without ":" (the not-found line).
std::optional<std::string> chosenCodeAddress(std::string_view line);

// A picked text-search line as it goes back into the search text: while the
// list holds places above town level, a "*" is appended (once) to narrow.
std::string pickedSearchText(std::string_view line, bool listIsPartial);

// A confirmed search text: parentheses blanked and one trailing "*" dropped;
// nothing when the text is empty once blanked (the "not entered" warning).
std::optional<std::string> confirmedSearchText(std::string_view text);

// The address as the search page takes it back from the text search: cut at
// the first " 次のビルを除く" (a confirmed town note of that kind).
std::string withoutBuildingExclusion(std::string_view address);

}  // namespace converter::search
