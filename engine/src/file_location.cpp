#include "file_location.h"

#include <platform/binary_file.h>
#include <platform/paths.h>

namespace keszip {

std::string dictionaryPath(const std::string& name) {
    // The address of this function lies in the module the engine was linked
    // into: libkeszip.so for callers of the C interface.
    std::string module = platform::modulePathOf(reinterpret_cast<const void*>(&dictionaryPath));
    std::string besideLibrary = platform::joinPath(platform::directoryOf(module), name);
    platform::BinaryFile probe;
    if (!module.empty() && probe.open(besideLibrary)) return besideLibrary;
    return platform::joinPath(platform::directoryOf(platform::programPath()), name);
}

}  // namespace keszip
