// libcustom.so as a setup program meets it: loaded by name, its three
// exports resolved and called with a call record.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "custom.h"
#include "support/test_support.h"

namespace {

using Export = int32_t (*)(CustomCallRecord*);

TEST(CustomLibrary, ExportsWorkThroughTheSharedLibrary) {
    void* library = dlopen(testing_support::binPath("libcustom.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto setDate = reinterpret_cast<Export>(dlsym(library, "SetDate"));
    auto unhook = reinterpret_cast<Export>(dlsym(library, "DspUnHook"));
    ASSERT_NE(setDate, nullptr);
    ASSERT_NE(unhook, nullptr);
    ASSERT_NE(dlsym(library, "DspHook"), nullptr);
    // Nothing but the three exports is visible.
    EXPECT_EQ(dlsym(library, "_ZN6custom7setDateESt17basic_string_viewIcSt11char_traitsIcEE"),
              nullptr);

    testing_support::TempDir dir;
    testing_support::writeFile(dir.file("a.txt"), "x");
    std::string folder = dir.path();
    for (char& c : folder)
        if (c == '/') c = '\\';
    const std::string parameter = folder + "\\*.*/2000-04-01 00:00:00/";
    CustomCallRecord record{};
    record.parameter = parameter.c_str();
    EXPECT_EQ(setDate(&record), 1);
    struct stat info {};
    ASSERT_EQ(stat(dir.file("a.txt").c_str(), &info), 0);
    std::tm local{};
    local.tm_year = 100;
    local.tm_mon = 3;
    local.tm_mday = 1;
    local.tm_isdst = -1;
    EXPECT_EQ(info.st_mtim.tv_sec, std::mktime(&local));

    record.parameter = "no separators";
    EXPECT_EQ(setDate(&record), 0);
    EXPECT_EQ(setDate(nullptr), 0);
    EXPECT_EQ(unhook(&record), 1);  // nothing hooked: still 1
    dlclose(library);
}

}  // namespace
