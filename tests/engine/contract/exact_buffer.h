// Output buffers of exactly the size the engine's header promises, on the
// heap so that AddressSanitizer catches a single byte written past them, and
// filled with a marker so that a text left unterminated or stale shows.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace contract {

class ExactBuffer {
  public:
    explicit ExactBuffer(std::size_t size) : size_(size), bytes_(new char[size]) { fill(); }
    void fill() { std::memset(bytes_.get(), '#', size_); }
    char* get() { return bytes_.get(); }
    std::size_t size() const { return size_; }
    // Whether the buffer holds a terminated text.
    bool terminated() const { return std::memchr(bytes_.get(), '\0', size_) != nullptr; }
    // The text up to the NUL, or the marker text when there is none.
    std::string text() const {
        return terminated() ? std::string(bytes_.get()) : std::string("<unterminated>");
    }

  private:
    std::size_t size_;
    std::unique_ptr<char[]> bytes_;
};

}  // namespace contract
