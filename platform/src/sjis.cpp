#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// Converts with an open descriptor into `out`; when `lossy` is set an
// undecodable input byte becomes `replacement` and conversion goes on.
bool convertWith(iconv_t cd, std::string_view input, bool lossy, std::string_view replacement,
                 std::string& out) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
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
    // Return the shift state to its initial state for the next text.
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(ok ? used : 0);
    return ok;
}

std::optional<std::string> convert(const char* to, const char* from, std::string_view input,
                                   bool lossy, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    bool ok = convertWith(cd, input, lossy, replacement, out);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> sjisToUtf8(std::string_view sjis) {
    return convert("UTF-8", "CP932", sjis, false, {});
}

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, false, {});
}

SjisConverter::SjisConverter()
    : toUtf8_(iconv_open("UTF-8", "CP932")), toSjis_(iconv_open("CP932", "UTF-8")) {}

SjisConverter::~SjisConverter() {
    for (void* cd : {toUtf8_, toSjis_})
        if (static_cast<iconv_t>(cd) != reinterpret_cast<iconv_t>(-1))
            iconv_close(static_cast<iconv_t>(cd));
}

bool SjisConverter::toUtf8(std::string_view sjis, std::string& out) {
    return convertWith(static_cast<iconv_t>(toUtf8_), sjis, false, {}, out);
}

bool SjisConverter::toSjis(std::string_view utf8, std::string& out) {
    return convertWith(static_cast<iconv_t>(toSjis_), utf8, false, {}, out);
}

void SjisConverter::toUtf8Lossy(std::string_view sjis, std::string& out) {
    if (!convertWith(static_cast<iconv_t>(toUtf8_), sjis, true, "\xEF\xBF\xBD", out)) out.clear();
}

std::string sjisToUtf8Lossy(std::string_view sjis) {
    auto r = convert("UTF-8", "CP932", sjis, true, "\xEF\xBF\xBD");
    return r ? *r : std::string();
}

}  // namespace platform
