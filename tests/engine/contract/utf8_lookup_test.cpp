// The UTF-8 lookups of engine handles over the real dictionaries: the UTF-8
// edge (dash forms, the placeholder, text that is not UTF-8, NUL bytes, bad
// arguments) and the same answers as the Shift-JIS lookup gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "keszip.h"
#include "support/test_support.h"

using testing_support::sj;
using testing_support::u8;

namespace {

struct HandleCloser {
    void operator()(KesZipHandle* handle) const { KesZipDestroy(handle); }
};
using Handle = std::unique_ptr<KesZipHandle, HandleCloser>;

Handle openHandle() {
    int error = -1;
    Handle handle(KesZipCreate(nullptr, &error));
    EXPECT_NE(handle, nullptr) << error;
    return handle;
}

// The answer `keszip lookup` prints for a Shift-JIS address, in UTF-8.
std::string shiftJisLine(KesZipHandle* handle, const std::string& sjis, int options) {
    KesZipAnswer a;
    KesZipLookup(handle, sjis.c_str(), options, &a);
    if (a.flags == 0) a.oldCode[0] = a.addressNumber[0] = a.jisCode[0] = '\0';
    return std::to_string(a.flags) + "|" + u8(a.code7) + "|" + u8(a.oldCode) + "|" +
           u8(a.addressNumber) + "|" + u8(a.jisCode);
}

std::string utf8Line(const KesZipUtf8Answer& a) {
    return std::to_string(a.flags) + "|" + a.code7 + "|" + a.oldCode + "|" + a.addressNumber + "|" +
           a.jisCode;
}

}  // namespace

TEST(Utf8Lookup, EdgeCasesAnswerAsTheirShiftJisForm) {
    KESZIP_REQUIRE_REAL_DATA();
    Handle handle = openHandle();
    ASSERT_TRUE(handle);
    const char nulText[] = "東京都\0千代田区霞が関1";
    const std::string nul(nulText, sizeof nulText - 1);
    struct Case {
        std::string utf8;
        const char* same;  // UTF-8 of the Shift-JIS text that must answer the same; null: refused
        int status;
    };
    const Case cases[] = {
        // Dash and minus forms are hyphens, whether Shift-JIS has them or not.
        {"東京都千代田区霞が関1\u20132\u20133", "東京都千代田区霞が関1-2-3", KESZIP_UTF8_OK},
        {"東京都千代田区霞が関1\u20122\u20113", "東京都千代田区霞が関1-2-3", KESZIP_UTF8_OK},
        {"東京都千代田区霞が関1\uFE632\u22123", "東京都千代田区霞が関1-2-3", KESZIP_UTF8_OK},
        {"東京都千代田区霞が関1\u20102\u20153", "東京都千代田区霞が関1-2-3", KESZIP_UTF8_OK},
        {"東京都千代田区霞が関1\uFF0D2\u20143", "東京都千代田区霞が関1-2-3", KESZIP_UTF8_OK},
        // Other characters without a Shift-JIS form: one placeholder each.
        {"東京都千代田区丸の内1-6-2 凮ビルⅪ階", "東京都千代田区丸の内1-6-2 〓ビル〓階",
         KESZIP_UTF8_REPLACED},
        {"東京都千代田区丸の内1-6-2 😀𠮷", "東京都千代田区丸の内1-6-2 〓〓", KESZIP_UTF8_REPLACED},
        {"凮", "〓", KESZIP_UTF8_REPLACED},
        // Characters of the extensions (㈱, ①) and of the JIS mapping (〜) convert.
        {"東京都千代田区丸の内1-6-2 ㈱①〜", "東京都千代田区丸の内1-6-2 ㈱①～", KESZIP_UTF8_OK},
        {"", "", KESZIP_UTF8_OK},
        // Not UTF-8: stray bytes, an overlong form, a surrogate, a cut character.
        {"東京都\xFF", nullptr, KESZIP_UTF8_INVALID},
        {"\xC0\xAF", nullptr, KESZIP_UTF8_INVALID},
        {"\xED\xA0\x80", nullptr, KESZIP_UTF8_INVALID},
        {std::string("東京都").substr(0, 8), nullptr, KESZIP_UTF8_INVALID},
        {nul, nullptr, KESZIP_UTF8_NUL_BYTE},
    };
    std::vector<const char*> addresses;
    std::vector<std::size_t> lengths;
    for (int options : {0, KESZIP_HYPHEN}) {
        for (const Case& c : cases) {
            KesZipUtf8Answer a;
            std::memset(&a, '#', sizeof a);
            const int flags =
                KesZipLookupUtf8(handle.get(), c.utf8.data(), c.utf8.size(), options, &a);
            EXPECT_EQ(flags, a.flags) << c.utf8;
            EXPECT_EQ(a.status, c.status) << c.utf8;
            const std::string expected =
                c.same ? shiftJisLine(handle.get(), sj(c.same), options) : "0|ERR-003|||";
            EXPECT_EQ(utf8Line(a), expected) << c.utf8;
            if (options == 0) {
                addresses.push_back(c.utf8.data());
                lengths.push_back(c.utf8.size());
            }
        }
    }
    // The batch gives each address the answer it gets alone.
    std::vector<KesZipUtf8Answer> answers(addresses.size());
    int placed = KesZipLookupUtf8Batch(handle.get(), addresses.data(), lengths.data(),
                                       addresses.size(), 0, answers.data());
    int expectPlaced = 0;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        KesZipUtf8Answer alone;
        KesZipLookupUtf8(handle.get(), addresses[i], lengths[i], 0, &alone);
        EXPECT_EQ(utf8Line(answers[i]), utf8Line(alone)) << addresses[i];
        EXPECT_EQ(answers[i].status, alone.status) << addresses[i];
        expectPlaced += alone.flags != 0;
    }
    EXPECT_EQ(placed, expectPlaced);
    // Without lengths, every address runs to its NUL.
    const char* terminated[] = {"東京都千代田区霞が関1\u20132\u20133", nullptr};
    ASSERT_EQ(KesZipLookupUtf8Batch(handle.get(), terminated, nullptr, 2, 0, answers.data()), 1);
    EXPECT_EQ(utf8Line(answers[0]), shiftJisLine(handle.get(), sj("東京都千代田区霞が関1-2-3"), 0));
    EXPECT_EQ(answers[1].status, KESZIP_UTF8_BAD_ARGUMENT);

    // Bad arguments: a negative result, never a crash.
    KesZipUtf8Answer a;
    EXPECT_EQ(KesZipLookupUtf8(nullptr, "x", 1, 0, &a), -1);
    EXPECT_EQ(a.status, KESZIP_UTF8_BAD_ARGUMENT);
    EXPECT_STREQ(a.code7, "ERR-001");
    EXPECT_EQ(KesZipLookupUtf8(handle.get(), nullptr, 3, 0, &a), -1);
    EXPECT_EQ(a.status, KESZIP_UTF8_BAD_ARGUMENT);
    EXPECT_EQ(KesZipLookupUtf8(handle.get(), nullptr, KESZIP_UTF8_TERMINATED, 0, &a), -1);
    EXPECT_EQ(KesZipLookupUtf8(handle.get(), "x", 1, 0, nullptr), -1);
    EXPECT_EQ(KesZipLookupUtf8(handle.get(), nullptr, 0, 0, &a), a.flags);  // the empty text
    EXPECT_EQ(a.status, KESZIP_UTF8_OK);
    EXPECT_EQ(KesZipLookupUtf8Batch(nullptr, addresses.data(), nullptr, 1, 0, answers.data()), -1);
    EXPECT_EQ(KesZipLookupUtf8Batch(handle.get(), nullptr, nullptr, 1, 0, answers.data()), -1);
    EXPECT_EQ(KesZipLookupUtf8Batch(handle.get(), addresses.data(), nullptr, 1, 0, nullptr), -1);
    EXPECT_EQ(KesZipLookupUtf8Batch(handle.get(), nullptr, nullptr, 0, 0, nullptr), 0);
}

TEST(Utf8Lookup, RealAddressesAnswerAsTheShiftJisLookup) {
    KESZIP_REQUIRE_REAL_DATA();
    Handle handle = openHandle();
    ASSERT_TRUE(handle);
    // Every town of every old code, with a house number, as the code search
    // writes them; the UTF-8 forms through one batch.
    std::vector<std::string> sjis, utf8;
    KesZipAddress found;
    for (int code = 1; code <= 999; ++code) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", code);
        for (int first = 1, n = 0; n < 20 && KesZipSearch(handle.get(), first, text, 0, &found);
             first = 0, ++n) {
            sjis.push_back(std::string(found.prefecture) + found.city + found.ward + found.town +
                           (n % 2 ? "1-2-3" : sj("３丁目４－５")));
            utf8.push_back(u8(sjis.back()));
        }
    }
    ASSERT_GT(sjis.size(), 5000u);
    std::vector<const char*> addresses;
    for (const auto& text : utf8) addresses.push_back(text.c_str());
    std::vector<KesZipUtf8Answer> answers(addresses.size());
    for (int options : {0, KESZIP_HYPHEN}) {
        KesZipLookupUtf8Batch(handle.get(), addresses.data(), nullptr, addresses.size(), options,
                              answers.data());
        for (std::size_t i = 0; i < sjis.size(); ++i) {
            ASSERT_EQ(utf8Line(answers[i]), shiftJisLine(handle.get(), sjis[i], options))
                << utf8[i];
            ASSERT_EQ(answers[i].status, KESZIP_UTF8_OK) << utf8[i];
        }
    }
}
