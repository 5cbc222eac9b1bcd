// Helpers shared by the test programs.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// Shift-JIS bytes of a UTF-8 literal (tests are written in UTF-8).
std::string sj(std::string_view utf8);
// UTF-8 of Shift-JIS bytes, for readable failure messages.
std::string u8(std::string_view sjis);

// A fresh, empty directory removed when the object goes away.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

void writeFile(const std::string& path, std::string_view bytes);
std::string readFile(const std::string& path);

std::string fixturePath(const std::string& name);  // tests/fixtures/<name>
std::string dataPath(const std::string& name);     // <KESZIP_DATA>/<name>
std::string binPath(const std::string& name);      // build/bin/<name>

// Runs a shell command and returns its exit status; its standard output
// goes to `output` when not null.
int runCommand(const std::string& command, std::string* output = nullptr);
// "" or ".exe": what the system adds to a program's name.
std::string executableSuffix();

}  // namespace testing_support

namespace testing_support {

// Writes `kenAllCsv` (Shift-JIS rows in Japan Post's format) into `dir`, runs
// the dictionary builder on it with `extraArgs` and returns the builder's
// exit status; the dictionary files land in `dir`.
int buildDictionary(const TempDir& dir, const std::string& kenAllCsv,
                    const std::string& extraArgs = "");

// One row of Japan Post's format, from UTF-8 fields, as Shift-JIS with CR LF.
std::string kenAllRow(const std::string& jis, const std::string& oldCode, const std::string& code7,
                      const std::string& prefReading, const std::string& cityReading,
                      const std::string& townReading, const std::string& pref,
                      const std::string& city, const std::string& town);

}  // namespace testing_support

namespace testing_support {

// True when Japan Post's source data is in KESZIP_DATA and the dictionaries
// built from it are in build/bin. Tests that read either start with
// KESZIP_REQUIRE_REAL_DATA(), so that a build without the data still passes
// and lists them as skipped.
bool realDataAvailable();

}  // namespace testing_support

#define KESZIP_REQUIRE_REAL_DATA()                                                         \
    do {                                                                                   \
        if (!testing_support::realDataAvailable())                                         \
            GTEST_SKIP() << "needs Japan Post's data in KESZIP_DATA and the dictionaries " \
                            "built from it";                                               \
    } while (0)
