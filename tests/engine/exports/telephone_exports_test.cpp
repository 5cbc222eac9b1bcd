// The telephone exports, loaded by name from a folder without KESTEL.DIC, so
// that the real dictionary beside the test program is used.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::sj;
using testing_support::TempDir;

namespace {

using GetTelAddressFn = int(int, const char*, char*, char*, char*, char*, char*, char*, int*,
                            char*);
using GetTelDecisionFn = int(const char*, char*, char*, char*, char*, char*);

TEST(TelephoneExports, LookupsCloseAndReopen) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    const std::string path = dir.file("libkeszip.so");
    std::filesystem::copy_file(binPath("libkeszip.so"), path);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto open = reinterpret_cast<int (*)()>(dlsym(handle, "KesTelOpen"));
    auto close = reinterpret_cast<int (*)()>(dlsym(handle, "KesTelClose"));
    auto address = reinterpret_cast<GetTelAddressFn*>(dlsym(handle, "GetTelAddress"));
    auto decision = reinterpret_cast<GetTelDecisionFn*>(dlsym(handle, "GetTelDecision"));
    auto setHyphen = reinterpret_cast<int (*)(int)>(dlsym(handle, "SetHyphenMode"));
    auto dicVersion =
        reinterpret_cast<const char* (*)(int, int)>(dlsym(handle, "GetZe7DicVersion"));
    ASSERT_TRUE(open && close && address && decision && setHyphen && dicVersion);

    EXPECT_EQ(close(), 0);  // not open yet
    char code7[16], pref[1024], city[1024], ward[1024], town[1024], note[1024], codes[4096];
    int count = -1;
    // Every town of 03-3 lies in Tokyo; the first is a ward of the 23.
    int flags = address(1, "03-3", code7, pref, city, ward, town, note, &count, codes);
    ASSERT_NE(flags, 0);
    EXPECT_EQ(std::string(pref), sj("東京都"));
    EXPECT_EQ(std::string(city).substr(std::string(city).size() - 2), sj("区"));
    EXPECT_GT(count, 0);
    EXPECT_NE(std::string(codes).find("03-3"), std::string::npos);
    int towns = 1;
    while (address(0, "", code7, pref, city, ward, town, note, &count, codes) != 0) {
        EXPECT_EQ(std::string(pref), sj("東京都"));
        ++towns;
    }
    EXPECT_GT(towns, 100);
    EXPECT_EQ(count, 0);  // cleared by the call that found nothing

    EXPECT_EQ(close(), 1);
    EXPECT_EQ(close(), 0);
    // A lookup opens the dictionary again; 06-6 serves Osaka.
    setHyphen(1);
    ASSERT_NE(address(1, "06-6", code7, pref, city, ward, town, note, &count, codes), 0);
    EXPECT_EQ(std::string(pref), sj("大阪府"));
    EXPECT_EQ(std::string(code7).size(), 8u);  // 123-4567
    EXPECT_EQ(code7[3], '-');
    setHyphen(0);
    EXPECT_EQ(open(), 1);
    EXPECT_EQ(open(), 1);

    EXPECT_EQ(decision("03-5", pref, city, ward, town, note), 1);
    EXPECT_EQ(std::string(pref), sj("東京都"));
    // A whole number lies in the band of its code.
    EXPECT_EQ(decision("03-3211-4321", pref, city, ward, town, note), 1);
    EXPECT_EQ(std::string(pref), sj("東京都"));
    ASSERT_NE(address(1, "03-3211-4321", code7, pref, city, ward, town, note, &count, codes), 0);
    EXPECT_EQ(std::string(pref), sj("東京都"));
    EXPECT_NE(std::string(codes).find("03-3"), std::string::npos) << codes;
    ASSERT_NE(address(1, "0154-41-1234", code7, pref, city, ward, town, note, &count, codes), 0);
    EXPECT_EQ(std::string(city), sj("釧路市"));
    EXPECT_EQ(decision("01547-6-1234", pref, city, ward, town, note), 1);
    EXPECT_EQ(std::string(pref), sj("北海道"));
    EXPECT_EQ(decision("1", pref, city, ward, town, note), 0);
    EXPECT_STRNE(dicVersion(3, 0), "");
    dlclose(handle);
}

TEST(TelephoneExports, AddressToCodes) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    const std::string path = dir.file("libkeszip.so");
    std::filesystem::copy_file(binPath("libkeszip.so"), path);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    using GetAddressTelFn = int(const char*, char*, int*, char*);
    auto addressTel = reinterpret_cast<GetAddressTelFn*>(dlsym(handle, "GetAddressTel"));
    ASSERT_NE(addressTel, nullptr);
    char code7[16], codes[4096];
    int count = -1;

    EXPECT_EQ(addressTel(sj("東京都千代田区霞が関1-2-3").c_str(), code7, &count, codes), 1);
    EXPECT_STREQ(code7, "1000013");
    EXPECT_GT(count, 0);
    EXPECT_NE(std::string(codes).find("03-3"), std::string::npos) << codes;

    // 釧路市 is split between two compartments: 音別町 has a code of its own.
    EXPECT_EQ(addressTel(sj("北海道釧路市音別町本町").c_str(), code7, &count, codes) & 1, 1);
    EXPECT_EQ(std::string(codes), "01547");
    EXPECT_EQ(count, 1);

    // A city name of two prefectures without the prefecture is refused, and
    // the town it reached still reports its codes.
    EXPECT_EQ(addressTel(sj("府中市本町").c_str(), code7, &count, codes), 0);
    EXPECT_STREQ(code7, "ERR-005");
    EXPECT_GT(count, 0);

    // A partial address: area codes below the level it names, each once, or
    // the full codes of the towns it names.
    using GetDecisionTelFn = int(const char*, int*, char*);
    auto decisionTel = reinterpret_cast<GetDecisionTelFn*>(dlsym(handle, "GetDecisionTel"));
    ASSERT_NE(decisionTel, nullptr);
    EXPECT_EQ(decisionTel(sj("東京都").c_str(), &count, codes), 0);  // needs more than that
    EXPECT_EQ(count, 0);
    EXPECT_EQ(decisionTel(sj("東京都千代田区").c_str(), &count, codes), 1);
    EXPECT_STREQ(codes, "03");
    EXPECT_EQ(decisionTel(sj("北海道釧路市").c_str(), &count, codes), 1);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(codes, "0154,01547");
    EXPECT_EQ(decisionTel(sj("北海道釧路市音別町本町").c_str(), &count, codes), 1);
    EXPECT_STREQ(codes, "01547");

    EXPECT_EQ(addressTel(sj("架空県架空市").c_str(), code7, &count, codes), 0);
    EXPECT_STREQ(code7, "ERR-003");
    EXPECT_EQ(count, 0);
    EXPECT_STREQ(codes, "");
    dlclose(handle);
}

}  // namespace
