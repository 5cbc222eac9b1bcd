// Where the engine finds its files: beside the library itself, then in the
// folder named by the environment variable KESZIP_DICTIONARY_DIR, then in the
// data folder of the tree the library is installed in, else beside the
// program that loaded it.
#pragma once

#include <string>
#include <vector>

namespace keszip {

// The environment variable that names a folder of dictionary files.
inline constexpr const char* kDictionaryFolderVariable = "KESZIP_DICTIONARY_DIR";

// Full path of the engine file `name` ("KESZIP.DIC", "KESZIP.TBL", ...): the
// first of the places above where the file can be opened; when none has it,
// the same name in the program's directory, without further test.
std::string dictionaryPath(const std::string& name);

// The folders above, in the order they are looked in (those that apply:
// the variable only when set); the program's folder last.
std::vector<std::string> dictionaryFolders();

}  // namespace keszip
