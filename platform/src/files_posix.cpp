#include <stdio.h>
#include <sys/stat.h>

#include <cstdlib>

#include "platform/files.h"
#include "platform/program_arguments.h"

namespace platform {

ProgramArguments::ProgramArguments(int argc, char** argv) : texts_(argv, argv + argc) {
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::filesystem::path fsPath(std::string_view path) { return std::filesystem::path(path); }

std::string utf8Of(const std::filesystem::path& path) { return path.string(); }

bool readLine(std::FILE* file, std::string& line) {
    // getline's buffer is kept for the thread's next line.
    thread_local struct Buffer {
        char* data = nullptr;
        std::size_t capacity = 0;
        ~Buffer() { std::free(data); }
    } buffer;
    const ssize_t length = getline(&buffer.data, &buffer.capacity, file);
    if (length >= 0) line.assign(buffer.data, static_cast<std::size_t>(length));
    return length >= 0;
}

int nextByte(std::FILE* file) { return getc_unlocked(file); }

void useBinaryInput() {}

bool isBareFileName(std::string_view name) { return name.find('/') == std::string_view::npos; }

PathKind pathKind(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return PathKind::Missing;
    if (S_ISREG(st.st_mode)) return PathKind::File;
    return S_ISDIR(st.st_mode) ? PathKind::Directory : PathKind::Other;
}

std::error_code copyFileOver(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(fsPath(from), fsPath(to),
                               std::filesystem::copy_options::overwrite_existing, error);
    return error;
}

std::tm localTimeOf(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

}  // namespace platform
