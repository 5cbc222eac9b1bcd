#include "cmdline/text_io.h"

namespace cmdline {

bool TextIo::toEngine(std::string_view text, std::string& out) {
    if (sjis_) {
        out.assign(text);
        return true;
    }
    return converter_.toSjis(text, out);
}

namespace {

// ASCII reads the same in Shift-JIS and UTF-8 (codes, numbers, error texts).
bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

void TextIo::fromEngine(std::string_view text, std::string& out) {
    if (sjis_ || isAscii(text)) {
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

}  // namespace cmdline
