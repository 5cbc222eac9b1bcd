// Addresses through the postal-code engine into barcodes, with the real
// dictionaries beside the libraries, and without the engine at all.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "kesbar_library.h"
#include "src/barcode_encoding.h"
#include "support/test_support.h"

using barcode_test::KesBarLibrary;
using barcode_test::library;
using testing_support::binPath;
using testing_support::sj;
using testing_support::TempDir;

namespace {

// The text the library must write for ready data `data`.
std::string expectedText(const std::string& data) {
    kesbar::Barcode barcode{};
    EXPECT_EQ(kesbar::encode(data, barcode), kesbar::Result::Success);
    return kesbar::barcodeText(barcode);
}

}  // namespace

TEST(KesBarAddresses, PlacedAddressesGiveCodeAndAddressNumber) {
    KESZIP_REQUIRE_REAL_DATA();
    ASSERT_TRUE(library().ok()) << library().error;
    struct Case {
        const char* address;
        const char* data;
    } cases[] = {
        {"東京都千代田区霞が関1丁目3番1号", "10000131-3-1"},
        {"東京都千代田区丸の内１丁目９−１", "10000051-9-1"},
        {"北海道札幌市中央区北一条西2丁目", "06000012"},
        {"東京都千代田区霞が関", "1000013"},
    };
    for (const auto& c : cases) {
        int result = -1;
        EXPECT_EQ(library().text(sj(c.address), &result), expectedText(c.data)) << c.address;
        EXPECT_EQ(result, 0) << c.address;
    }
    EXPECT_EQ(library().text(sj("東京都千代田区霞が関1丁目3番1号")),
              "[STC]10000131-3-1[CC4][CC4][CC4][CC4][CC4][CC4][CC4][CC4]-[SPC]");

    // The bitmap of an address is the bitmap of its data.
    unsigned char *fromAddress = nullptr, *fromData = nullptr;
    int addressSize = 0, dataSize = 0;
    ASSERT_EQ(library().image(sj("東京都千代田区霞が関1丁目3番1号").c_str(), 24, &fromAddress,
                              &addressSize, 80, 1),
              0);
    ASSERT_EQ(library().image("10000131-3-1", 24, &fromData, &dataSize, 80, 1), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(fromAddress), addressSize),
              std::string(reinterpret_cast<char*>(fromData), dataSize));
    library().free(fromAddress);
    library().free(fromData);
}

TEST(KesBarAddresses, EngineHyphenModeDoesNotChangeTheBarcode) {
    KESZIP_REQUIRE_REAL_DATA();
    ASSERT_TRUE(library().ok()) << library().error;
    const std::string address = sj("東京都千代田区霞が関1丁目3番1号");
    ASSERT_EQ(library().text(address), expectedText("10000131-3-1"));
    // The engine is loaded now; switch its hyphen mode on.
    void* engine = dlopen(binPath("libkeszip.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(engine, nullptr) << "the engine beside the barcode library was not the one loaded";
    auto setHyphen = reinterpret_cast<int (*)(int)>(dlsym(engine, "SetHyphenMode"));
    ASSERT_NE(setHyphen, nullptr);
    setHyphen(1);
    EXPECT_EQ(library().text(address), expectedText("10000131-3-1"));
    setHyphen(0);
    dlclose(engine);
}

TEST(KesBarAddresses, UnplacedAndGenericAddressesGiveSix) {
    ASSERT_TRUE(library().ok()) << library().error;
    TempDir dir;
    for (const char* address : {"東京都千代田区", "北海道虻田郡倶知安町", "存在しない県",
                                "京都府京都市中京区烏丸通六角下る"}) {
        std::string sjis = sj(address);
        int result = -1;
        library().text(sjis, &result);
        EXPECT_EQ(result, 6) << address;
        unsigned char* block = nullptr;
        int size = 9;
        EXPECT_EQ(library().image(sjis.c_str(), 30, &block, &size, 100, 0), 6) << address;
        EXPECT_EQ(size, 9);
        EXPECT_EQ(library().bar(sjis.c_str(), dir.file("a.bmp").c_str(), 30, 100, 0), 6);
        EXPECT_FALSE(std::filesystem::exists(dir.file("a.bmp")));
    }
}

namespace {

// Runs in a fresh process: a copy of libkesbar.so alone in a folder, with no
// engine beside it nor anywhere the system looks. Returns 0 when every address
// gives 5 and ready data still work; otherwise prints what went wrong.
int barcodesWithoutEngine() {
    auto failed = [](const char* what) {
        std::fprintf(stderr, "%s\n", what);
        return 1;
    };
    if (dlopen("libkeszip.so", RTLD_LAZY | RTLD_NOLOAD)) return failed("engine already loaded");
    TempDir dir;
    std::filesystem::copy_file(binPath("libkesbar.so"), dir.file("libkesbar.so"));
    KesBarLibrary lonely(dir.file("libkesbar.so"));
    if (!lonely.ok()) return failed(lonely.error.c_str());
    const std::string address = sj("東京都千代田区霞が関1丁目3番1号");
    for (int attempt = 0; attempt < 2; ++attempt) {
        int result = -1;
        lonely.text(address, &result);
        if (result != 5) return failed("KesBarStr did not give 5");
        unsigned char* block = nullptr;
        int size = 3;
        if (lonely.image(address.c_str(), 30, &block, &size, 100, 0) != 5 || size != 3)
            return failed("KesBarImage did not give 5");
        if (lonely.bar(address.c_str(), dir.file("a.bmp").c_str(), 30, 100, 0) != 5 ||
            std::filesystem::exists(dir.file("a.bmp")))
            return failed("KesBar did not give 5");
    }
    if (lonely.text("123-4567") != expectedText("1234567")) return failed("ready data failed");
    if (lonely.bar("1234567", dir.file("b.bmp").c_str(), 30, 100, 0) != 0)
        return failed("KesBar failed on ready data");
    if (dlopen("libkeszip.so", RTLD_LAZY | RTLD_NOLOAD)) return failed("an engine was found");
    return 0;
}

}  // namespace

TEST(KesBarAddresses, WithoutTheEngineAddressesGiveFive) {
    // A fresh process, so that no engine is loaded by the other tests.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(barcodesWithoutEngine()), testing::ExitedWithCode(0), "");
}
