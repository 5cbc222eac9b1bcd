#include "platform/binary_file.h"

#include <sys/stat.h>

#include <utility>

#include "platform/files.h"

namespace platform {

BinaryFile::~BinaryFile() { close(); }

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
    }
    return *this;
}

bool BinaryFile::open(const std::string& path) {
    close();
    // fopen shares the file with other readers and writers on POSIX systems;
    // "rb" never creates a file.
    file_ = openFile(path, "rb");
    return file_ != nullptr;
}

std::size_t BinaryFile::read(void* buffer, std::size_t size) {
    if (!file_ || size == 0) return 0;
    return std::fread(buffer, 1, size, file_);
}

bool BinaryFile::seek(std::uint64_t offset) {
    if (!file_ || offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
#ifdef _WIN32
    return _fseeki64(file_, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

std::uint64_t BinaryFile::size() {
    if (!file_) return 0;
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0 || st.st_size < 0) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool BinaryFile::close() {
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

bool readWholeFile(const std::string& path, std::string& out) {
    BinaryFile file;
    if (!file.open(path)) return false;
    std::string text;
    char chunk[65536];
    std::size_t n;
    while ((n = file.read(chunk, sizeof chunk)) > 0) text.append(chunk, n);
    out = std::move(text);
    return true;
}

}  // namespace platform
