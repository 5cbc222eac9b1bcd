#include "sjis_literal.h"

#include <platform/sjis.h>

namespace converter {

std::string sjisLiteral(std::string_view utf8) {
    return platform::utf8ToSjis(utf8).value_or(std::string());
}

}  // namespace converter
