// keszip lookup on several engines at once: the same lines, in the same
// order, with the same diagnostics beside them, as one engine prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::runCommand;
using testing_support::TempDir;

namespace {

TEST(LookupThreads, OutputIsTheSameForAnyNumberOfEngines) {
    KESZIP_REQUIRE_REAL_DATA();
    TempDir dir;
    // Enough lines for many batches, with placed, unplaced and unreadable ones.
    std::string input;
    const char* kAddresses[] = {"東京都千代田区霞が関1-2-3", "大阪府大阪市北区梅田1-1",
                                "北海道札幌市中央区旭ケ丘2", "どこにもない町",
                                "京都府京都市中京区",        "千代田区飯田橋3"};
    for (int i = 0; i < 3000; ++i) {
        input += kAddresses[i % 6];
        input += i % 997 == 5 ? "\xFF\n" : "\n";  // now and then a line that is not UTF-8
    }
    testing_support::writeFile(dir.file("in.txt"), input);
    auto run = [&](const std::string& threads, std::string& err) {
        std::string out;
        const std::string errFile = dir.file("err" + threads + ".txt");
        EXPECT_EQ(runCommand("'" + binPath("keszip") + "' lookup --threads " + threads + " < '" +
                                 dir.file("in.txt") + "' 2> '" + errFile + "'",
                             &out),
                  0);
        err = testing_support::readFile(errFile);
        return out;
    };
    std::string err1, err3;
    const std::string one = run("1", err1);
    const std::string three = run("3", err3);
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 3000);
    EXPECT_EQ(one, three);
    EXPECT_EQ(err1, err3);
    EXPECT_NE(err1.find("line 6 has"), std::string::npos) << err1;
    // A line without a place has no old code, address number or municipality.
    EXPECT_NE(one.find("0\tERR-003\t\t\t\n"), std::string::npos);

    std::string out;
    EXPECT_NE(runCommand("'" + binPath("keszip") + "' lookup --threads 0 x 2>/dev/null", &out), 0);
}

}  // namespace
