// Buffer bounds and malformed input: the folding never writes past the
// buffer it is given, never splits a character and never reads past the input.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "fold_helpers.h"

namespace {

using fold_test::fold;
using fold_test::withTable;
using testing_support::sj;

// True when every lead byte of `text` has its trail byte.
bool wellFormed(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            if (i + 1 >= text.size()) return false;
            ++i;
        }
    }
    return true;
}

// Folds into a buffer of `outSize` bytes inside a guarded block and checks
// the guard, the terminator and the returned length.
std::string foldBounded(std::string_view text, std::size_t outSize, int mode,
                        const keszip::FoldSettings& settings = {}) {
    constexpr char kGuard = '\x5A';
    std::vector<char> block(outSize + 16, kGuard);
    const std::size_t length = keszip::foldText(text, block.data(), outSize, mode, settings);
    for (std::size_t i = outSize; i < block.size(); ++i) EXPECT_EQ(block[i], kGuard) << i;
    if (outSize == 0) {
        EXPECT_EQ(length, 0u);
        return {};
    }
    EXPECT_LT(length, outSize);
    EXPECT_EQ(block[length], '\0');
    EXPECT_EQ(std::strlen(block.data()), length);
    const std::string out(block.data(), length);
    EXPECT_TRUE(wellFormed(out));
    return out;
}

TEST(FoldBounds, EmptyAndTinyBuffers) {
    EXPECT_EQ(fold(""), "");
    EXPECT_EQ(keszip::foldText("", 1, {}), "");
    EXPECT_EQ(foldBounded(sj("東京都"), 0, 1), "");
    EXPECT_EQ(foldBounded(sj("東京都"), 1, 1), "");
    EXPECT_EQ(foldBounded(sj("東京都"), 4, 1), sj("東"));  // never half a kanji
    EXPECT_EQ(foldBounded(sj("ガガ"), 4, 0), sj("ｶﾞ"));
}

TEST(FoldBounds, NumbersThatGrowAreCutWhole) {
    EXPECT_EQ(foldBounded(sj("千番"), 5, 1), "1000");
    EXPECT_EQ(foldBounded(sj("千番千番"), 9, 1), sj("1000番"));
    EXPECT_EQ(foldBounded(sj("千番"), 4, 1), sj("千"));  // the unit word did not fit
    EXPECT_EQ(foldBounded(sj("第3階"), 5, 1), "|3");
    EXPECT_EQ(foldBounded(sj("第3階"), 6, 1), "|3F");
}

TEST(FoldBounds, LongInputIsCutToTheBuffer) {
    std::string text;
    while (text.size() < 10000) text += sj("あ千番");
    for (int mode : {0, 1}) {
        const std::string out = foldBounded(text, keszip::kFoldBufferSize, mode);
        EXPECT_GT(out.size(), keszip::kFoldBufferSize - 8);
    }
    EXPECT_LT(keszip::foldOfficeText(text, {}).size(), keszip::kFoldBufferSize);
    // A larger buffer is filled as far as it goes.
    EXPECT_GT(foldBounded(text, 4000, 0).size(), 3990u);
}

TEST(FoldBounds, MalformedShiftJis) {
    EXPECT_EQ(foldBounded(sj("ア") + "\x88", 16, 1), sj("ｱ"));      // lone lead byte at the end
    EXPECT_EQ(foldBounded("\x88 \x81", 16, 0), "");                 // lead bytes without trail
    EXPECT_EQ(foldBounded(std::string("AB\0CD", 5), 16, 1), "AB");  // the text ends at NUL
    // A table key ending in half a character does not cut one in the input.
    const auto table = withTable({{"髙", "高"}});
    auto broken = table;
    broken.kanjiSubstitutions[0].key = sj("髙田").substr(0, 3);
    EXPECT_EQ(foldBounded(sj("髙田"), 16, 1, broken), sj("髙田"));
    broken.kanjiSubstitutions[0].value = "\x8D";  // value ending in a lead byte
    broken.kanjiSubstitutions[0].key = sj("髙");
    EXPECT_EQ(foldBounded(sj("髙"), 16, 1, broken), "");
}

TEST(FoldBounds, RandomBytes) {
    std::mt19937 random(1234);
    auto settings = withTable({{"髙", "高"}, {"﨑玉", "埼玉"}});
    settings.kanSuujiConvLevel = 1;
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 64, '\0');
        for (char& c : text) {
            // Bias towards lead bytes, kana and kanji numerals.
            static const unsigned char kBytes[] = {0x81, 0x82, 0x83, 0x88, 0x8F, 0x93, 0xB6,
                                                   0xDE, 0xB9, 0x2D, 0xC9, 0x31, 0x20, 0xFC};
            c = static_cast<char>(random() % 2 ? kBytes[random() % sizeof kBytes] : random());
        }
        settings.kanjiTableOff = static_cast<int>(random() % 2);
        foldBounded(text, random() % 40, static_cast<int>(random() % 2), settings);
        EXPECT_TRUE(wellFormed(keszip::foldOfficeText(text, settings)));
    }
}

}  // namespace
