#include "wide_text.h"

#include <windows.h>

namespace platform {

std::wstring widePath(std::string_view utf8) {
    std::wstring wide;
    if (utf8.empty()) return wide;
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (units <= 0) return wide;
    wide.resize(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
    return wide;
}

std::string utf8Path(std::wstring_view wide) {
    std::string utf8;
    if (wide.empty()) return utf8;
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return utf8;
    utf8.resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace platform
