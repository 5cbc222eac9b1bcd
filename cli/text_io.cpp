#include "text_io.h"

#include <platform/sjis.h>

namespace cli {

std::optional<std::string> TextIo::toEngine(std::string_view text) const {
    if (sjis_) return std::string(text);
    return platform::utf8ToSjis(text);
}

std::string TextIo::fromEngine(std::string_view text) const {
    if (sjis_) return std::string(text);
    return platform::sjisToUtf8Lossy(text);
}

}  // namespace cli
