// Every export that writes text, over the real dictionaries, into buffers of
// exactly the sizes keszip.h states: nothing is written past them (the
// sanitizer build catches a single byte), every text is terminated, and the
// code outputs of a lookup that fails hold nothing stale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "exact_buffer.h"
#include "keszip.h"
#include "support/test_support.h"

using contract::ExactBuffer;
using testing_support::sj;

namespace {

// The buffers of one address, as the searches write them.
struct AddressBuffers {
    ExactBuffer oldCode{KESZIP_OLD_CODE_SIZE}, code7{KESZIP_CODE7_SIZE};
    ExactBuffer prefecture{KESZIP_NAME_SIZE}, city{KESZIP_NAME_SIZE}, ward{KESZIP_NAME_SIZE};
    ExactBuffer town{KESZIP_TOWN_SIZE}, note{KESZIP_NOTE_SIZE};
    bool terminated() const {
        for (const ExactBuffer* b : {&oldCode, &code7, &prefecture, &city, &ward, &town, &note})
            if (!b->terminated()) return false;
        return true;
    }
    std::string address() const {
        return prefecture.text() + city.text() + ward.text() + town.text();
    }
};

// Real addresses with their longest names: the towns of a spread of old
// codes, found by the code search itself.
std::vector<std::string> realAddresses() {
    static std::vector<std::string> addresses = [] {
        std::vector<std::string> out;
        AddressBuffers b;
        for (int code = 1; code <= 999; code += 7) {
            char text[16];
            std::snprintf(text, sizeof text, "%03d", code);
            for (int first = 1, n = 0; n < 12; first = 0, ++n) {
                if (GetZipAddress(first, text, b.oldCode.get(), b.code7.get(), b.prefecture.get(),
                                  b.city.get(), b.ward.get(), b.town.get(), b.note.get()) == 0)
                    break;
                EXPECT_TRUE(b.terminated()) << text;
                out.push_back(b.address() + b.note.text() + "1-2-3");
            }
        }
        return out;
    }();
    return addresses;
}

class ExactBuffers : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        KESZIP_REQUIRE_REAL_DATA();
        ASSERT_EQ(KesZipOpen(), 1) << GetZe7Err();
        SetHyphenMode(GetParam());
    }
    void TearDown() override { SetHyphenMode(0); }
};

TEST_P(ExactBuffers, AddressLookups) {
    const auto addresses = realAddresses();
    ASSERT_GT(addresses.size(), 500u);
    ExactBuffer oldCode(KESZIP_OLD_CODE_SIZE), code7(KESZIP_CODE7_SIZE),
        number(KESZIP_ADDRESS_NUMBER_SIZE), jis(KESZIP_JIS_CODE_SIZE);
    int placed = 0;
    for (std::string address : addresses) {
        for (std::string text :
             {address, address.substr(0, address.size() / 2), std::string("x")}) {
            int flags = zelko57(text.c_str(), oldCode.get(), code7.get(), number.get());
            ASSERT_TRUE(oldCode.terminated() && code7.terminated() && number.terminated()) << text;
            placed += flags != 0;
            if (flags == 0) {
                EXPECT_EQ(code7.text().substr(0, 3), "ERR") << text;
            }
            for (ExactBuffer* b : {&oldCode, &code7, &number, &jis}) b->fill();
            zelko7(text.c_str(), code7.get(), number.get());
            zelko5(text.c_str(), oldCode.get(), number.get());
            Zelko7JisCode(text.c_str(), jis.get(), code7.get(), number.get());
            ASSERT_TRUE(oldCode.terminated() && code7.terminated() && number.terminated() &&
                        jis.terminated())
                << text;
            jis.fill();
            EXPECT_EQ(GetJisCodeNow(jis.get()), 5);
            ASSERT_TRUE(jis.terminated());
        }
    }
    EXPECT_GT(placed, static_cast<int>(addresses.size()) * 9 / 10);

    // A lookup that places nothing leaves no stale code behind.
    for (ExactBuffer* b : {&oldCode, &code7, &number}) b->fill();
    EXPECT_EQ(zelko5("x", oldCode.get(), number.get()), 0);
    EXPECT_EQ(oldCode.text(), "");
    EXPECT_EQ(number.text(), "");
}

TEST_P(ExactBuffers, SearchesSplitsAndOffices) {
    const auto addresses = realAddresses();
    AddressBuffers b;
    b.note.get()[0] = '\0';  // SeparateAddress writes no note
    ExactBuffer rest(KESZIP_TOWN_SIZE);
    for (std::size_t i = 0; i < addresses.size(); i += 3) {
        const std::string& address = addresses[i];
        SeparateAddress(address.c_str(), b.oldCode.get(), b.code7.get(), b.prefecture.get(),
                        b.city.get(), b.ward.get(), b.town.get(), rest.get());
        ASSERT_TRUE(b.terminated() && rest.terminated()) << address;
        const std::string code = b.code7.text();
        GetZipDecision(code.c_str(), b.prefecture.get(), b.city.get(), b.ward.get(), b.town.get(),
                       b.note.get());
        ASSERT_TRUE(b.terminated()) << code;
    }
    // The drill-down search over every prefecture and the cities of one.
    for (const char* text : {"*", "東京都*", "北海道*", "京都府京都市中京区*"}) {
        const std::string sjis = sj(text);
        for (int first = 1, n = 0; n < 400; first = 0, ++n) {
            if (GetIncAddress(first, sjis.c_str(), b.prefecture.get(), b.city.get(), b.ward.get(),
                              b.town.get(), b.note.get()) == 0)
                break;
            ASSERT_TRUE(b.terminated()) << text;
        }
    }
    // The office searches write names, towns and remarks of their own sizes.
    ASSERT_EQ(KesCmpOpen(), 1) << GetZe7Err();
    ExactBuffer jis(KESZIP_JIS_CODE_SIZE), remark(KESZIP_REMARK_SIZE),
        office(KESZIP_OFFICE_NAME_SIZE);
    const std::string company = sj("株式会社");
    std::vector<std::string> codes;
    for (int first = 1, n = 0; n < 300; first = 0, ++n) {
        if (GetCmpCode(first, company.c_str(), "", 0, b.oldCode.get(), b.code7.get(), jis.get(),
                       b.prefecture.get(), b.city.get(), b.ward.get(), b.town.get(), remark.get(),
                       office.get()) == 0)
            break;
        ASSERT_TRUE(b.terminated() && jis.terminated() && remark.terminated() &&
                    office.terminated());
        codes.push_back(b.code7.text());
    }
    ASSERT_GT(codes.size(), 100u);
    for (const auto& code : codes) {
        GetZipAddressCmp(1, code.c_str(), b.oldCode.get(), b.code7.get(), b.prefecture.get(),
                         b.city.get(), b.ward.get(), b.town.get(), remark.get(), office.get());
        ASSERT_TRUE(b.terminated() && remark.terminated() && office.terminated()) << code;
    }
}

TEST_P(ExactBuffers, TelephoneLookupsAndRenumbering) {
    ASSERT_EQ(KesTelOpen(), 1) << GetTelErr();
    ASSERT_EQ(SetTelBaseDate("20250101"), 1);
    AddressBuffers b;
    b.oldCode.get()[0] = '\0';  // the telephone lookups write no old code
    ExactBuffer codes(KESZIP_TEL_CODES_SIZE);
    int count = -1;
    int towns = 0;
    for (const char* number : {"011", "03", "0273", "06-6", "098", "0120"}) {
        for (int first = 1;
             GetTelAddress(first, number, b.code7.get(), b.prefecture.get(), b.city.get(),
                           b.ward.get(), b.town.get(), b.note.get(), &count, codes.get()) != 0;
             first = 0, ++towns) {
            ASSERT_TRUE(b.terminated() && codes.terminated()) << number;
            // The count tells how many codes the written list holds.
            const std::string list = codes.text();
            EXPECT_EQ(count, list.empty() ? 0 : 1 + std::count(list.begin(), list.end(), ','));
        }
        GetTelDecision(number, b.prefecture.get(), b.city.get(), b.ward.get(), b.town.get(),
                       b.note.get());
        ASSERT_TRUE(b.terminated()) << number;
    }
    EXPECT_GT(towns, 1000);
    const auto addresses = realAddresses();
    for (std::size_t i = 0; i < addresses.size(); i += 5) {
        const std::string& address = addresses[i];
        codes.fill();
        GetAddressTel(address.c_str(), b.code7.get(), &count, codes.get());
        ASSERT_TRUE(b.code7.terminated() && codes.terminated()) << address;
        codes.fill();
        GetDecisionTel(address.substr(0, address.size() / 2).c_str(), &count, codes.get());
        ASSERT_TRUE(codes.terminated()) << address;
    }
    // Renumbering needs the number's length and three bytes more.
    for (const char* number : {"0720-12-3456", "030-12-34567", "06-123-4567", "0273-12-3456", ""}) {
        ExactBuffer out(std::strlen(number) + KESZIP_TEL_NUMBER_GROWTH);
        ConvNewTelNo(out.get(), number);
        EXPECT_TRUE(out.terminated()) << number;
    }
    SetTelBaseDate("0");
}

TEST_P(ExactBuffers, HandleLookupsMatchTheExports) {
    int error = -1;
    KesZipHandle* handle = KesZipCreate(nullptr, &error);
    ASSERT_NE(handle, nullptr) << error;
    const int options = GetParam() ? KESZIP_HYPHEN : 0;
    ExactBuffer oldCode(KESZIP_OLD_CODE_SIZE), code7(KESZIP_CODE7_SIZE),
        number(KESZIP_ADDRESS_NUMBER_SIZE), jis(KESZIP_JIS_CODE_SIZE);
    for (const std::string& address : realAddresses()) {
        KesZipAnswer answer;
        std::memset(&answer, '#', sizeof answer);
        const int flags = KesZipLookup(handle, address.c_str(), options, &answer);
        EXPECT_EQ(flags, answer.flags);
        // The same bytes as zelko57 and GetJisCodeNow give for a placed address.
        EXPECT_EQ(zelko57(address.c_str(), oldCode.get(), code7.get(), number.get()), flags);
        GetJisCodeNow(jis.get());
        EXPECT_EQ(answer.code7, code7.text()) << address;
        EXPECT_EQ(answer.oldCode, oldCode.text()) << address;
        EXPECT_EQ(answer.addressNumber, number.text()) << address;
        if (flags != 0) {
            EXPECT_EQ(answer.jisCode, jis.text()) << address;
        }
    }
    // The search of a handle gives what GetZipAddress gives.
    AddressBuffers b;
    KesZipAddress found;
    for (int first = 1;; first = 0) {
        std::memset(&found, '#', sizeof found);
        const int flags = KesZipSearch(handle, first, "060", options, &found);
        EXPECT_EQ(GetZipAddress(first, "060", b.oldCode.get(), b.code7.get(), b.prefecture.get(),
                                b.city.get(), b.ward.get(), b.town.get(), b.note.get()),
                  flags);
        if (flags == 0) break;
        EXPECT_EQ(found.code7, b.code7.text());
        EXPECT_EQ(found.oldCode, b.oldCode.text());
        EXPECT_EQ(
            std::string(found.prefecture) + found.city + found.ward + found.town + found.townNote,
            b.address() + b.note.text());
    }
    // The drill-down search of a handle lists what GetIncAddress lists, and
    // its edition is the classic one.
    for (const char* text : {"*", "東京都千代田区*", "きょうとしなかぎょうく", "存在しない", ""}) {
        const std::string sjis = sj(text);
        KesZipEntry entry;
        for (int first = 1, n = 0; n < 400; first = 0, ++n) {
            std::memset(&entry, '#', sizeof entry);
            const int found = KesZipIncSearch(handle, first, sjis.c_str(), &entry);
            ASSERT_EQ(GetIncAddress(first, sjis.c_str(), b.prefecture.get(), b.city.get(),
                                    b.ward.get(), b.town.get(), b.note.get()),
                      found)
                << text;
            if (found == 0) {  // the end clears the entry
                EXPECT_EQ(std::string(entry.prefecture) + entry.town, "") << text;
                break;
            }
            EXPECT_EQ(std::string(entry.prefecture) + "/" + entry.city + "/" + entry.municipality +
                          "/" + entry.town + "/" + entry.townNote,
                      b.prefecture.text() + "/" + b.city.text() + "/" + b.ward.text() + "/" +
                          b.town.text() + "/" + b.note.text());
        }
    }
    KesZipEntry entry;
    EXPECT_EQ(KesZipIncSearch(nullptr, 1, "*", &entry), 0);
    EXPECT_EQ(KesZipIncSearch(handle, 1, nullptr, &entry), 0);
    EXPECT_EQ(KesZipIncSearch(handle, 1, "*", nullptr), 0);
    EXPECT_EQ(std::to_string(KesZipEdition(handle)), GetZe7DicVersion(1, 0));
    EXPECT_EQ(KesZipEdition(nullptr), 0);
    // Folding cuts at a whole character to the size given.
    const std::string text = sj("東京都千代田区飯田橋一丁目");
    for (int size = 1; size < 24; ++size) {
        ExactBuffer out(static_cast<std::size_t>(size));
        const int length = KesZipFold(handle, text.c_str(), 1, out.get(), size);
        ASSERT_TRUE(out.terminated());
        EXPECT_EQ(length, static_cast<int>(std::strlen(out.get())));
        EXPECT_LT(length, size);
    }
    EXPECT_EQ(KesZipFold(handle, text.c_str(), 2, code7.get(), 9), -1);
    KesZipDestroy(handle);
}

INSTANTIATE_TEST_SUITE_P(HyphenOffAndOn, ExactBuffers, ::testing::Values(0, 1));

}  // namespace
