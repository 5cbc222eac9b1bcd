// Reads the source file of a build: one named entry of a .zip archive as
// Japan Post publishes it, or the file itself when it is not an archive.
#pragma once

#include <ctime>
#include <initializer_list>
#include <string>

namespace mkdic {

struct SourceFile {
    std::string bytes;     // the entry's (or file's) contents
    std::string name;      // entry name as stored in the archive, or the file path
    std::time_t modified;  // the entry's (or file's) modification time
};

// `path` names a .zip (recognised by its signature, not its extension) or a
// plain file. In an archive, `entryName` is looked up ignoring case and any
// folder part. Throws BuildError naming the path and what went wrong.
SourceFile readSourceFile(const std::string& path, const std::string& entryName);

// As above, taking the first of `entryNames` that the archive holds (Japan
// Post names the same data differently in its different formats).
SourceFile readSourceFile(const std::string& path, std::initializer_list<const char*> entryNames);

}  // namespace mkdic
