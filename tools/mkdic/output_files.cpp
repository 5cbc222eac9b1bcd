#include "output_files.h"

#include <platform/files.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "build_error.h"

namespace mkdic {

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(platform::fsPath(temp), std::ios::binary | std::ios::trunc);
        if (!out) throw BuildError(temp + ": cannot create (" + std::strerror(errno) + ")");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(platform::fsPath(temp), ignored);
            throw BuildError(temp + ": cannot write");
        }
    }
    std::error_code error;
    std::filesystem::rename(platform::fsPath(temp), platform::fsPath(path), error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(platform::fsPath(temp), ignored);
        throw BuildError(path + ": cannot replace (" + error.message() + ")");
    }
}

}  // namespace mkdic
