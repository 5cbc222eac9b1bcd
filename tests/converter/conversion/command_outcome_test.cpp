// zelko7 convert as scripts see it: an exit status per outcome, the counts
// on the last line, the old files kept when the run is ended from outside.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "support/test_support.h"

using namespace testing_support;

namespace {

std::string zelko7(const std::string& arguments, int* status, const std::string& folder) {
    std::string output;
    *status = runCommand("cd '" + folder + "' && " + binPath("zelko7") + " " + arguments + " 2>&1",
                         &output);
    return output;
}

// Hidden files of a folder: the temporaries of a run under way.
int hiddenFiles(const std::string& folder) {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(folder))
        n += e.path().filename().string()[0] == '.' ? 1 : 0;
    return n;
}

}  // namespace

TEST(CommandOutcome, ExitStatusAndCountsPerOutcome) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    writeFile(dir.file("in.csv"),
              sj("東京都千代田区丸の内１丁目\r\nどこでもない\r\nどこにもない\r\n"));
    struct Case {
        const char* options;
        int status;
        const char* said;  // a line the run prints
    };
    const Case cases[] = {
        {"--dest out.csv --error-file err.txt --no-max-errors", 0,
         "records read 3, converted 1, errors 2"},
        {"--dest out.csv --error-file err.txt --max-errors 1", 5,
         "records read 2, converted 1, errors 1"},
        {"--dest /dev/full --error-file err.txt --no-max-errors", 7, "write error"},
        {"--dest out.csv --error-file /dev/full --no-max-errors", 7, "write error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        writeFile(dir.file("out.csv"), "old");
        writeFile(dir.file("err.txt"), "old");
        int status = -1;
        const std::string out =
            zelko7("convert csv --source in.csv --fields 1 --yes " + std::string(c.options),
                   &status, dir.path());
        EXPECT_EQ(status, c.status) << out;
        EXPECT_NE(out.find(c.said), std::string::npos) << out;
        EXPECT_EQ(readFile(dir.file("out.csv")) == "old", c.status == 7) << out;
        EXPECT_EQ(readFile(dir.file("err.txt")) == "old", c.status == 7) << out;
        EXPECT_EQ(hiddenFiles(dir.path()), 0);
    }
}

TEST(CommandOutcome, SignalsDuringTheRun) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    std::string source;
    for (int i = 0; i < 400000; ++i)
        source += sj("東京都千代田区丸の内") + std::to_string(i % 3 + 1) + sj("丁目\r\n");
    writeFile(dir.file("in.csv"), source);
    struct Case {
        int signal;
        bool killed;  // ended by the signal itself, else exits with `status`
        int status;
        bool replaced;  // the destination holds the records up to the stop
    };
    const Case cases[] = {
        {SIGTERM, true, 0, false},
        {SIGHUP, true, 0, false},
        {SIGINT, false, 6, true},  // Ctrl+C, the stop confirmed by --yes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signal);
        writeFile(dir.file("out.csv"), "old");
        writeFile(dir.file("err.txt"), "old");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (chdir(dir.path().c_str()) != 0) _exit(99);
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            const std::string program = binPath("zelko7");
            execl(program.c_str(), program.c_str(), "convert", "csv", "--source", "in.csv",
                  "--dest", "out.csv", "--fields", "1", "--error-file", "err.txt",
                  "--no-max-errors", "--yes", static_cast<char*>(nullptr));
            _exit(98);
        }
        // The signal comes while the temporaries lie beside the old files.
        for (int i = 0; i < 2000 && hiddenFiles(dir.path()) < 2; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        kill(child, c.signal);
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (c.killed) {
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(WTERMSIG(status), c.signal);
        } else {
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), c.status);
        }
        EXPECT_EQ(readFile(dir.file("out.csv")) != "old", c.replaced);
        EXPECT_EQ(readFile(dir.file("err.txt")) != "old", c.replaced);
        EXPECT_LT(readFile(dir.file("out.csv")).size(), source.size()) << "ended before the end";
        EXPECT_EQ(hiddenFiles(dir.path()), 0);
    }
}

TEST(CommandOutcome, NoDictionaryNamesEveryFolderLookedIn) {
    TempDir dir;
    for (const char* file : {"zelko7", "libkeszip.so"})
        std::filesystem::copy_file(binPath(file), dir.file(file));
    writeFile(dir.file("in.csv"), "a\r\n");
    std::string out;
    const int status =
        runCommand("cd '" + dir.path() + "' && KESZIP_DICTIONARY_DIR='" + dir.file("elsewhere") +
                       "' ./zelko7 convert csv --source "
                       "in.csv --dest out.csv --fields 1 --yes 2>&1",
                   &out);
    EXPECT_EQ(status, 4) << out;
    EXPECT_NE(out.find("  " + dir.path()), std::string::npos) << out;
    EXPECT_NE(out.find("  " + dir.file("elsewhere")), std::string::npos) << out;
}
