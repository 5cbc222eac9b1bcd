// Several engine handles looking up at once over the real dictionary: every
// thread must get exactly the answers one handle gives on one thread, in any
// order and whatever the other threads do. The ThreadSanitizer build runs
// this test to prove that handles share nothing they write.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "keszip.h"

namespace {

struct HandleCloser {
    void operator()(KesZipHandle* handle) const { KesZipDestroy(handle); }
};
using Handle = std::unique_ptr<KesZipHandle, HandleCloser>;

Handle createHandle() {
    int error = -1;
    Handle handle(KesZipCreate(KESZIP_DICTIONARIES, &error));
    EXPECT_TRUE(handle) << "no dictionary in " << KESZIP_DICTIONARIES << ": error " << error;
    return handle;
}

// One question of the mix: a lookup with or without hyphens, a code search
// of up to three addresses, or a fold.
struct Question {
    enum Kind { kLookup, kHyphenLookup, kSearch, kFold } kind;
    std::string text;
};

std::string answer(KesZipHandle* handle, const Question& q) {
    std::string out;
    switch (q.kind) {
        case Question::kLookup:
        case Question::kHyphenLookup: {
            KesZipAnswer a;
            KesZipLookup(handle, q.text.c_str(),
                         q.kind == Question::kHyphenLookup ? KESZIP_HYPHEN : 0, &a);
            out = std::to_string(a.flags) + "|" + a.code7 + "|" + a.oldCode + "|" +
                  a.addressNumber + "|" + a.jisCode;
            break;
        }
        case Question::kSearch: {
            KesZipAddress a;
            for (int first = 1, n = 0; n < 3; first = 0, ++n) {
                if (KesZipSearch(handle, first, q.text.c_str(), 0, &a) == 0) break;
                out +=
                    std::to_string(a.flags) + a.code7 + a.city + a.ward + a.town + a.townNote + ";";
            }
            break;
        }
        case Question::kFold: {
            char folded[KESZIP_FOLD_SIZE];
            KesZipFold(handle, q.text.c_str(), 1, folded, sizeof folded);
            out = folded;
            break;
        }
    }
    return out;
}

// Real addresses from the dictionary itself, written in several ways, mixed
// with code searches, folds and texts that place nothing.
std::vector<Question> questions(KesZipHandle* handle, std::size_t wanted) {
    std::vector<Question> out;
    KesZipAddress a;
    for (int code = 1; out.size() < wanted && code <= 999; code += 3) {
        char text[16];
        std::snprintf(text, sizeof text, "%03d", code);
        for (int first = 1, n = 0; n < 24; first = 0, ++n) {
            if (KesZipSearch(handle, first, text, 0, &a) == 0) break;
            const std::string withoutPrefecture = std::string(a.city) + a.ward + a.town;
            const std::string full = a.prefecture + withoutPrefecture;
            out.push_back({Question::kLookup, full + std::to_string(n + 1) + "-2-3"});
            out.push_back({Question::kHyphenLookup, withoutPrefecture + a.townNote});
            out.push_back({Question::kLookup, full.substr(0, full.size() / 2)});
            if (n % 4 == 0) out.push_back({Question::kSearch, a.code7});
            if (n % 6 == 0) out.push_back({Question::kFold, full + "1丁目"});
            if (n % 8 == 0) out.push_back({Question::kLookup, "x" + std::to_string(n)});
        }
    }
    return out;
}

TEST(HandlesOnThreads, EveryThreadGetsTheSingleThreadedAnswers) {
    if (!std::filesystem::exists(std::string(KESZIP_DICTIONARIES) + "/KESZIP.DIC"))
        GTEST_SKIP() << "needs the dictionaries built from Japan Post's data";
    constexpr int kThreads = 4;
    constexpr int kQuestionsPerThread = 100000;
    Handle reference = createHandle();
    ASSERT_TRUE(reference);
    const std::vector<Question> mix = questions(reference.get(), 6000);
    ASSERT_GT(mix.size(), 5000u);
    std::vector<std::string> expected;
    for (const Question& q : mix) expected.push_back(answer(reference.get(), q));
    reference.reset();

    std::atomic<int> mismatches{0}, asked{0};
    std::vector<std::string> firstMismatch(kThreads);
    auto run = [&](int t) {
        // Each thread makes its own handle while the others make theirs, and
        // walks the mix in an order of its own.
        Handle handle = createHandle();
        if (!handle) return;
        const std::size_t step = 1 + 2 * static_cast<std::size_t>(t);
        std::size_t at = static_cast<std::size_t>(t) * 997;
        for (int i = 0; i < kQuestionsPerThread; ++i) {
            at = (at + step) % mix.size();
            const std::string got = answer(handle.get(), mix[at]);
            if (got != expected[at]) {
                ++mismatches;
                if (firstMismatch[t].empty())
                    firstMismatch[t] = mix[at].text + ": " + got + " instead of " + expected[at];
            }
            ++asked;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back(run, t);
    for (auto& thread : threads) thread.join();

    EXPECT_EQ(asked.load(), kThreads * kQuestionsPerThread);
    EXPECT_EQ(mismatches.load(), 0);
    for (const auto& m : firstMismatch)
        if (!m.empty()) ADD_FAILURE() << m;
}

}  // namespace
