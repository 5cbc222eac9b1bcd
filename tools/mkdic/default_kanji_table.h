// The default KESZIP.TBL, written by the dictionary builder beside the
// dictionary: kanji substitution pairs for variant characters that address
// lists contain and the engine's built-in pairs do not cover.
#pragma once

namespace mkdic {

// UTF-8 text of the table, LF line ends; the builder writes it in Shift-JIS.
extern const char* const kDefaultKanjiTable;

}  // namespace mkdic
