// Files through the C library, with names the system keeps as UTF-8 (on
// Windows they reach the system as UTF-16, so that a name in any script
// opens whatever the machine's language), and the few calls whose form
// differs between systems.
#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// std::fopen with a UTF-8 name.
std::FILE* openFile(const std::string& path, const char* mode);
// The UTF-8 name as a path of the standard library.
std::filesystem::path fsPath(std::string_view path);
// A standard library path as UTF-8.
std::string utf8Of(const std::filesystem::path& path);

// Reads one line (its end kept) into `line`; false at the end of the stream
// with nothing read. NUL bytes are kept.
bool readLine(std::FILE* file, std::string& line);
// The next byte of a stream read by one thread only, or EOF.
int nextByte(std::FILE* file);
// Reads standard input as bytes: no line-end translation, no end-of-file byte.
void useBinaryInput();

// True when `name` has no folder part: it names a file in whatever folder
// the caller chooses ("/" separates folders; on Windows "\" and a drive's
// ":" as well).
bool isBareFileName(std::string_view name);

// What a name is on the disk (links followed).
enum class PathKind { Missing, File, Directory, Other };
PathKind pathKind(const std::string& path);

// Copies the file `from` to `to`, replacing `to` when it exists; no error
// when done. (The standard library's copy_file cannot replace a file on
// Windows: it takes every two files there for the same one.)
std::error_code copyFileOver(const std::string& from, const std::string& to);

// The local calendar time of `time`.
std::tm localTimeOf(std::time_t time);

}  // namespace platform
