// The test helpers of tests/support that differ by system, for Windows:
// temporary folders from the system's temporary path, commands through the C
// library's command processor (cmd.exe), which takes double quotes where the
// POSIX shell takes single ones.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/test_support.h"

namespace testing_support {

TempDir::TempDir() {
    static unsigned counter = 0;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const auto candidate = base / ("keszip-test-" + std::to_string(GetCurrentProcessId()) +
                                       "-" + std::to_string(++counter));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate.generic_string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

int runCommand(const std::string& command, std::string* output) {
    std::string windowsCommand = command;
    for (char& c : windowsCommand)
        if (c == '\'') c = '"';
    // cmd.exe drops the outer quotes of a command line that begins with one.
    windowsCommand = "\"" + windowsCommand + "\"";
    FILE* pipe = _popen(windowsCommand.c_str(), "rb");
    if (!pipe) return -1;
    std::array<char, 4096> buffer{};
    std::string text;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) text.append(buffer.data(), n);
    const int status = _pclose(pipe);
    if (output) *output = text;
    return status;
}

std::string executableSuffix() { return ".exe"; }

}  // namespace testing_support
