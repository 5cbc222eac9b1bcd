// Loading a shared library by path and resolving its exports.
#include <gtest/gtest.h>
#include <platform/dynamic_library.h>

#include <utility>

#include "support/test_support.h"

TEST(DynamicLibrary, LoadsResolvesAndReportsFailures) {
    EXPECT_EQ(platform::sharedLibraryFileName("keszip"), "libkeszip.so");

    platform::DynamicLibrary missing;
    EXPECT_FALSE(missing.load(testing_support::binPath("libnothing-here.so")));
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_FALSE(missing.error().empty());
    EXPECT_EQ(missing.symbol("zelko57"), nullptr);

    platform::DynamicLibrary engine;
    ASSERT_TRUE(engine.load(testing_support::binPath("libkeszip.so"))) << engine.error();
    EXPECT_TRUE(engine.error().empty());
    auto version = reinterpret_cast<const char* (*)()>(engine.symbol("GetZe7DllVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STRNE(version(), "");
    EXPECT_EQ(engine.symbol("NoSuchExport"), nullptr);

    // A moved library stays loaded under its new owner.
    platform::DynamicLibrary moved = std::move(engine);
    EXPECT_FALSE(engine.isLoaded());  // NOLINT(bugprone-use-after-move): moved-from is unloaded
    EXPECT_NE(moved.symbol("zelko57"), nullptr);
}
