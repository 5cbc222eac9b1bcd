// The default settings file KESZIP.PRM and substitution table KESZIP.TBL
// written beside the dictionary, both Shift-JIS text with CR LF line ends.
#pragma once

#include <string>
#include <string_view>

namespace mkdic {

// Section [KANJI] with KanSuujiConvLevel=0 and KanjiTableOff=0, each key
// explained by a comment.
std::string defaultSettingsFile();

// The built-in kanji substitution table (default_kanji_table.h) in Shift-JIS.
// `existing`, the KESZIP.TBL being replaced (Shift-JIS), keeps its own
// pairs: those above the line that begins the derived pairs, written there
// again so that they still come first. A table without that line is
// replaced whole. Throws BuildError when a line has no Shift-JIS form.
std::string defaultSubstitutionTable(std::string_view existing = {});

}  // namespace mkdic
