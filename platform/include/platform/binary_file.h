// A binary file opened for shared reading. Every operation reports failure by
// its result and never throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

class BinaryFile {
  public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;

    // Opens an existing file for reading; other readers and writers may keep it open.
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    // Reads up to `size` bytes and returns how many were read.
    std::size_t read(void* buffer, std::size_t size);
    bool seek(std::uint64_t offset);
    // Size of the open file in bytes, 0 when unknown.
    std::uint64_t size();
    // Closes the file; false when closing failed (the handle is released anyway).
    bool close();

  private:
    std::FILE* file_ = nullptr;
};

// Reads a whole file into `out`; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out);

}  // namespace platform
