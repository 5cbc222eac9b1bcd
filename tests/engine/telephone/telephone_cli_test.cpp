// The telephone subcommands of the keszip tool, through the shared library.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::runCommand;

namespace {

std::string keszip(const std::string& args, int* status = nullptr) {
    std::string out;
    const int rc = runCommand(binPath("keszip") + " " + args, &out);
    if (status) *status = rc;
    return out;
}

TEST(RenumberCommand, PrintsTheNewNumberInItsWidth) {
    EXPECT_EQ(keszip("renumber --date 19990101 030-12-34567"), "090-312-34567\n");
    EXPECT_EQ(keszip("renumber --date 19990101 '０３０－１２－３４５６７'"),
              "０９０－３１２－３４５６７\n");
    EXPECT_EQ(keszip("renumber 0273-12-3456"), "027-312-3456\n");  // default: today
}

TEST(RenumberCommand, PrintsNothingWhenNoRuleApplies) {
    int status = -1;
    EXPECT_EQ(keszip("renumber --date 19990101 0720-12-3456", &status), "");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(keszip("renumber --date 0 030-12-34567", &status), "");
    EXPECT_EQ(status, 0);
}

TEST(RenumberCommand, RefusesABadDate) {
    int status = 0;
    EXPECT_EQ(keszip("renumber --date 1999010 030-12-34567 2>/dev/null", &status), "");
    EXPECT_NE(status, 0);
}

}  // namespace
