// What a run does to the files around it: the same file under two names is refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "conversion_run.h"
#include "page_checks.h"
#include "scripted.h"
#include "settings.h"
#include "test_support.h"

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
        job.errorFileName = "err.txt";
    }
    EXPECT_EQ(readFile(dir.file("in.txt")), "TOKYO\nTOKYO\nTOKYO\n");
}
