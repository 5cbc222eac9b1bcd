// A file written under a temporary name beside its destination and moved
// over it only when the writer says it is complete, so that a writer that
// fails to start, or dies, never destroys the file that was there before.
// Destinations that are not plain files (devices, pipes) are written directly.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

class ReplacementFile {
  public:
    ReplacementFile() = default;
    ~ReplacementFile();  // an uncompleted file is discarded
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file beside `path` (beside the file a link leads
    // to); false when it cannot be created, or `path` is an existing file
    // that may not be written or is a folder.
    bool open(const std::string& path);
    // The stream to write to while open, else null.
    std::FILE* stream() const { return file_; }
    // Flushes and closes the stream; false when buffered data could not be
    // written. The file stays under its temporary name.
    bool close();
    // Closes the stream if still open and moves the file into place, with
    // the permissions of the file it replaces; false when that failed, or
    // when buffered data could not be written: the temporary file is then
    // removed and the destination stays as it was.
    bool commit();
    // Closes and removes the temporary file; the destination is untouched.
    void discard();
    // Where the data go until commit (the destination itself when written directly).
    const std::string& writingPath() const { return temporary_.empty() ? target_ : temporary_; }

  private:
    void removeTemporary() const;
    std::FILE* file_ = nullptr;
    std::string target_;
    std::string temporary_;  // empty when writing the destination directly
    bool closeFailed_ = false;
};

}  // namespace platform
