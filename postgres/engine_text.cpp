#include "engine_text.h"

#include <cstring>
#include <string>
#include <string_view>

#include "keszip.h"
#include "src/utf8_edge.h"

namespace {

// A backend (or parallel worker) is one process running one query at a time:
// one converter serves it.
platform::SjisConverter& converter() {
    static platform::SjisConverter instance;
    return instance;
}

}  // namespace

extern "C" int keszip_pg_to_engine(const char* utf8, size_t length, char* out, size_t size) {
    if (size == 0) return -1;
    out[0] = '\0';
    try {
        std::string sjis;
        const int status =
            keszip::utf8ToEngineText(std::string_view(utf8, length), converter(), sjis);
        if (sjis.size() >= size) return -1;
        std::memcpy(out, sjis.c_str(), sjis.size() + 1);
        return status;
    } catch (...) {  // out of memory
        return -1;
    }
}

extern "C" void keszip_pg_from_engine(const char* sjis, char* out, size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    try {
        std::string scratch;
        keszip::engineTextToUtf8(sjis, converter(), out, size, scratch);
    } catch (...) {  // out of memory: an empty field
        out[0] = '\0';
    }
}
