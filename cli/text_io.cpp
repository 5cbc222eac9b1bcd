#include "text_io.h"

namespace cli {

bool TextIo::toEngine(std::string_view text, std::string& out) {
    if (sjis_) {
        out.assign(text);
        return true;
    }
    return converter_.toSjis(text, out);
}

void TextIo::fromEngine(std::string_view text, std::string& out) {
    if (sjis_) {
        out.assign(text);
    } else {
        converter_.toUtf8Lossy(text, out);
    }
}

std::string TextIo::fromEngine(std::string_view text) {
    std::string out;
    fromEngine(text, out);
    return out;
}

}  // namespace cli
