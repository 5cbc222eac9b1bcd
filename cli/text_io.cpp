#include "text_io.h"

#include <cstdint>

namespace cli {
namespace {

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t more;
        std::uint32_t value;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            value = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            value = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            value = c & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= more) return false;  // cut short
        for (std::size_t k = 1; k <= more; ++k) {
            const unsigned char t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            value = (value << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((more == 2 && value < 0x800) || (more == 3 && (value < 0x10000 || value > 0x10FFFF)) ||
            (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

}  // namespace

const char* TextIo::toEngineOrWhy(std::string_view text, std::string& out) {
    out.clear();
    if (text.find('\0') != std::string_view::npos) return "a NUL byte";
    if (!sjis_ && !isUtf8(text)) return "bytes that are not UTF-8";
    if (!toEngine(text, out)) return "characters that have no Shift-JIS form";
    return nullptr;
}

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
