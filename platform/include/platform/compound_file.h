// Compound files (structured storage): a container of named streams inside one
// file, the form workbooks are saved in. Reading opens a storage and one of its
// top-level streams; writing creates a storage with a class id and one stream.
// Paths are the operating system's file names, as the converter's other files
// take them. Failures are reported by results; nothing throws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

using ClassId = std::array<std::uint8_t, 16>;

// A stream of a storage opened for reading.
class CompoundStream {
  public:
    virtual ~CompoundStream() = default;
    // Reads up to `size` bytes; returns how many arrived (fewer at the end).
    virtual std::size_t read(void* buffer, std::size_t size) = 0;
    // Moves to an absolute offset; false when it lies beyond the end.
    virtual bool seek(std::uint64_t offset) = 0;
    virtual std::uint64_t tell() const = 0;
    virtual std::uint64_t size() const = 0;
};

class CompoundReader {
  public:
    CompoundReader();
    ~CompoundReader();
    CompoundReader(const CompoundReader&) = delete;
    CompoundReader& operator=(const CompoundReader&) = delete;

    // Opens a storage from a file; false when the file is missing, unreadable
    // or not a compound file.
    bool open(const std::string& path);
    // The same over bytes in memory (which must outlive the reader).
    bool openMemory(const void* data, std::size_t size);
    bool isOpen() const;
    // A top-level stream by name; null when there is none.
    std::unique_ptr<CompoundStream> openStream(const char* name);
    void close();

  private:
    bool openInput(void* input);  // takes over the library's input object
    struct State;
    std::unique_ptr<State> state_;
};

// A storage being written. The file appears under its name only when commit()
// succeeds; until then the bytes go to a temporary file beside it, so a
// failed or abandoned write never leaves a partial file nor destroys one that
// was there before.
class CompoundWriter {
  public:
    CompoundWriter();
    ~CompoundWriter();  // discards what was not committed
    CompoundWriter(const CompoundWriter&) = delete;
    CompoundWriter& operator=(const CompoundWriter&) = delete;

    // Creates the storage and sets its class id; false when the file cannot be created.
    bool create(const std::string& path, const ClassId& classId);
    // Creates a stream that write() fills from then on (the one before is
    // finished); false on failure.
    bool createStream(const char* name);
    bool write(const void* data, std::size_t size);
    // Closes the stream and the storage and moves the file into place; false
    // when anything failed (then nothing is left behind).
    bool commit();
    // Closes and removes what was written.
    void discard();
    bool isOpen() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
