// File names on Windows: the system keeps them as UTF-8 and hands them to
// Windows as UTF-16, so that a name in any script works whatever the ANSI
// code page of the machine.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring widePath(std::string_view utf8);
std::string utf8Path(std::wstring_view wide);

}  // namespace platform
