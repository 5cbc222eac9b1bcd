// How a run ends, as the front ends learn it: the outcome and the counts, and
// what each outcome leaves on disk. A destination or error file that cannot
// be written whole never replaces the old one.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

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

class OutcomeHost : public ScriptedHost {
  public:
    std::vector<RunSummary> summaries;
    int abandonAtPump = 0;  // 1-based pump from which the run is abandoned
    bool abandonRequested() override { return abandonAtPump && pumps >= abandonAtPump; }
    void runEnded(const RunSummary& summary) override { summaries.push_back(summary); }
};

struct OutcomeFixture : ::testing::Test {
    TempDir dir;
    ScriptedEngine engine;
    OutcomeHost host;
    ConversionJob job;

    void SetUp() override {
        OptionsBlock options = defaultOptions();
        options.MaxErrFlg = 0;
        applyOptions(options, job);
        job.sourceName = dir.file("in.txt");
        job.destinationName = dir.file("out.txt");
        job.errorFileName = "err.txt";
        job.insertPosition = 1;
        job.layoutMode = 1;
        job.pieceStart = {1, 0, 0, 0};
        job.pieceSize = {5, 0, 0, 0};
        engine.place("TOKYO", "1000001");
    }
    std::size_t entries() const {
        std::size_t n = 0;
        for (auto& e : std::filesystem::directory_iterator(dir.path())) n += e.exists() ? 1 : 0;
        return n;
    }
};

std::string records(int good, int bad) {
    std::string text;
    for (int i = 0; i < good; ++i) text += "TOKYO\n";
    for (int i = 0; i < bad; ++i) text += "bad\n";
    return text;
}

// Runs in a child process whose files may not grow beyond `limit` bytes, as
// on a full disk; the child's exit status is the outcome, 100 + end code
// when the run did not end normally.
int runOnAFullDisk(OutcomeFixture& f, SourceKind kind, rlim_t limit) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        const int code = runConversion(kind, f.job, f.engine, f.host, f.dir.path());
        if (code != kRunEnded || f.host.summaries.size() != 1) _exit(100 + code);
        _exit(static_cast<int>(f.host.summaries[0].outcome));
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const SourceKind kKinds[] = {SourceKind::Text, SourceKind::Sdf, SourceKind::Csv};

}  // namespace

TEST_F(OutcomeFixture, OutcomeAndCountsOfEveryEnding) {
    struct Case {
        const char* what;
        int good, bad;
        int maxErrors;  // 0: no maximum
        int stopAtPump, abandonAtPump;
        RunOutcome outcome;
        std::uint32_t read, converted;
        std::int32_t errors;
        bool replaced;  // the destination and the error file took the old ones' places
    };
    const Case cases[] = {
        {"whole source", 3, 2, 0, 0, 0, RunOutcome::Complete, 5, 3, 2, true},
        {"error maximum", 1, 3, 2, 0, 0, RunOutcome::ErrorMaximum, 3, 1, 2, true},
        {"stopped by the user", 4, 0, 0, 2, 0, RunOutcome::Stopped, 2, 2, 0, true},
        {"abandoned", 2, 2, 0, 0, 3, RunOutcome::Abandoned, 2, 2, 0, false},
    };
    for (SourceKind kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            writeFile(job.sourceName, records(c.good, c.bad));
            writeFile(dir.file("out.txt"), "old destination");
            writeFile(dir.file("err.txt"), "old errors");
            job.maxErrors = c.maxErrors > 0;
            job.maxErrorCount = c.maxErrors;
            host.summaries.clear();
            host.informs.clear();
            host.pumps = 0;
            host.stop = false;
            host.stopAtPump = c.stopAtPump;
            host.abandonAtPump = c.abandonAtPump;
            ASSERT_EQ(runConversion(kind, job, engine, host, dir.path()), kRunEnded);
            ASSERT_EQ(host.summaries.size(), 1u);
            const RunSummary& s = host.summaries[0];
            EXPECT_EQ(s.outcome, c.outcome);
            EXPECT_EQ(s.read, c.read);
            EXPECT_EQ(s.converted, c.converted);
            EXPECT_EQ(s.errors, c.errors);
            EXPECT_EQ(readFile(dir.file("out.txt")) != "old destination", c.replaced);
            EXPECT_EQ(readFile(dir.file("err.txt")) != "old errors", c.replaced);
            // An abandoned run ends without its end message.
            EXPECT_EQ(host.informs.size(), c.replaced ? 1u : 0u);
            EXPECT_EQ(entries(), 3u);  // no temporary file left behind
        }
    }
}

TEST_F(OutcomeFixture, WriteErrorLeavesTheOldFilesAndNoTemporary) {
    struct Case {
        const char* what;
        int records;
        rlim_t limit;           // bytes a file may reach (0: no limit)
        const char* errorFile;  // the error file's name
    };
    const Case cases[] = {
        // Fails when the last buffered data are written, after the loop.
        {"disk full at the end", 40, 200, "err.txt"},
        // Fails in the middle of the loop.
        {"disk full in the loop", 3000, 20000, "err.txt"},
        {"error file on a full device", 3, 0, "/dev/full"},
    };
    for (SourceKind kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            writeFile(job.sourceName, records(c.records, 1));
            writeFile(dir.file("out.txt"), "old destination");
            writeFile(dir.file("err.txt"), "old errors");
            job.errorFileName = c.errorFile;
            const rlim_t limit = c.limit ? c.limit : RLIM_INFINITY;
            EXPECT_EQ(runOnAFullDisk(*this, kind, limit), static_cast<int>(RunOutcome::WriteError));
            EXPECT_EQ(readFile(dir.file("out.txt")), "old destination");
            EXPECT_EQ(readFile(dir.file("err.txt")), "old errors");
            EXPECT_EQ(entries(), 3u);
        }
    }
    job.errorFileName = "err.txt";
}
