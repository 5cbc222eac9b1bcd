// Loading a shared library at run time and resolving its exports.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// One loaded shared library. The library is unloaded when the object goes
// away, unless keepLoaded() was called.
class DynamicLibrary {
  public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads `path` (a full path, or a plain file name for the system's own
    // search). A library loaded before is released first. False on failure;
    // error() then says why.
    bool load(const std::string& path);
    bool isLoaded() const { return handle_ != nullptr; }

    // Address of the export `name`, or null when the library has none (or
    // nothing is loaded).
    void* symbol(const char* name) const;

    // The library stays in the process after this object goes away.
    void keepLoaded() { keep_ = true; }

    // Why the last load failed ("" after a successful one).
    const std::string& error() const { return error_; }

  private:
    void release();

    void* handle_ = nullptr;
    bool keep_ = false;
    std::string error_;
};

// The platform's file name of the shared library called `baseName`:
// "lib<baseName>.so" on POSIX systems, "<baseName>.dll" on Windows.
std::string sharedLibraryFileName(std::string_view baseName);

}  // namespace platform
