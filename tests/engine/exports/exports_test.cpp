// The exported C interface, loaded the way callers load it: by name from a
// folder, so that the file-location rule is exercised for real.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "library_copy.h"
#include "support/test_support.h"

using exports_test::Library;
using testing_support::kenAllRow;
using testing_support::TempDir;

namespace {

std::string fixtureSource() {
    return kenAllRow("13101", "100  ", "1000000", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", "東京都",
                     "千代田区", "以下に掲載がない場合");
}

}  // namespace

TEST(Exports, OpenCloseErrorsAndVersions) {
    KESZIP_REQUIRE_REAL_DATA();
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
    // No KESTEL.DIC beside this copy: the one beside the program answers.
    EXPECT_STRNE(dicVersion(3, 0), "");

    EXPECT_EQ(getHyphen(), 0);
    EXPECT_EQ(setHyphen(5), 5);
    EXPECT_EQ(getHyphen(), 5);
}

TEST(Exports, FallsBackToTheProgramsFolder) {
    KESZIP_REQUIRE_REAL_DATA();
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

TEST(Exports, LookupBuffersHyphensAndAddressNumbers) {
    TempDir dir;
    std::string csv = fixtureSource() +
                      kenAllRow("13101", "10001", "1000014", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾅｶﾞﾀﾁｮｳ", "東京都",
                                "千代田区", "永田町") +
                      kenAllRow("13101", "100  ", "1000013", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐｶﾞｾｷ", "東京都",
                                "千代田区", "霞が関");
    ASSERT_EQ(testing_support::buildDictionary(dir, csv), 0);
    Library lib(dir);
    auto zelko7 = lib.get<int(const char*, char*, char*)>("zelko7");
    auto zelko5 = lib.get<int(const char*, char*, char*)>("zelko5");
    auto zelko57 = lib.get<int(const char*, char*, char*, char*)>("zelko57");
    auto jisCode = lib.get<int(const char*, char*, char*, char*)>("Zelko7JisCode");
    auto setHyphen = lib.get<int(int)>("SetHyphenMode");
    ASSERT_TRUE(zelko7 && zelko5 && zelko57 && jisCode && setHyphen);
    const std::string kasumigaseki = testing_support::sj("東京都千代田区霞が関1丁目2番3号");
    const std::string nagatacho = testing_support::sj("東京都千代田区永田町2-1");
    const std::string nowhere = testing_support::sj("東京都存在区");

    char code7[9], old[7], number[14], jis[6];
    EXPECT_EQ(zelko7(kasumigaseki.c_str(), code7, number), 1);
    EXPECT_STREQ(code7, "1000013");
    EXPECT_STREQ(number, "1-2-3");
    EXPECT_EQ(zelko57(nagatacho.c_str(), old, code7, nullptr), 1);
    EXPECT_STREQ(old, "10001");
    EXPECT_EQ(jisCode(nagatacho.c_str(), jis, nullptr, nullptr), 1);
    EXPECT_STREQ(jis, "13101");

    setHyphen(1);
    EXPECT_EQ(zelko7(kasumigaseki.c_str(), code7, nullptr), 1);
    EXPECT_STREQ(code7, "100-0013");
    EXPECT_EQ(zelko5(kasumigaseki.c_str(), old, nullptr), 1);
    EXPECT_STREQ(old, "100   ");
    EXPECT_EQ(zelko57(nagatacho.c_str(), old, code7, number), 1);
    EXPECT_STREQ(old, "100-01");
    EXPECT_STREQ(code7, "100-0014");
    // The error text is edited as well; zelko5 keeps it to itself.
    std::strcpy(number, "stale");
    EXPECT_EQ(zelko7(nowhere.c_str(), code7, number), 0);
    EXPECT_STREQ(code7, "ERR--003");
    EXPECT_STREQ(number, "");
    std::strcpy(old, "stale");
    EXPECT_EQ(zelko5(nowhere.c_str(), old, nullptr), 0);
    EXPECT_STREQ(old, "");
    setHyphen(0);
}
