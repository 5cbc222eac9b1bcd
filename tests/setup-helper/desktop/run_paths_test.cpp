// The programs and libraries zelko7-setup copies find their libraries only
// through run paths relative to themselves: no folder of the build tree, no
// empty entry (which would mean the current folder), nothing another user
// could plant a library in.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "setup/custom_binding.h"
#include "setup/installation.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The RPATH and RUNPATH entries of an ELF file, as readelf prints them.
std::vector<std::string> runPaths(const fs::path& file) {
    std::string out;
    EXPECT_EQ(testing_support::runCommand("readelf -d '" + file.string() + "'", &out), 0) << out;
    std::vector<std::string> entries;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("(RUNPATH)") == std::string::npos &&
            line.find("(RPATH)") == std::string::npos)
            continue;
        const std::size_t open = line.find('['), close = line.rfind(']');
        if (open == std::string::npos || close == std::string::npos) continue;
        std::string list = line.substr(open + 1, close - open - 1);
        std::size_t start = 0;
        while (true) {
            const std::size_t colon = list.find(':', start);
            entries.push_back(list.substr(start, colon - start));
            if (colon == std::string::npos) break;
            start = colon + 1;
        }
    }
    return entries;
}

TEST(RunPaths, CopiedProgramsAndLibrariesLookOnlyBesideThemselves) {
    testing_support::TempDir dir;
    ::setenv("XDG_DATA_HOME", dir.file("xdg").c_str(), 1);
    setup::CustomBinding custom;
    std::string error;
    ASSERT_TRUE(custom.load({KESZIP_BIN_DIR}, error)) << error;
    const fs::path target = dir.file("copy");
    const setup::InstallationResult result =
        setup::runInstallation(KESZIP_BIN_DIR, target, custom, [](const std::string&) {});
    ::unsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(result.ok) << result.error;
    int checked = 0;
    for (const char* name :
         {"keszip", "zelko7", "zelko7-setup", "libkeszip.so", "libkesbar.so", "libcustom.so"}) {
        const fs::path file = target / name;
        if (!fs::exists(file)) continue;
        ++checked;
        // Only the copy's own folder: not the build tree, not an empty entry
        // (the current folder), not "../lib" next to wherever it was put.
        for (const std::string& entry : runPaths(file)) EXPECT_EQ(entry, "$ORIGIN") << name;
    }
    EXPECT_GE(checked, 4);
}

}  // namespace
