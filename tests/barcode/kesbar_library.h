// libkesbar.so loaded by path, as outside programs load it.
#pragma once

#include <dlfcn.h>

#include <string>

#include "support/test_support.h"

namespace barcode_test {

struct KesBarLibrary {
    using Bar = int(const char*, const char*, int, int, int);
    using Image = int(const char*, int, unsigned char**, int*, int, int);
    using Free = void(unsigned char*);
    using Str = int(const char*, char*);

    // Loads the library at `path`; it stays loaded, as the engine it binds does.
    explicit KesBarLibrary(const std::string& path) {
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            error = dlerror();
            return;
        }
        bar = reinterpret_cast<Bar*>(dlsym(handle, "KesBar"));
        image = reinterpret_cast<Image*>(dlsym(handle, "KesBarImage"));
        free = reinterpret_cast<Free*>(dlsym(handle, "KesBarFree"));
        str = reinterpret_cast<Str*>(dlsym(handle, "KesBarStr"));
        if (!bar || !image || !free || !str) error = "missing export in " + path;
    }
    bool ok() const { return error.empty(); }

    // The symbol names of `source`, or "" with `result` set on failure.
    std::string text(const std::string& source, int* result = nullptr) const {
        char buffer[116] = {};
        int code = str(source.c_str(), buffer);
        if (result) *result = code;
        return code == 0 ? std::string(buffer) : std::string();
    }

    void* handle = nullptr;
    Bar* bar = nullptr;
    Image* image = nullptr;
    Free* free = nullptr;
    Str* str = nullptr;
    std::string error;
};

// The library of this build, loaded once for the whole test program.
inline const KesBarLibrary& library() {
    static KesBarLibrary lib(testing_support::binPath("libkesbar.so"));
    return lib;
}

}  // namespace barcode_test
