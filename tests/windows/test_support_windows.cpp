// The test helpers of tests/support on Windows: temporary folders from the
// system's temporary path, commands through the C library's command
// processor (cmd.exe), which takes double quotes where the POSIX shell
// takes single ones.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/sjis.h"
#include "support/test_support.h"

namespace testing_support {

std::string sj(std::string_view utf8) {
    auto converted = platform::utf8ToSjis(utf8);
    if (!converted) throw std::runtime_error("test text has no Shift-JIS form");
    return *converted;
}

std::string u8(std::string_view sjis) { return platform::sjisToUtf8Lossy(sjis); }

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

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string fixturePath(const std::string& name) {
    return std::string(KESZIP_FIXTURES) + "/" + name;
}
std::string dataPath(const std::string& name) { return std::string(KESZIP_DATA) + "/" + name; }
std::string binPath(const std::string& name) { return std::string(KESZIP_BIN_DIR) + "/" + name; }

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

int buildDictionary(const TempDir& dir, const std::string& kenAllCsv,
                    const std::string& extraArgs) {
    writeFile(dir.file("KEN_ALL.CSV"), kenAllCsv);
    std::string command = "'" + binPath("keszip-mkdic.exe") + "' --ken-all '" +
                          dir.file("KEN_ALL.CSV") + "' --out '" + dir.path() + "' " + extraArgs +
                          " 2>&1";
    std::string output;
    int status = runCommand(command, &output);
    if (status != 0) fprintf(stderr, "%s", output.c_str());
    return status;
}

std::string kenAllRow(const std::string& jis, const std::string& oldCode, const std::string& code7,
                      const std::string& prefReading, const std::string& cityReading,
                      const std::string& townReading, const std::string& pref,
                      const std::string& city, const std::string& town) {
    auto q = [](const std::string& s) { return "\"" + s + "\""; };
    return sj(jis + "," + q(oldCode) + "," + q(code7) + "," + q(prefReading) + "," +
              q(cityReading) + "," + q(townReading) + "," + q(pref) + "," + q(city) + "," +
              q(town) + ",0,0,0,0,0,0") +
           "\r\n";
}

bool realDataAvailable() {
    static const bool available = std::filesystem::exists(dataPath("ken_all.zip")) &&
                                  std::filesystem::exists(binPath("KESZIP.DIC"));
    return available;
}

}  // namespace testing_support
