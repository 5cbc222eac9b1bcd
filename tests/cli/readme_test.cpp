// Every command example of the README, run as written against the real
// dictionary beside the programs, so that the README cannot drift from what
// the tools do. A "→" line under an example is the first line it prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

struct Example {
    std::string command;   // as written, without its comment
    std::string expected;  // the "→" line, or empty
    int line = 0;
};

std::string trimEnd(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::vector<Example> readmeExamples() {
    std::ifstream in(KESZIP_README);
    std::vector<Example> examples;
    std::string line;
    bool inCode = false;
    int number = 0;
    const std::string arrow = "#   \xE2\x86\x92 ";  // "#   → "
    while (std::getline(in, line)) {
        ++number;
        if (line.rfind("```", 0) == 0) {
            inCode = !inCode;
            continue;
        }
        if (!inCode) continue;
        if (line.rfind("build/bin/", 0) == 0) {
            Example e;
            e.command = trimEnd(line.substr(0, line.find("  #")));
            e.line = number;
            examples.push_back(e);
        } else if (line.rfind(arrow, 0) == 0 && !examples.empty()) {
            examples.back().expected = trimEnd(line.substr(arrow.size()));
        }
    }
    return examples;
}

std::string firstLine(const std::string& text) { return trimEnd(text.substr(0, text.find('\n'))); }

}  // namespace

TEST(Readme, EveryCommandExampleRunsAsWritten) {
    KESZIP_REQUIRE_REAL_DATA();
    const std::vector<Example> examples = readmeExamples();
    ASSERT_GE(examples.size(), 20u) << "the README's examples were not found";

    // The files the examples name, in the folder they run in.
    TempDir dir;
    writeFile(dir.file("addresses.txt"), "東京都千代田区霞が関1-2-3\n北海道札幌市北区北八条西\n");
    writeFile(dir.file("in.csv"),
              sj("東京都,千代田区霞が関1-2-3\r\n北海道,札幌市北区北八条西\r\n"));
    std::string record = sj("東京都千代田区霞が関1-2-3");
    record.resize(40, ' ');
    writeFile(dir.file("in.txt"), record + "rest\r\n");
    std::filesystem::create_symlink(testing_support::dataPath("ken_all.zip"),
                                    dir.file("ken_all.zip"));
    std::filesystem::create_symlink(testing_support::dataPath("editions"), dir.file("editions"));
    std::filesystem::create_directory(dir.file("DIR"));
    std::filesystem::copy_file(testing_support::fixturePath("workbooks/xlwt_book.xls"),
                               dir.file("in.xls"));
    const std::string bin = std::filesystem::path(binPath("keszip")).parent_path().string();
    // The table of the database example.
    ASSERT_EQ(runCommand("/usr/bin/python3 -c \"import sqlite3; d = sqlite3.connect('" +
                         dir.file("addr.db") +
                         "'); d.execute('CREATE TABLE 顧客 (県 VARCHAR(10), 住所 TEXT, 郵便番号 "
                         "VARCHAR(8))'); d.execute(\\\"INSERT INTO 顧客 VALUES ('東京都', "
                         "'千代田区霞が関1-2-3', NULL)\\\"); d.commit()\""),
              0);

    for (const Example& e : examples) {
        SCOPED_TRACE("README line " + std::to_string(e.line) + ": " + e.command);
        const std::string command =
            "cd '" + dir.path() + "' && '" + bin + "'/" +
            e.command.substr(std::string("build/bin/").size()) + " 2>stderr.txt" +
            (e.command.find(" < ") == std::string::npos ? " </dev/null" : "");
        std::string out;
        EXPECT_EQ(runCommand(command, &out), 0) << readFile(dir.file("stderr.txt"));
        if (e.command.find(" > ") != std::string::npos) {
            EXPECT_TRUE(out.empty());
        } else {
            EXPECT_FALSE(out.empty()) << readFile(dir.file("stderr.txt"));
        }
        if (!e.expected.empty()) {
            EXPECT_EQ(firstLine(out), e.expected);
        }
    }

    // What the examples wrote.
    EXPECT_EQ(readFile(dir.file("codes.txt")),
              "1\t100-0013\t100   \t1-2-3\t13101\n1\t060-0808\t060   \t\t01102\n");
    EXPECT_EQ(readFile(dir.file("bar.bmp")).substr(0, 2), "BM");
    EXPECT_TRUE(std::filesystem::exists(dir.file("DIR/KESZIP.DIC")));
    EXPECT_EQ(readFile(dir.file("out.csv")).substr(0, 10), "\"1000013\",");
    EXPECT_EQ(readFile(dir.file("out.txt")).substr(0, 8), "1000013 ");
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.xls")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("addr.db.BKP")));
    std::string zip;
    runCommand("/usr/bin/python3 -c \"import sqlite3; print(sqlite3.connect('" +
                   dir.file("addr.db") + "').execute('SELECT 郵便番号 FROM 顧客').fetchone()[0])\"",
               &zip);
    EXPECT_EQ(zip, "1000013\n");
}

TEST(Readme, HoldsNoLeftoversOfAMerge) {
    std::ifstream in(KESZIP_README);
    ASSERT_TRUE(in) << KESZIP_README;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const bool marker =
            line.rfind("<<<<<<< ", 0) == 0 || line == "=======" || line.rfind(">>>>>>> ", 0) == 0;
        EXPECT_FALSE(marker) << "README line " << number << " is a conflict marker: " << line;
    }
}
