// The test helpers that are the same on every system; test_support_posix.cpp
// and tests/windows/test_support_windows.cpp hold the rest.
#include "test_support.h"

#include <platform/sjis.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

std::string sj(std::string_view utf8) {
    auto converted = platform::utf8ToSjis(utf8);
    if (!converted) throw std::runtime_error("test text has no Shift-JIS form");
    return *converted;
}

std::string u8(std::string_view sjis) { return platform::sjisToUtf8Lossy(sjis); }

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

}  // namespace testing_support

namespace testing_support {

int buildDictionary(const TempDir& dir, const std::string& kenAllCsv,
                    const std::string& extraArgs) {
    writeFile(dir.file("KEN_ALL.CSV"), kenAllCsv);
    std::string command = "'" + binPath("keszip-mkdic" + executableSuffix()) + "' --ken-all '" +
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

}  // namespace testing_support

namespace testing_support {

bool realDataAvailable() {
    static const bool available = std::filesystem::exists(dataPath("ken_all.zip")) &&
                                  std::filesystem::exists(binPath("KESZIP.DIC"));
    return available;
}

}  // namespace testing_support
