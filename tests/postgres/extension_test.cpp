// The keszip PostgreSQL extension on a private server started by the tests:
// the functions are created from the extension's script with the built
// library's absolute path, and their answers are compared with the command
// line tool's on real addresses.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "converter/database/postgres_server.h"
#include "support/test_support.h"

using database_test::PostgresServer;
using testing_support::binPath;
using testing_support::runCommand;

namespace {

struct Case {
    std::string sql, answer;
};

const char* const kAddress = "東京都千代田区霞が関1-2-3";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// What `keszip ARGUMENTS` prints for the lines of `input`.
std::vector<std::string> keszip(const std::string& arguments, const std::string& input = "") {
    testing_support::TempDir dir;
    testing_support::writeFile(dir.file("in.txt"), input);
    std::string output;
    EXPECT_EQ(runCommand("'" + binPath("keszip") + "' " + arguments + " < '" + dir.file("in.txt") +
                             "' 2>/dev/null",
                         &output),
              0);
    return lines(output);
}

// The five fields of keszip_lookup as `keszip lookup` prints them.
const char* const kLookupLine =
    "concat_ws(E'\\t', r.flags, r.code, r.old_code, r.address_number, r.local_code)";

class PostgresExtension : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = std::make_unique<PostgresServer>();
        if (server->ready())
            server->sql(testing_support::readFile(KESZIP_POSTGRES_DIR "/keszip_build_tree.sql"));
    }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        if (server->missing()) GTEST_SKIP() << server->problem();
        ASSERT_TRUE(server->ready()) << server->problem();
        KESZIP_REQUIRE_REAL_DATA();
    }
    // 10,000 real addresses spread over the country, some written with en
    // dashes or with characters Shift-JIS lacks, in table `addresses`.
    static const std::vector<std::string>& realAddresses() {
        static std::vector<std::string> addresses;
        if (!addresses.empty()) return addresses;
        std::string output;
        EXPECT_EQ(runCommand("'" + binPath("make_addresses") + "' '" + KESZIP_DATA +
                                 "/ken_all.zip' 120000",
                             &output),
                  0);
        const std::vector<std::string> all = lines(output);
        for (std::size_t i = 0; i < all.size(); i += 12) addresses.push_back(all[i]);
        for (std::size_t i = 0; i < addresses.size(); i += 7)
            for (std::size_t at; (at = addresses[i].find('-')) != std::string::npos;)
                addresses[i].replace(at, 1, "\u2013");
        for (std::size_t i = 3; i < addresses.size(); i += 11) addresses[i] += " 凮ビルⅪ階";
        testing_support::TempDir dir;
        std::string text;
        for (const auto& a : addresses) text += a + "\n";
        testing_support::writeFile(dir.file("addresses.txt"), text);
        server->sql(
            "CREATE TABLE addresses (id serial PRIMARY KEY, address text);"
            "COPY addresses (address) FROM STDIN;\n" +
            text + "\\.\n");
        return addresses;
    }
    static std::string joined(const std::vector<std::string>& addresses) {
        std::string text;
        for (const auto& a : addresses) text += a + "\n";
        return text;
    }
    static std::unique_ptr<PostgresServer> server;
};
std::unique_ptr<PostgresServer> PostgresExtension::server;

TEST_F(PostgresExtension, RealAddressesAnswerAsKeszipLookup) {
    const auto& addresses = realAddresses();
    ASSERT_EQ(addresses.size(), 10000u);
    const auto expected = keszip("lookup", joined(addresses));
    ASSERT_EQ(expected.size(), addresses.size());
    EXPECT_EQ(lines(server->sql(std::string("SELECT ") + kLookupLine +
                                " FROM addresses, keszip_lookup(address) r ORDER BY id")),
              expected);
    std::vector<std::string> codes;
    for (const auto& line : expected)
        codes.push_back(line[0] == '0' ? "" : line.substr(line.find('\t') + 1, 7));
    EXPECT_EQ(lines(server->sql("SELECT keszip_code(address) FROM addresses ORDER BY id")), codes);
    const std::vector<std::string> some(addresses.begin(), addresses.begin() + 500);
    EXPECT_EQ(lines(server->sql(std::string("SELECT ") + kLookupLine +
                                " FROM addresses, keszip_lookup(address, true) r WHERE id <= 500 "
                                "ORDER BY id")),
              keszip("lookup --hyphen", joined(some)));
    EXPECT_EQ(server->sql(std::string("SELECT keszip_code(") + quoted(kAddress) + ")"), "1000013");
}

TEST_F(PostgresExtension, ParallelQuerySpreadsOverTwoWorkers) {
    const auto& addresses = realAddresses();
    int placed = 0;
    for (const auto& line : keszip("lookup", joined(addresses))) placed += line[0] != '0';
    const std::string settings =
        "SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0;"
        "SET parallel_tuple_cost = 0; SET min_parallel_table_scan_size = 0;";
    const std::string query = "SELECT count(*) FROM addresses WHERE keszip_code(address) <> ''";
    const std::string plan =
        server->sql(settings + "EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF) " + query);
    EXPECT_NE(plan.find("Workers Planned: 2"), std::string::npos) << plan;
    EXPECT_NE(plan.find("Workers Launched: 2"), std::string::npos) << plan;
    EXPECT_NE(plan.find("Parallel Seq Scan"), std::string::npos) << plan;
    EXPECT_EQ(server->sql(settings + query), std::to_string(placed));
    // An index over the codes, as IMMUTABLE functions allow.
    EXPECT_EQ(server->sql("CREATE INDEX addresses_code ON addresses (keszip_code(address));"
                          "SET enable_seqscan = off;"
                          "SELECT count(*) FROM addresses WHERE keszip_code(address) = '1000013'"),
              server->sql("SET enable_indexscan = off; SET enable_bitmapscan = off;"
                          "SELECT count(*) FROM addresses WHERE keszip_code(address) = '1000013'"));
}

// Code to address and the search by partial address, against `keszip code`
// and `keszip search`; the old code as the engine gives it.
TEST_F(PostgresExtension, SearchesListWhatTheCommandLineLists) {
    struct Case {
        std::string sql, arguments;
    };
    const Case cases[] = {
        {"SELECT concat_ws(E'\\t', prefecture, city, municipality, town, town_note) FROM "
         "keszip_search('東京都千代田区霞')",
         "search 東京都千代田区霞"},
        {"SELECT concat_ws(E'\\t', prefecture, city, municipality, town, town_note) FROM "
         "keszip_search('北海道*')",
         "search '北海道*'"},
        {"SELECT concat_ws(E'\\t', flags, code7, prefecture, city, ward, town, town_note) FROM "
         "keszip_address('100')",
         "code 100"},
        {"SELECT concat_ws(E'\\t', flags, code7, prefecture, city, ward, town, town_note) FROM "
         "keszip_address('060-0001')",
         "code 060-0001"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (const auto& line : keszip(c.arguments)) {
            if (c.arguments.rfind("code", 0) == 0) {  // without the old code (second field)
                const auto tab = line.find('\t');
                expected.push_back(line.substr(0, tab) + line.substr(line.find('\t', tab + 1)));
            } else {
                expected.push_back(line);
            }
        }
        EXPECT_FALSE(expected.empty()) << c.arguments;
        EXPECT_EQ(lines(server->sql(c.sql)), expected) << c.sql;
    }
    EXPECT_EQ(server->sql("SELECT old_code FROM keszip_address('1000013')"), "10000");
    EXPECT_EQ(server->sql("SELECT keszip_version()"), keszip("version")[1].substr(8));
}

// keszip.dictionary_dir names the dictionaries of every function, the
// searches and the edition included: a small dictionary of its own here.
TEST_F(PostgresExtension, EveryFunctionReadsTheConfiguredDictionary) {
    using testing_support::kenAllRow;
    testing_support::TempDir dir;
    ASSERT_EQ(testing_support::buildDictionary(
                  dir,
                  kenAllRow("13101", "100  ", "1000013", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐｶﾞｾｷ", "東京都",
                            "千代田区", "霞が関") +
                      kenAllRow("13101", "100  ", "1000099", "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ｶｽﾐﾁｮｳ", "東京都",
                                "千代田区", "霞町"),
                  "--edition 1234"),
              0);
    // The server runs as another user when the tests run as root.
    std::filesystem::permissions(
        dir.path(),
        std::filesystem::perms::group_exec | std::filesystem::perms::others_exec |
            std::filesystem::perms::group_read | std::filesystem::perms::others_read,
        std::filesystem::perm_options::add);
    const std::string set = "SET keszip.dictionary_dir = " + quoted(dir.path()) + ";";
    const Case cases[] = {
        {"SELECT keszip_version()", "1234"},
        {"SELECT string_agg(town, ' ') FROM keszip_search('東京都千代田区霞')", "霞が関 霞町"},
        {"SELECT string_agg(town, ' ') FROM keszip_address('1000099')", "霞町"},
        {"SELECT keszip_code('東京都千代田区霞町1')", "1000099"},
    };
    for (const auto& c : cases) EXPECT_EQ(server->sql(set + c.sql), c.answer) << c.sql;
    // Without the setting, the build's own dictionaries again.
    EXPECT_EQ(server->sql("SELECT keszip_version()"), keszip("version")[1].substr(8));
    EXPECT_EQ(server->sql("SELECT keszip_code('東京都千代田区霞町1') <> '1000099'"), "t");
}

// Input a person could not have meant gets a result or a clear error, and
// the backend keeps serving.
TEST_F(PostgresExtension, BadInputIsAResultOrAClearError) {
    const Case cases[] = {
        {"SELECT keszip_code('')", ""},
        {"SELECT keszip_lookup('')", "(0,ERR-003,\"\",\"\",\"\")"},
        {"SELECT keszip_code(repeat('1', 100000))", ""},
        {"SELECT keszip_code('😀')", ""},
        {"SELECT keszip_code(NULL) IS NULL", "t"},
        {"SELECT keszip_code(" + quoted(std::string(kAddress) + " 凮") + ")", "1000013"},
        {"SELECT keszip_code('東京都千代田区霞が関1\u20122\u20123')", "1000013"},
        {"SELECT count(*) FROM keszip_address('')", "0"},
        {"SELECT count(*) FROM keszip_address('abc')", "0"},
        {"SELECT count(*) FROM keszip_address('9999999')", "0"},
        {"SELECT count(*) FROM keszip_address(repeat('1', 100000))", "0"},
        {"SELECT count(*) FROM keszip_search('')", "0"},
        {"SELECT count(*) FROM keszip_search(repeat('東', 100000))", "0"},
        {"SELECT count(*) FROM keszip_search('😀')", "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(server->sql(c.sql), c.answer) << c.sql;
    // 140,000 bytes of address: answered as the command line answers it.
    std::string longAddress;
    for (int i = 0; i < 20000; ++i) longAddress += "東京都千代田区";
    EXPECT_EQ(server->sql("SELECT " + std::string(kLookupLine) +
                          " FROM keszip_lookup(repeat('東京都千代田区', 20000)) r"),
              keszip("lookup", longAddress + "\n").at(0));

    // Errors PostgreSQL or the extension raise, each followed by a query
    // that still answers.
    const char* const refused[][2] = {
        {"SELECT keszip_code(chr(0))", "null character not permitted"},
        {"SET keszip.dictionary_dir = '/nonexistent'; SELECT keszip_code('x')",
         "the dictionary files could not be opened"},
    };
    for (const auto& r : refused) {
        try {
            server->sql(r[0]);
            ADD_FAILURE() << r[0] << " did not fail";
        } catch (const std::exception& e) {
            EXPECT_NE(std::string(e.what()).find(r[1]), std::string::npos) << e.what();
        }
        EXPECT_EQ(server->sql(std::string("SELECT keszip_code(") + quoted(kAddress) + ")"),
                  "1000013");
    }
    // The dictionary folder named explicitly: the build's own.
    EXPECT_EQ(server->sql(std::string("SET keszip.dictionary_dir = ") +
                          quoted(binPath("").substr(0, binPath("").size() - 1)) +
                          "; SELECT keszip_code(" + quoted(kAddress) + ")"),
              "1000013");
}

// Databases in other encodings: texts are converted to UTF-8 and back by
// the server; bytes that are not UTF-8 in a SQL_ASCII database are a result
// error of the lookup and a clear error of the search.
TEST_F(PostgresExtension, OtherServerEncodings) {
    const std::string script =
        testing_support::readFile(KESZIP_POSTGRES_DIR "/keszip_build_tree.sql");
    server->sql(
        "CREATE DATABASE euc ENCODING 'EUC_JP' TEMPLATE template0;"
        "CREATE DATABASE raw ENCODING 'SQL_ASCII' TEMPLATE template0;");
    server->sql("\\c euc\n" + script + "\\c raw\n" + script);
    // psql talks UTF-8 to each database: the server converts.
    const std::string euc = "\\c euc\nSET client_encoding = 'UTF8';\n";
    EXPECT_EQ(server->sql(euc + std::string("SELECT keszip_lookup(") + quoted(kAddress) + ")"),
              "(1,1000013,\"100  \",1-2-3,13101)");
    EXPECT_EQ(server->sql(euc + "SELECT town FROM keszip_address('1000013')"), "霞が関");
    EXPECT_EQ(server->sql(euc + "SELECT count(*) FROM keszip_search('東京都千代田区霞')"),
              std::to_string(keszip("search 東京都千代田区霞").size()));
    EXPECT_EQ(server->sql(std::string("\\c raw\nSELECT keszip_code(") + quoted(kAddress) + ")"),
              "1000013");
    EXPECT_EQ(server->sql("\\c raw\nSELECT keszip_lookup(E'\\377\\376')"),
              "(0,ERR-003,\"\",\"\",\"\")");
    try {
        server->sql("\\c raw\nSELECT * FROM keszip_search(E'\\377')");
        ADD_FAILURE() << "keszip_search took bytes that are not UTF-8";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("not UTF-8"), std::string::npos) << e.what();
    }
}

}  // namespace
