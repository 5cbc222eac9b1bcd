// Where the engine finds its files: beside the library itself, else beside
// the program that loaded it.
#pragma once

#include <string>

namespace keszip {

// Full path of the engine file `name` ("KESZIP.DIC", "KESZIP.TBL", ...).
// The file beside the library is used when it can be opened; otherwise the
// same name in the program's directory is returned without further test.
std::string dictionaryPath(const std::string& name);

}  // namespace keszip
