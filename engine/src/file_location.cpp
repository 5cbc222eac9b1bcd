#include "file_location.h"

#include <platform/binary_file.h>
#include <platform/paths.h>

#include <cstdlib>

namespace keszip {

namespace {

bool opens(const std::string& path) {
    platform::BinaryFile probe;
    return probe.open(path);
}

}  // namespace

std::vector<std::string> dictionaryFolders() {
    // The address of this function lies in the module the engine was linked
    // into: libkeszip.so for callers of the C interface.
    const std::string module =
        platform::modulePathOf(reinterpret_cast<const void*>(&dictionaryFolders));
    const std::string libraryFolder = platform::directoryOf(module);
    std::vector<std::string> folders;
    if (!module.empty()) folders.push_back(libraryFolder);
    if (const char* folder = std::getenv(kDictionaryFolderVariable); folder && *folder)
        folders.emplace_back(folder);
#ifdef KESZIP_DATA_FROM_LIBRARY
    // An installed tree: lib/ beside share/keszip/, found from the library's
    // own folder so that a tree unpacked anywhere works.
    if (!module.empty())
        folders.push_back(platform::joinPath(libraryFolder, KESZIP_DATA_FROM_LIBRARY));
#endif
    folders.push_back(platform::directoryOf(platform::programPath()));
    return folders;
}

std::string dictionaryPath(const std::string& name) {
    const std::vector<std::string> folders = dictionaryFolders();
    for (std::size_t i = 0; i + 1 < folders.size(); ++i) {
        const std::string path = platform::joinPath(folders[i], name);
        if (opens(path)) return path;
    }
    // Beside the program, without further test.
    return platform::joinPath(folders.back(), name);
}

}  // namespace keszip
