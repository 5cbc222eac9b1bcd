// The exported C interface, loaded the way callers load it: by name from a
// folder, so that the file-location rule is exercised for real.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "test_support.h"

using testing_support::binPath;
using testing_support::kenAllRow;
using testing_support::TempDir;

namespace {

// One private copy of libkeszip.so, loaded from `dir`.
class Library {
  public:
    explicit Library(const TempDir& dir) {
        std::string path = dir.file("libkeszip.so");
        std::filesystem::copy_file(binPath("libkeszip.so"), path);
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) ADD_FAILURE() << dlerror();
    }
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    template <typename F>
    F* get(const char* name) {
        void* symbol = handle_ ? dlsym(handle_, name) : nullptr;
        if (!symbol) ADD_FAILURE() << "missing export " << name;
        return reinterpret_cast<F*>(symbol);
    }

  private:
    void* handle_ = nullptr;
};

std::string fixtureSource() {
    return kenAllRow("13101", "100  ", "1000000", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "東京都",
                     "千代田区", "以下に掲載がない場合");
}

}  // namespace

TEST(Exports, OpenCloseErrorsAndVersions) {
    TempDir dir;
    ASSERT_EQ(testing_support::buildDictionary(dir, fixtureSource(), "--edition 4321"), 0);
    Library lib(dir);
    auto open = lib.get<int()>("KesZipOpen");
    auto close = lib.get<int()>("KesZipClose");
    auto error = lib.get<int()>("GetZe7Err");
    auto jisNow = lib.get<int(char*)>("GetJisCodeNow");
    auto dicVersion = lib.get<const char*(int, int)>("GetZe7DicVersion");
    auto dllVersion = lib.get<const char*()>("GetZe7DllVersion");
    auto zelko7 = lib.get<int(const char*, char*, char*)>("zelko7");
    auto setHyphen = lib.get<int(int)>("SetHyphenMode");
    auto getHyphen = lib.get<int()>("GetHyphenMode");
    ASSERT_TRUE(open && close && error && jisNow && dicVersion && dllVersion && zelko7);

    char jis[6] = "xxxxx";
    EXPECT_EQ(jisNow(jis), 5);
    EXPECT_STREQ(jis, "00000");

    EXPECT_EQ(close(), 0);
    EXPECT_EQ(error(), 1);

    // A lookup opens the dictionary by itself.
    char code[9] = "junk", number[14] = "junk";
    zelko7("", code, number);
    EXPECT_STREQ(number, "");
    EXPECT_EQ(close(), 1);
    EXPECT_EQ(error(), 0);

    EXPECT_EQ(open(), 1);
    EXPECT_EQ(open(), 1);
    EXPECT_STREQ(dllVersion(), "1.5.1.7");
    // The dictionary beside the library wins over the one beside the program.
    EXPECT_STREQ(dicVersion(1, 0), "4321");
    EXPECT_STRNE(dicVersion(1, 1), "");
    EXPECT_STREQ(dicVersion(1, 7), dicVersion(1, 5));  // any other item: offset 256
    EXPECT_STREQ(dicVersion(1, -1), dicVersion(1, 5));
    EXPECT_STREQ(dicVersion(4, 0), "");
    EXPECT_STREQ(dicVersion(3, 0), "");

    EXPECT_EQ(getHyphen(), 0);
    EXPECT_EQ(setHyphen(5), 5);
    EXPECT_EQ(getHyphen(), 5);
}

TEST(Exports, FallsBackToTheProgramsFolder) {
    // No dictionary beside this copy: the one beside the test program (the
    // build's bin folder, built from the real data) is used.
    TempDir dir;
    Library lib(dir);
    auto open = lib.get<int()>("KesZipOpen");
    auto dicVersion = lib.get<const char*(int, int)>("GetZe7DicVersion");
    ASSERT_TRUE(open && dicVersion);
    EXPECT_EQ(open(), 1);
    EXPECT_STRNE(dicVersion(1, 0), "4321");
    EXPECT_STRNE(dicVersion(1, 0), "");
}
