#include "table_command.h"

#include <platform/sjis.h>

#include <iostream>

#include "address_engine.h"
#include "conversion_run.h"
#include "dao_table.h"
#include "page_checks.h"
#include "sjis_literal.h"
#include "table_page.h"
#include "table_run.h"
#include "table_start.h"

namespace converter {
namespace {

constexpr int kNotStarted = 10;

int fail(const std::string& text) {
    std::cerr << "zelko7: " << text << '\n';
    return kNotStarted;
}

// The user's text (UTF-8 unless --sjis) as Shift-JIS; false when it has none.
bool toSjis(const std::string& text, bool sjis, std::string& out) {
    if (sjis) {
        out = text;
        return true;
    }
    auto converted = platform::utf8ToSjis(text);
    if (converted) out = *converted;
    return converted.has_value();
}

bool parseRange(const std::string& text, long long& first, long long& last) {
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) return false;
    try {
        std::size_t used = 0;
        first = std::stoll(text.substr(0, dash), &used);
        if (used != dash) return false;
        last = std::stoll(text.substr(dash + 1), &used);
        return used == text.size() - dash - 1;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

CLI::App* addTableCommand(CLI::App& convert, ConvertArguments& args, std::string& selected) {
    auto* table = convert.add_subcommand(
        "table", "Database table, converted in place (SQLite file or odbc:CONNECTION)");
    table->add_option("--database", args.database,
                      "SQLite database file, or odbc: followed by an ODBC connection string "
                      "or data source name");
    table->add_option("--table", args.table, "Table name");
    table->add_option("--fields", args.tableFields, "Address field names A[,B,C,D] (up to 4)");
    table->add_option("--dest-field", args.destField, "Text field that receives the result");
    table->add_flag("--backup", args.backup, "Copy the database file to FILE.BKP first");
    table->add_flag("--no-backup", args.noBackup, "Make no backup copy");
    table->callback([&selected] { selected = "table"; });
    return table;
}

int runTableConvert(const CLI::App& sub, const ConvertArguments& a, TerminalHost& host,
                    OptionsBlock& options, const CnvParamBlock& params) {
    auto given = [&sub](const char* name) {
        const CLI::Option* option = sub.get_option_no_throw(name);
        return option != nullptr && option->count() > 0;
    };
    TablePageFields page;
    page.database = given("--database") ? a.database : options.SFileName;
    if (!toSjis(a.table, a.sjis, page.table)) return fail("the table name has no Shift-JIS form");
    if (!toSjis(a.destField, a.sjis, page.destinationField))
        return fail("the destination field name has no Shift-JIS form");
    std::string names;
    if (!toSjis(a.tableFields, a.sjis, names)) return fail("a field name has no Shift-JIS form");
    std::size_t count = 0;
    for (std::size_t pos = 0; !names.empty() && pos <= names.size(); ++count) {
        std::size_t end = names.find(',', pos);
        if (end == std::string::npos) end = names.size();
        if (count == 4) return fail("--fields takes up to four field names");
        page.addressFields[count] = names.substr(pos, end - pos);
        pos = end + 1;
    }
    bool backup = params.AccessExcelBackUpFlg != 0;
    if (given("--backup")) backup = true;
    if (given("--no-backup")) backup = false;

    long long first = 0, last = 0;
    if (given("--range") && !parseRange(a.range, first, last))
        return fail("--range takes FIRST-LAST");
    if (backup && isOdbcName(page.database) && page.database.find("DBQ=") == std::string::npos &&
        page.database.find("dbq=") == std::string::npos) {
        if (given("--backup"))
            return fail("a server database has no file to back up; leave out --backup");
        // The box was ticked once on the desktop program's table page and kept.
        return fail(
            "a server database has no file to back up, and the backup box is ticked "
            "in the settings file " +
            SettingsPath() +
            " ([CnvParam] AccessExcelBackUpFlg=1); pass --no-backup, or untick the "
            "backup box on the desktop program's table page");
    }

    // The questions on the terminal, the range from the command line, the
    // run in this process.
    class Front final : public TableRunFront {
      public:
        Front(TerminalHost& host, long long first, long long last, int hyphen)
            : host_(host), first_(first), last_(last), hyphen_(hyphen) {}
        void refuse(const TablePageCheck& check) override { host_.showMessage(check.message); }
        bool ask(std::string_view text, std::string_view caption) override {
            return host_.ask(text, caption);
        }
        bool askRange(ConversionJob& job) override {
            PageCheck c = checkRange(first_, last_, job);
            if (!c.ok()) host_.showMessage(c.message);
            return c.ok();
        }
        int run(const ConversionJob& job, const TableJob& tableJob, Table& table) override {
            KesZipEngine engine;
            host_.catchInterrupt();
            engine.setHyphenMode(hyphen_);
            // A relative error file name, the default one's included, lies in
            // the current folder, as with every other kind.
            return AccessRun(job, tableJob, table, engine, host_, "");
        }
        void showMessage(int code) override { host_.showMessage(code); }

      private:
        TerminalHost& host_;
        long long first_, last_;
        int hyphen_;
    } front(host, first, last, options.HyphenMode);
    CnvParamBlock kept = params;
    const int code = startTableConversion(databaseTables(), page, given("--range"), backup, options,
                                          kept, front);
    return code < 0 ? kNotStarted : code;
}

}  // namespace converter
