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

std::string dictionaryPath(const std::string& name) {
    // The address of this function lies in the module the engine was linked
    // into: libkeszip.so for callers of the C interface.
    const std::string module =
        platform::modulePathOf(reinterpret_cast<const void*>(&dictionaryPath));
    const std::string libraryFolder = platform::directoryOf(module);
    if (!module.empty()) {
        const std::string besideLibrary = platform::joinPath(libraryFolder, name);
        if (opens(besideLibrary)) return besideLibrary;
    }
    if (const char* folder = std::getenv(kDictionaryFolderVariable); folder && *folder) {
        const std::string named = platform::joinPath(folder, name);
        if (opens(named)) return named;
    }
#ifdef KESZIP_DATA_FROM_LIBRARY
    // An installed tree: lib/ beside share/keszip/, found from the library's
    // own folder so that a tree unpacked anywhere works.
    if (!module.empty()) {
        const std::string installed =
            platform::joinPath(platform::joinPath(libraryFolder, KESZIP_DATA_FROM_LIBRARY), name);
        if (opens(installed)) return installed;
    }
#endif
    return platform::joinPath(platform::directoryOf(platform::programPath()), name);
}

}  // namespace keszip
