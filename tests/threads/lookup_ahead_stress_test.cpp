// The read-ahead of the conversion runs on its own: records come out in
// their order with the answers of their own addresses, whatever the number
// of worker engines, and a run that ends early stops its workers cleanly.
// The ThreadSanitizer build runs it to prove the hand-over between the
// reading thread and the workers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "conversion/lookup_ahead.h"
#include "conversion/run_frame.h"

using namespace converter;

namespace {

// Answers computed from the address alone, at a cost that varies with it,
// so that workers finish their batches out of order.
class SumEngine final : public AddressEngine {
  public:
    bool open() override { return true; }
    int hyphenMode() override { return 0; }
    void setHyphenMode(int) override {}
    EngineAnswer lookup(const std::string& address) override {
        unsigned sum = 0;
        const int rounds = 1 + static_cast<int>(address.size() % 7) * 40;
        for (int r = 0; r < rounds; ++r)
            for (unsigned char c : address) sum = sum * 31 + c + static_cast<unsigned>(r);
        EngineAnswer answer;
        answer.flags = sum % 5 == 0 ? 0 : 1;
        answer.code7 = std::to_string(sum % 10000000);
        jis_ = std::to_string(sum % 100000);
        return answer;
    }
    std::string jisCodeNow() override { return jis_; }
    std::unique_ptr<AddressEngine> makeWorker() override { return std::make_unique<SumEngine>(); }

  private:
    std::string jis_;
};

struct TempFile {
    std::string path =
        (std::filesystem::temp_directory_path() /
         ("lookup-ahead-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
          ".txt"))
            .string();
    ~TempFile() { std::filesystem::remove(path); }
};

// Every record read through the read-ahead, with its number and answers,
// up to `limit` records.
std::string readAll(const std::string& path, unsigned threads, unsigned limit) {
    ConversionJob job;
    job.threads = threads;
    TextRecordSource source(32766, true);
    SumEngine engine;
    LookupAhead ahead(job, source, engine,
                      [](const std::string& record) { return record.substr(0, 12); });
    EXPECT_TRUE(ahead.source().open(path));
    EXPECT_TRUE(ahead.engine().open());
    std::string out;
    std::uint32_t number = 0;
    for (unsigned n = 0; n < limit && ahead.source().next(number); ++n) {
        std::string& record = source.record();
        cutLineEnd(record);
        const std::string address = ahead.address(record);
        const EngineAnswer answer = ahead.engine().lookup(address);
        out += std::to_string(number) + " " + record + " " + std::to_string(answer.flags) + " " +
               answer.code7 + " " + ahead.engine().jisCodeNow() + "\n";
    }
    return out;
}

}  // namespace

TEST(LookupAhead, RecordsComeInOrderWithTheirOwnAnswers) {
    TempFile file;
    {
        std::FILE* f = std::fopen(file.path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        for (int i = 1; i <= 20000; ++i)
            std::fprintf(f, "%s%d,rest of %d\r\n", std::string(i % 9, 'a').c_str(), i * 7919, i);
        std::fclose(f);
    }
    const std::string one = readAll(file.path, 1, 1u << 30);
    ASSERT_EQ(std::count(one.begin(), one.end(), '\n'), 20000);
    for (unsigned threads : {2u, 4u}) EXPECT_TRUE(readAll(file.path, threads, 1u << 30) == one);
    // Runs that end early, with batches still being looked up.
    for (unsigned limit : {1u, 300u, 5000u})
        EXPECT_EQ(readAll(file.path, 4, limit), readAll(file.path, 1, limit));
}
