// What a run does to the files around it: the same file under two names is
// refused, an old destination survives a run that does not get going, and a
// finished run replaces it in one step.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "conversion/conversion_run.h"
#include "conversion/page_checks.h"
#include "conversion/settings.h"
#include "scripted.h"
#include "support/test_support.h"

using namespace converter;
using converter_test::ScriptedEngine;
using converter_test::ScriptedHost;
using testing_support::readFile;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A host that looks at the files while the run is under way.
class WatchingHost : public ScriptedHost {
  public:
    std::function<void()> onPump;
    void pumpEvents() override {
        ScriptedHost::pumpEvents();
        if (onPump) onPump();
    }
};

struct SafetyFixture : ::testing::Test {
    TempDir dir;
    ScriptedEngine engine;
    WatchingHost host;
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
        writeFile(job.sourceName, "TOKYO\nTOKYO\nTOKYO\n");
    }
    int run(SourceKind kind) { return runConversion(kind, job, engine, host, dir.path()); }
    std::size_t entries() const {
        std::size_t n = 0;
        for (auto& e : std::filesystem::directory_iterator(dir.path()))
            n += e.path().empty() ? 0 : 1;
        return n;
    }
};

const SourceKind kKinds[] = {SourceKind::Text, SourceKind::Sdf, SourceKind::Csv};

}  // namespace

TEST_F(SafetyFixture, SameFileUnderAnotherNameIsRefused) {
    PageFields page;
    page.source = dir.file("in.txt");
    page.destination = dir.path() + "/./in.txt";
    page.pieceStart = {1, 0, 0, 0};
    page.pieceSize = {5, 0, 0, 0};
    page.insertPosition = 1;
    OptionsBlock options;
    CnvParamBlock params;
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 402);
    EXPECT_EQ(checkSdfPage(page, job, options).message, 502);
    ASSERT_EQ(symlink(dir.file("in.txt").c_str(), dir.file("link.txt").c_str()), 0);
    page.destination = dir.file("link.txt");
    EXPECT_EQ(checkCsvPage(page, job, options, params).message, 602);
    // On a file system that tells letter case apart these are two files.
    writeFile(dir.file("IN.txt"), "");
    page.destination = dir.file("IN.txt");
    EXPECT_TRUE(checkTextPage(page, job, options, params).ok());

    // The run itself refuses too, for callers that skip the page.
    job.sourceName = dir.file("in.txt");
    for (SourceKind kind : kKinds) {
        job.destinationName = dir.file("link.txt");
        EXPECT_EQ(run(kind), kDestinationNotOpened);
        job.destinationName = dir.file("out.txt");
        job.errorFileName =
            dir.path() + "/../" + std::filesystem::path(dir.path()).filename().string() + "/in.txt";
        EXPECT_EQ(run(kind), kErrorFileNotOpened);
        writeFile(dir.file("out.txt"), "old");
        job.errorFileName = "./out.txt";
        const std::string cwd = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        EXPECT_EQ(run(kind), kErrorFileNotOpened);
        std::filesystem::current_path(cwd);
        EXPECT_EQ(readFile(dir.file("out.txt")), "old");
        job.errorFileName = "err.txt";
    }
    EXPECT_EQ(readFile(dir.file("in.txt")), "TOKYO\nTOKYO\nTOKYO\n");
}

TEST_F(SafetyFixture, OldDestinationSurvivesARunThatDoesNotStart) {
    for (SourceKind kind : kKinds) {
        writeFile(dir.file("out.txt"), "old destination");
        writeFile(dir.file("err.txt"), "old errors");
        engine.opens = false;
        EXPECT_EQ(run(kind), kEngineNotOpened);
        job.errorFileName = dir.file("no/err.txt");
        engine.opens = true;
        EXPECT_EQ(run(kind), kErrorFileNotOpened);
        job.errorFileName = "err.txt";
        EXPECT_EQ(readFile(dir.file("out.txt")), "old destination");
        EXPECT_EQ(readFile(dir.file("err.txt")), "old errors");
        EXPECT_EQ(entries(), 3u);  // no temporary file left behind
    }
}

TEST_F(SafetyFixture, DestinationIsReplacedWhenTheRunEnds) {
    writeFile(dir.file("out.txt"), "old destination");
    std::vector<std::string> seen;
    host.onPump = [&] { seen.push_back(readFile(dir.file("out.txt"))); };
    ASSERT_EQ(run(SourceKind::Text), kRunEnded);
    EXPECT_EQ(seen, std::vector<std::string>(4, "old destination"));
    EXPECT_EQ(readFile(dir.file("out.txt")), "1000001 TOKYO\r\n1000001 TOKYO\r\n1000001 TOKYO\r\n");
    EXPECT_EQ(entries(), 3u);

    // A stopped run and one ended by the error maximum keep what they wrote.
    host.onPump = nullptr;
    host.stopAtPump = 2 + host.pumps;
    ASSERT_EQ(run(SourceKind::Csv), kRunEnded);
    EXPECT_EQ(readFile(dir.file("out.txt")), "\"1000001\",TOKYO\r\n\"1000001\",TOKYO\r\n");
    writeFile(job.sourceName, "bad\nbad\nbad\n");
    job.maxErrors = true;
    job.maxErrorCount = 1;
    ASSERT_EQ(run(SourceKind::Sdf), kRunEnded);
    EXPECT_EQ(readFile(dir.file("out.txt")), "        bad\r\n");
    EXPECT_EQ(host.messages, std::vector<int>{13});
    EXPECT_NE(readFile(dir.file("err.txt")).find("[1]"), std::string::npos);
    EXPECT_EQ(entries(), 3u);
}

TEST_F(SafetyFixture, ARunThatDiesLeavesTheOldDestination) {
    writeFile(dir.file("out.txt"), "old destination");
    // The child process is killed in the middle of its run.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        host.onPump = [this] {
            if (host.pumps == 3) _exit(0);
        };
        run(SourceKind::Text);
        _exit(1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(readFile(dir.file("out.txt")), "old destination");
}

TEST_F(SafetyFixture, FolderAsSourceCannotBeOpened) {
    std::filesystem::create_directory(dir.file("folder"));
    job.sourceName = dir.file("folder");
    for (SourceKind kind : kKinds) EXPECT_EQ(run(kind), kSourceNotOpened);
    EXPECT_TRUE(host.informs.empty());
    job.sourceName = dir.file("in.txt");
    job.destinationName = dir.file("folder");
    EXPECT_EQ(run(SourceKind::Text), kDestinationNotOpened);
}

TEST(BareErrorFileName, LiesInTheGivenFolderOrTheCurrentOne) {
    EXPECT_EQ(errorFilePath("e1.err", "/opt/zelko7/"), "/opt/zelko7/e1.err");
    EXPECT_EQ(errorFilePath("e1.err", "/opt/zelko7"), "/opt/zelko7/e1.err");
    EXPECT_EQ(errorFilePath("e1.err", ""), "e1.err");
    EXPECT_EQ(errorFilePath("logs/e1.err", "/opt/zelko7/"), "logs/e1.err");
}
