// Files read and written the way the conversion pages expect text files:
// reading turns CR LF into LF and stops at a Ctrl+Z byte; writing turns each
// LF into CR LF. Records are cut from the source as the C library's line
// reader would, at most a given number of bytes at a time.
#pragma once

#include <platform/replacement_file.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace converter {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class TextSource {
  public:
    // `skipping` bytes at the start of the file (a byte order mark) are
    // passed over when the file begins with them.
    bool open(const std::string& path, std::string_view skipping = {});
    // Up to `maxBytes` bytes, ending after the first line feed when one comes
    // earlier; false at the end of the source (nothing read). With
    // `lineRecords`, a line that fills the record exactly keeps its line feed,
    // rather than leaving it behind as an empty record of its own.
    bool readRecord(std::size_t maxBytes, std::string& out, bool lineRecords = true);
    // Share of the file consumed so far, 0 to 1.
    double fraction() const;

  private:
    int nextByte();
    FilePtr file_;
    std::uint64_t size_ = 0;
    std::uint64_t consumed_ = 0;
    int pending_ = -1;  // a byte read ahead after a carriage return
    int unread_ = -1;   // a translated byte looked at and given back
    bool ended_ = false;
};

// A text file that replaces its destination only when the run ends: until
// `commit` the data go to a temporary file beside it, and a sink that is
// never committed leaves the destination as it was.
class TextSink {
  public:
    bool open(const std::string& path);
    bool isOpen() const { return file_.stream() != nullptr; }
    // Writes `text` with LF as CR LF; false once any write has failed.
    bool write(std::string_view text);
    bool failed() const { return failed_; }
    // Closes the file; false when a write or the final flush failed.
    bool close();
    // Closes the file and puts it in place of the destination; false when a
    // write, the flush or the move failed, and then the file is removed and
    // the destination stays as it was.
    bool commit();
    // Closes and removes the file; the destination stays as it was.
    void discard();

  private:
    platform::ReplacementFile file_;
    bool opened_ = false;
    bool failed_ = false;
};

}  // namespace converter
