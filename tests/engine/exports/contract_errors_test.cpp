// The error codes the header promises: a file of the wrong kind has an error
// of its own on both the postal and the telephone side, the telephone side's
// errors can be read, and failed calls leave no stale bytes in the caller's
// code outputs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "keszip.h"
#include "library_copy.h"
#include "support/test_support.h"

using exports_test::Library;
using testing_support::TempDir;

namespace {

// Bytes that are no dictionary of any kind, but long enough for a header.
const std::string kNotADictionary(600, 'Z');

TEST(ContractErrors, WrongSignatureHasItsOwnError) {
    TempDir dir;
    testing_support::writeFile(dir.file("KESZIP.DIC"), kNotADictionary);
    testing_support::writeFile(dir.file("KESCMP.DIC"), kNotADictionary);
    Library lib(dir);
    auto open = lib.get<int()>("KesZipOpen");
    auto error = lib.get<int()>("GetZe7Err");
    auto zelko57 = lib.get<int(const char*, char*, char*, char*)>("zelko57");
    auto jisCode = lib.get<int(const char*, char*, char*, char*)>("Zelko7JisCode");
    auto create = lib.get<KesZipHandle*(const char*, int*)>("KesZipCreate");
    auto handleError = lib.get<int(KesZipHandle*)>("KesZipHandleError");
    ASSERT_TRUE(open && error && zelko57 && jisCode && create && handleError);

    EXPECT_EQ(open(), 0);
    EXPECT_EQ(error(), KESZIP_ERR_SIGNATURE);
    // The lookups say the dictionary is not open, and nothing of the caller's
    // own bytes is left in the code outputs.
    char old[KESZIP_OLD_CODE_SIZE] = "stale", code7[KESZIP_CODE7_SIZE] = "stale78",
         number[KESZIP_ADDRESS_NUMBER_SIZE] = "stale", jis[KESZIP_JIS_CODE_SIZE] = "stal";
    EXPECT_EQ(zelko57("x", old, code7, number), 0);
    EXPECT_STREQ(old, "");
    EXPECT_STREQ(code7, "ERR-001");
    EXPECT_STREQ(number, "");
    EXPECT_EQ(jisCode("x", jis, nullptr, nullptr), 0);
    EXPECT_STREQ(jis, "00000");

    int created = -1;
    EXPECT_EQ(create(dir.path().c_str(), &created), nullptr);
    EXPECT_EQ(created, KESZIP_ERR_SIGNATURE);
    EXPECT_EQ(create(dir.file("absent").c_str(), &created), nullptr);
    EXPECT_EQ(created, KESZIP_ERR_FILE);
    EXPECT_EQ(handleError(nullptr), KESZIP_ERR_NOT_OPEN);
}

TEST(ContractErrors, OfficeDictionaryOfTheWrongKind) {
    TempDir dir;
    testing_support::writeFile(dir.file("KESCMP.DIC"), kNotADictionary);
    Library lib(dir);  // the main dictionary beside the program answers
    auto open = lib.get<int()>("KesCmpOpen");
    auto error = lib.get<int()>("GetZe7Err");
    ASSERT_TRUE(open && error);
    EXPECT_EQ(open(), 0);
    EXPECT_EQ(error(), KESZIP_ERR_SIGNATURE);
}

TEST(ContractErrors, TelephoneErrorsCanBeRead) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    testing_support::writeFile(dir.file("KESTEL.DIC"), kNotADictionary);
    Library lib(dir);
    auto open = lib.get<int()>("KesTelOpen");
    auto telError = lib.get<int()>("GetTelErr");
    auto postalError = lib.get<int()>("GetZe7Err");
    auto addressTel = lib.get<int(const char*, char*, int*, char*)>("GetAddressTel");
    auto decisionTel = lib.get<int(const char*, int*, char*)>("GetDecisionTel");
    auto telAddress =
        lib.get<int(int, const char*, char*, char*, char*, char*, char*, char*, int*, char*)>(
            "GetTelAddress");
    ASSERT_TRUE(open && telError && postalError && addressTel && decisionTel && telAddress);

    EXPECT_EQ(open(), 0);
    EXPECT_EQ(telError(), KESZIP_ERR_SIGNATURE);
    EXPECT_EQ(postalError(), KESZIP_ERR_NONE);  // the postal side keeps its own
    // Outputs are cleared even when the dictionary cannot be opened.
    char code7[KESZIP_CODE7_SIZE] = "stale78", codes[KESZIP_TEL_CODES_SIZE] = "stale";
    int count = 99;
    const std::string address = testing_support::sj("群馬県高崎市新町");
    EXPECT_EQ(addressTel(address.c_str(), code7, &count, codes), 0);
    EXPECT_STREQ(code7, "");
    EXPECT_STREQ(codes, "");
    EXPECT_EQ(count, 0);
    std::strcpy(codes, "stale");
    count = 99;
    EXPECT_EQ(decisionTel(address.c_str(), &count, codes), 0);
    EXPECT_STREQ(codes, "");
    EXPECT_EQ(count, 0);

    // Without the bad file the real dictionary beside the program opens; a
    // number too short to look up says so.
    std::remove(dir.file("KESTEL.DIC").c_str());
    EXPECT_EQ(open(), 1);
    EXPECT_EQ(telAddress(1, "0", code7, nullptr, nullptr, nullptr, nullptr, nullptr, &count, codes),
              0);
    EXPECT_EQ(telError(), KESZIP_ERR_CODE);
}

}  // namespace
