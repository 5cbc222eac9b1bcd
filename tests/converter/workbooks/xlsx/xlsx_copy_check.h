// The check of an .xlsx copy by openpyxl, and `make interop`'s keeping of
// every copy checked, for LibreOffice.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_support.h"

// Copies `path` into $KESZIP_INTEROP_DIR (when set) under a new name.
inline void keepForInterop(const std::string& path) {
    static std::atomic<int> count{0};
    const char* dir = std::getenv("KESZIP_INTEROP_DIR");
    if (!dir || !*dir) return;
    std::error_code error;
    std::filesystem::copy_file(path, std::string(dir) + "/copy" + std::to_string(++count) + ".xlsx",
                               std::filesystem::copy_options::overwrite_existing, error);
}

// openpyxl's verdict on a copy (see check_copy.py); its output is the
// destination column as "ROW<TAB>VALUE" lines.
inline std::string checkCopy(const std::string& source, const std::string& copy,
                             const std::string& sheet, const std::string& column) {
    std::string output;
    std::string command = "/usr/bin/python3 '" KESZIP_SOURCE_DIR
                          "/tests/converter/workbooks/xlsx/check_copy.py' '" +
                          source + "' '" + copy + "' '" + sheet + "' " + column;
    EXPECT_EQ(testing_support::runCommand(command, &output), 0) << command;
    keepForInterop(copy);
    return output;
}
