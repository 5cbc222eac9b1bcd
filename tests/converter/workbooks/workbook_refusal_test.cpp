// Workbooks that zelko7 convert excel cannot read say why: a password, or no
// sheet of the name asked for (the sheets listed).
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "workbook_builder.h"
#include "workbooks/workbook_encryption.h"

using namespace testbook;
using testing_support::binPath;
using testing_support::runCommand;
using testing_support::TempDir;

TEST(WorkbookRefusal, PasswordOrMissingSheetIsNamed) {
    TempDir dir;
    const std::string cells = basicFormats(true);
    const std::vector<Sheet> sheets = {{"Numbers", false, 0, number(0, 0, 1)},
                                       {"Names", false, 0, number(0, 0, 2)}};
    // A FILEPASS record after the BOF: RC4 encryption, its header bytes.
    const std::string filePass = record(0x002F, u16(1) + u16(1) + u16(1) + std::string(48, 'k'));
    ASSERT_TRUE(
        writeCompound(dir.file("plain.xls"), {{"Workbook", workbookStream(true, sheets, cells)}}));
    ASSERT_TRUE(writeCompound(dir.file("locked.xls"),
                              {{"Workbook", workbookStream(true, sheets, filePass + cells)}}));
    ASSERT_TRUE(writeCompound(
        dir.file("locked.xlsx"),
        {{"EncryptionInfo", std::string(64, 'i')}, {"EncryptedPackage", std::string(64, 'p')}}));
    struct Case {
        const char* file;
        const char* sheet;
        bool encrypted;
        int status;
        const char* said;
    };
    const Case cases[] = {
        {"plain.xls", "numbers", false, 1,
         "no sheet named 'numbers' (letter case counts); its sheets: Numbers, Names"},
        {"locked.xls", "Numbers", true, 1, "protected by a password"},
        {"locked.xlsx", "Numbers", true, 1, "protected by a password"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(workbooks::isEncryptedWorkbook(dir.file(c.file)), c.encrypted);
        std::string out;
        const int status =
            runCommand(binPath("zelko7") + " convert excel --source " + dir.file(c.file) +
                           " --dest " + dir.file("out.xls") + " --sheet " + c.sheet +
                           " --columns A --dest-column B --no-error-file --yes 2>&1",
                       &out);
        EXPECT_EQ(status, c.status) << out;
        EXPECT_NE(out.find("変換元ファイルがオープンできません。"), std::string::npos) << out;
        EXPECT_NE(out.find(c.said), std::string::npos) << out;
    }
    EXPECT_FALSE(workbooks::isEncryptedWorkbook(dir.file("missing.xls")));
}
