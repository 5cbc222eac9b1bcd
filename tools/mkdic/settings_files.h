// The default settings file KESZIP.PRM and substitution table KESZIP.TBL
// written beside the dictionary, both Shift-JIS text with CR LF line ends.
#pragma once

#include <string>

namespace mkdic {

// Section [KANJI] with KanSuujiConvLevel=0 and KanjiTableOff=0, each key
// explained by a comment.
std::string defaultSettingsFile();

// The built-in kanji substitution table (default_kanji_table.h) in Shift-JIS.
// Throws BuildError when a line has no Shift-JIS form.
std::string defaultSubstitutionTable();

}  // namespace mkdic
