// The copy of a workbook is written under the extension of its kind: a
// destination named for the other kind is refused (exit 10) and nothing is
// written.
#include <gtest/gtest.h>
#include <unistd.h>

#include "conversion/excel_run.h"
#include "support/test_support.h"

using testing_support::TempDir;

TEST(CopyExtension, DestinationMustNameTheKindWritten) {
    const struct {
        const char* source;
        const char* destination;
        bool fits;
    } cases[] = {
        {"workbooks/xlwt_book.xls", "out.xls", true},
        {"workbooks/xlwt_book.xls", "OUT.XLS", true},
        {"workbooks/xlwt_book.xls", "out.xlsx", false},
        {"workbooks/xlwt_book.xls", "out.csv", false},
        {"xlsx/inline_book.xlsx", "out.xlsx", true},
        {"xlsx/inline_book.xlsx", "out.xls", false},
        {"xlsx/inline_book.xlsx", "xlsx", false},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        const std::string source = testing_support::fixturePath(c.source);
        EXPECT_EQ(converter::destinationFitsCopy(source, c.destination), c.fits);
        if (c.fits) continue;
        std::string output;
        const std::string out = dir.file(c.destination);
        EXPECT_EQ(testing_support::runCommand(
                      testing_support::binPath("zelko7") + " convert excel --source " + source +
                          " --dest " + out +
                          " --sheet x --columns A --dest-column B --yes --no-error-file 2>&1",
                      &output),
                  10)
            << output;
        EXPECT_NE(output.find(converter::copyExtensionFor(source)), std::string::npos) << output;
        EXPECT_NE(::access(out.c_str(), F_OK), 0);
    }
}
