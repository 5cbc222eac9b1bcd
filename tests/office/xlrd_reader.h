// Runs the outside reader (xlrd under Debian's python3) over written workbooks.
#pragma once

#include <string>

#include "test_support.h"

namespace testbook {

inline std::string xlrdScript() {
    return std::string(KESZIP_FIXTURES) + "/../office/xlrd_check.py";
}

// The cells of a workbook as xlrd reads them (see xlrd_check.py), or
// "failed" when xlrd refused the file.
inline std::string xlrdDump(const std::string& path) {
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
    std::string out;
    const int status =
        testing_support::runCommand("/usr/bin/python3 " + xlrdScript() + " compare '" + source +
                                        "' '" + copy + "' " + extra + " 2>&1",
                                    &out);
    return status == 0 ? std::string() : out.empty() ? "xlrd failed" : out;
}

}  // namespace testbook
