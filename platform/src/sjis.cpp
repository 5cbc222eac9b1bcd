#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// Converts with iconv; when `lossy` is set an undecodable input byte becomes
// `replacement` and conversion goes on.
std::optional<std::string> convert(const char* to, const char* from, std::string_view input,
                                   bool lossy, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.resize(input.size() * 3 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else if (lossy) {
            if (out.size() - used < replacement.size())
                out.resize(out.size() * 2 + replacement.size());
            out.replace(used, replacement.size(), replacement);
            used += replacement.size();
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(used);
    return out;
}

}  // namespace

std::optional<std::string> sjisToUtf8(std::string_view sjis) {
    return convert("UTF-8", "CP932", sjis, false, {});
}

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, false, {});
}

std::string sjisToUtf8Lossy(std::string_view sjis) {
    auto r = convert("UTF-8", "CP932", sjis, true, "\xEF\xBF\xBD");
    return r ? *r : std::string();
}

}  // namespace platform
