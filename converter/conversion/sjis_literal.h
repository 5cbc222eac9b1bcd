// The program's fixed Japanese texts are written in UTF-8 in the sources and
// used as Shift-JIS bytes, as everything else in the conversion core.
#pragma once

#include <string>
#include <string_view>

namespace converter {

// Shift-JIS bytes of a UTF-8 literal of the program; a text without a
// Shift-JIS form is a programming error and comes back empty.
std::string sjisLiteral(std::string_view utf8);

}  // namespace converter
