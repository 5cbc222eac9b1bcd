// windows.h comes first: the other system headers need its types.
#include <windows.h>
// (kept apart so that the includes below stay after it)
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <sys/stat.h>

#include "platform/files.h"
#include "platform/program_arguments.h"
#include "wide_text.h"

namespace platform {

ProgramArguments::ProgramArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide) {
        for (int i = 0; i < count; ++i) texts_.push_back(utf8Path(wide[i]));
        LocalFree(wide);
    } else {
        texts_.assign(argv, argv + argc);
    }
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
    // What the programs print is UTF-8; a console shows it as such.
    SetConsoleOutputCP(CP_UTF8);
}

std::FILE* openFile(const std::string& path, const char* mode) {
    std::string_view flags(mode);
    if (flags.find('x') == std::string_view::npos)
        return _wfopen(widePath(path).c_str(), widePath(mode).c_str());
    // "x" (create, never replace) is not known to every C runtime of Windows.
    const int fd = _wopen(widePath(path).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _wfdopen(fd, L"wb");
    if (!file) _close(fd);
    return file;
}

std::filesystem::path fsPath(std::string_view path) {
    return std::filesystem::path(widePath(path));
}

std::string utf8Of(const std::filesystem::path& path) { return utf8Path(path.wstring()); }

bool readLine(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = _getc_nolock(file)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}

int nextByte(std::FILE* file) { return _getc_nolock(file); }

void useBinaryInput() { _setmode(_fileno(stdin), _O_BINARY); }

bool isBareFileName(std::string_view name) {
    return name.find_first_of("\\/:") == std::string_view::npos;
}

PathKind pathKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Directory;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? PathKind::Other : PathKind::File;
}

std::error_code copyFileOver(const std::string& from, const std::string& to) {
    if (CopyFileW(widePath(from).c_str(), widePath(to).c_str(), FALSE)) return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

std::tm localTimeOf(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

}  // namespace platform
