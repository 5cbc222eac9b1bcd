#include "platform/dynamic_library.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>

#include "windows/wide_text.h"
#else
#include <dlfcn.h>
#endif

namespace platform {

DynamicLibrary::~DynamicLibrary() { release(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      keep_(other.keep_),
      error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, nullptr);
        keep_ = other.keep_;
        error_ = std::move(other.error_);
    }
    return *this;
}

void DynamicLibrary::release() {
    if (handle_ && !keep_) {
#ifdef _WIN32
        FreeLibrary(static_cast<HMODULE>(handle_));
#else
        dlclose(handle_);
#endif
    }
    handle_ = nullptr;
}

bool DynamicLibrary::load(const std::string& path) {
    release();
    keep_ = false;
    error_.clear();
#ifdef _WIN32
    handle_ = LoadLibraryW(widePath(path).c_str());
    if (!handle_)
        error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
#else
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot load " + path;
    }
#endif
    return handle_ != nullptr;
}

void* DynamicLibrary::symbol(const char* name) const {
    if (!handle_ || !name) return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

std::string sharedLibraryFileName(std::string_view baseName) {
#ifdef _WIN32
    return std::string(baseName) + ".dll";
#else
    return "lib" + std::string(baseName) + ".so";
#endif
}

}  // namespace platform
