// Runs whose records are looked up ahead on several engines give, byte for
// byte, what one engine gives: outputs, error files, counts and messages,
// also when the error maximum, a stop or a partial range ends the run early.
#include <gtest/gtest.h>

#include "conversion/conversion_run.h"
#include "conversion/page_checks.h"
#include "conversion/settings.h"
#include "scripted.h"
#include "support/test_support.h"

using namespace converter;
using converter_test::ScriptedEngine;
using converter_test::ScriptedHost;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

struct Result {
    int code = 0;
    std::string output, errors;
    std::vector<int> messages;
    std::vector<std::string> informs, questions;
    std::int32_t errorCount = 0;
    std::uint32_t finalCount = 0;
    std::size_t askedOfTheRunsEngine = 0;
};

bool operator==(const Result& a, const Result& b) {
    return a.code == b.code && a.output == b.output && a.errors == b.errors &&
           a.messages == b.messages && a.informs == b.informs && a.questions == b.questions &&
           a.errorCount == b.errorCount && a.finalCount == b.finalCount;
}

std::ostream& operator<<(std::ostream& out, const Result& r) {
    return out << "code " << r.code << ", " << r.output.size() << " output bytes, "
               << r.errors.size() << " error-file bytes, " << r.errorCount << " errors, "
               << r.finalCount << " processed, " << r.messages.size() << " messages";
}

// Addresses "A0000" to "A0036", each six bytes with its separator: most are
// placed (one in three with the catch-all flag, which the strict check
// refuses), some are not, and the Jis code differs between them.
std::string addressOf(int i) {
    std::string text = std::to_string(i % 37);
    return "A" + std::string(4 - text.size(), '0') + text;
}

struct LookupAheadFixture : ::testing::Test {
    TempDir dir;
    ConversionJob job;
    ScriptedHost hostTemplate;
    std::string input;
    Result lastOne;  // the one-thread run of the last comparison

    void SetUp() override {
        OptionsBlock options = defaultOptions();
        options.MaxErrFlg = 0;
        applyOptions(options, job);
        job.sourceName = dir.file("in.txt");
        job.errorFileName = "err.txt";
        job.insertPosition = 3;
        job.layoutMode = 1;
        job.checks.ikanashi = true;
        job.markerFlag = 1;
        job.marker = "NG";
    }

    // Records in several batches; line ends of every kind, a lone CR inside.
    void makeInput(int records) {
        input.clear();
        for (int i = 1; i <= records; ++i) {
            const std::string ends[] = {"\n", "\r\n", "\r\r\n", "x\ry\n"};
            input += std::to_string(i % 10) + "," + addressOf(i) + ",tail" + ends[i % 4];
        }
    }

    Result run(SourceKind kind, unsigned threads, bool workers = true) {
        ScriptedEngine engine;
        engine.hasWorkers = workers;
        for (int i = 0; i < 37; ++i) {
            if (i % 9 == 4) continue;  // not placed
            engine.place(addressOf(i), "10000" + std::to_string(10 + i), i % 3 == 0 ? 5 : 1,
                         "1" + std::to_string(10 + i) + "  ", "131" + std::to_string(10 + i));
        }
        ScriptedHost host = hostTemplate;
        const std::string tag = std::to_string(threads);
        job.destinationName = dir.file("out" + tag + ".txt");
        job.errorFileName = "err" + tag + ".txt";
        job.threads = threads;
        writeFile(job.sourceName, input);
        Result r;
        r.code = runConversion(kind, job, engine, host, dir.path());
        r.output = readFile(job.destinationName);
        r.errors = readFile(dir.file(job.errorFileName));
        r.messages = host.messages;
        r.informs = host.informs;
        r.questions = host.questions;
        r.errorCount = host.errorCount;
        r.finalCount = host.finalCount;
        r.askedOfTheRunsEngine = engine.asked.size();
        return r;
    }

    void expectSameWithThreads(SourceKind kind, const char* what) {
        const Result one = lastOne = run(kind, 1);
        EXPECT_GT(one.finalCount, 0u) << what;
        for (unsigned threads : {2u, 5u}) {
            const Result many = run(kind, threads);
            EXPECT_EQ(many, one) << what << " with " << threads << " threads";
            EXPECT_EQ(many.output, one.output) << what;
            EXPECT_EQ(many.errors, one.errors) << what;
            // The lookups were made ahead, not by the run's own engine.
            EXPECT_EQ(many.askedOfTheRunsEngine, 0u) << what;
        }
    }

    void expectSameForEveryKind(const char* what) {
        job.pieceStart = {3, 0, 0, 0};
        job.pieceSize = {5, 0, 0, 0};
        expectSameWithThreads(SourceKind::Text, what);
        expectSameWithThreads(SourceKind::Sdf, what);
        job.pieceStart = {2, 0, 0, 0};
        expectSameWithThreads(SourceKind::Csv, what);
    }
};

}  // namespace

TEST_F(LookupAheadFixture, EveryKindAndModeGivesWhatOneEngineGives) {
    makeInput(3001);
    for (int mode : {2, 4}) {
        job.cnvKbn = mode;
        expectSameForEveryKind(mode == 2 ? "7-digit codes" : "Jis codes");
    }
    // Fixed-length records that cut lines apart.
    job.layoutMode = 2;
    job.recordLength = 23;
    job.pieceStart = {3, 0, 0, 0};
    expectSameWithThreads(SourceKind::Sdf, "fixed-length records");
}

TEST_F(LookupAheadFixture, EarlyEndsComeAtTheSameRecord) {
    makeInput(4000);
    job.maxErrors = true;
    job.maxErrorCount = 150;
    expectSameForEveryKind("error maximum");
    EXPECT_EQ(lastOne.messages, std::vector<int>{13});
    EXPECT_LT(lastOne.finalCount, 1000u);
    job.maxErrors = false;

    hostTemplate.stopAtPump = 1700;
    hostTemplate.answers = {true};
    expectSameForEveryKind("stop");
    EXPECT_EQ(lastOne.questions.size(), 1u);
    EXPECT_LT(lastOne.finalCount, 4000u);
    hostTemplate = ScriptedHost();

    job.partial = 1;
    job.firstRecord = 700;
    job.lastRecord = 2900;
    expectSameForEveryKind("partial range");
    EXPECT_EQ(lastOne.finalCount, 2201u);
    job.firstRecord = 3990;
    job.lastRecord = 9000;
    expectSameForEveryKind("range past the end");
}

TEST_F(LookupAheadFixture, EngineWithoutWorkersLooksUpItself) {
    makeInput(600);
    job.pieceStart = {2, 0, 0, 0};
    const Result one = run(SourceKind::Csv, 1);
    const Result alone = run(SourceKind::Csv, 4, false);
    EXPECT_EQ(alone, one);
    EXPECT_EQ(alone.askedOfTheRunsEngine, 600u);
}
