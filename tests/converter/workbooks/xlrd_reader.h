// Runs the outside reader (xlrd under Debian's python3) over written workbooks.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace testbook {

inline std::string xlrdScript() {
    return std::string(KESZIP_FIXTURES) + "/../converter/workbooks/xlrd_check.py";
}

// With KESZIP_INTEROP_DIR set, every workbook checked here is also kept in
// that folder, for `make interop` to open with LibreOffice.
// The name kept is returned (empty when nothing is kept).
inline std::string keepForInterop(const std::string& path) {
    const char* dir = std::getenv("KESZIP_INTEROP_DIR");
    if (!dir || !*dir) return {};
    static int count = 0;
    const std::string name = std::string(dir) + "/" + std::to_string(::getpid()) + "-" +
                             std::to_string(++count) + ".xls";
    testing_support::writeFile(name, testing_support::readFile(path));
    return name;
}

// A copy kept with its source (NAME.source) and the cells a conversion
// wrote into its first sheet (NAME.changed, ROW:COLUMN lines), for `make
// interop` to compare the formulas LibreOffice reads from both.
template <typename CellOf>
void keepPairForInterop(const std::string& source, const std::string& copy, std::size_t count,
                        CellOf cellOf) {
    const std::string name = keepForInterop(copy);
    if (name.empty()) return;
    testing_support::writeFile(name + ".source", testing_support::readFile(source));
    std::string changed;
    for (std::size_t k = 0; k < count; ++k) changed += cellOf(k) + "\n";
    testing_support::writeFile(name + ".changed", changed);
}

// The cells of a workbook as xlrd reads them (see xlrd_check.py), or
// "failed" when xlrd refused the file.
inline std::string xlrdDump(const std::string& path) {
    keepForInterop(path);
    std::string out;
    if (testing_support::runCommand(
            "/usr/bin/python3 " + xlrdScript() + " dump '" + path + "' 2>&1", &out) != 0)
        return "failed: " + out;
    return out;
}

// Empty when every cell of `source` is in `copy`, except `extra` (options
// --skip SHEET:COLUMN and --blanked SHEET:ROW:COLUMN); the differences otherwise.
inline std::string xlrdCompare(const std::string& source, const std::string& copy,
                               const std::string& extra = "") {
    keepForInterop(copy);
    std::string out;
    const int status =
        testing_support::runCommand("/usr/bin/python3 " + xlrdScript() + " compare '" + source +
                                        "' '" + copy + "' " + extra + " 2>&1",
                                    &out);
    return status == 0 ? std::string() : out.empty() ? "xlrd failed" : out;
}

}  // namespace testbook
