// The tel and tel-decide subcommands over the real KESTEL.DIC.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

using testing_support::binPath;
using testing_support::runCommand;

namespace {

std::vector<std::vector<std::string>> lines(const std::string& args) {
    std::string out;
    EXPECT_EQ(runCommand(binPath("keszip") + " " + args, &out), 0);
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        rows.push_back(fields);
    }
    return rows;
}

TEST(TelCommand, TokyoNumbersMapToTheWards) {
    KESZIP_REQUIRE_REAL_DATA();
    const auto rows = lines("tel 03");
    ASSERT_GT(rows.size(), 1000u);
    bool chiyoda = false;
    for (const auto& r : rows) {
        ASSERT_EQ(r.size(), 9u);
        EXPECT_EQ(r[2], "東京都");
        EXPECT_EQ(r[1].size(), 7u);
        EXPECT_EQ(std::to_string(std::count(r[8].begin(), r[8].end(), ',') + 1), r[7]);
        chiyoda = chiyoda || r[3] == "千代田区";
    }
    EXPECT_TRUE(chiyoda);
    const auto decided = lines("tel-decide 03-3");
    ASSERT_EQ(decided.size(), 1u);
    EXPECT_EQ(decided[0], (std::vector<std::string>{"1", "東京都", "", "", "", ""}));
}

TEST(TelCommand, OsakaAndRenumberedCodes) {
    KESZIP_REQUIRE_REAL_DATA();
    const auto rows = lines("tel --hyphen 06-6");
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][2], "大阪府");
    EXPECT_EQ(rows[0][1].substr(3, 1), "-");
    // 06 also reaches into Hyogo: the towns share no prefecture.
    EXPECT_EQ(lines("tel-decide 06-6")[0][0], "0");
    // The data holds today's codes: a base date leaves them as they are.
    const auto current = lines("tel 027-3");
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(lines("tel --date 19990101 027-3"), current);
    EXPECT_TRUE(lines("tel 0").empty());
}

}  // namespace
