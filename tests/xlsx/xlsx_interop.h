// `make interop` keeps every .xlsx copy the tests check, for LibreOffice.
#pragma once

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

// Copies `path` into $KESZIP_INTEROP_DIR (when set) under a new name.
inline void keepForInterop(const std::string& path) {
    static std::atomic<int> count{0};
    const char* dir = std::getenv("KESZIP_INTEROP_DIR");
    if (!dir || !*dir) return;
    std::error_code error;
    std::filesystem::copy_file(
        path, std::string(dir) + "/copy" + std::to_string(++count) + ".xlsx",
        std::filesystem::copy_options::overwrite_existing, error);
}
