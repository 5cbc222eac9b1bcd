#include "table_command.h"

#include <cmdline/arguments.h>
#include <cmdline/text_io.h>

#include <iostream>

#include "conversion/address_engine.h"
#include "conversion/conversion_run.h"
#include "conversion/page_checks.h"
#include "conversion/sjis_literal.h"
#include "conversion/table_page.h"
#include "conversion/table_run.h"
#include "conversion/table_start.h"
#include "database/dao_table.h"
#include "exit_status.h"

namespace converter {
namespace {

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
    auto given = [&sub](const char* name) { return cmdline::optionGiven(sub, name); };
    cmdline::TextIo io(a.sjis);
    TablePageFields page;
    page.database = given("--database") ? a.database : options.SFileName;
    if (!io.toEngine(a.table, page.table))
        return notStarted("the table name has no Shift-JIS form");
    if (!io.toEngine(a.destField, page.destinationField))
        return notStarted("the destination field name has no Shift-JIS form");
    std::string names;
    if (!io.toEngine(a.tableFields, names)) return notStarted("a field name has no Shift-JIS form");
    if (!names.empty()) {
        const std::vector<std::string> fields = cmdline::splitList(names, ',');
        for (std::size_t count = 0; count < fields.size(); ++count) {
            if (count == 4) return notStarted("--fields takes up to four field names");
            page.addressFields[count] = fields[count];
        }
    }
    bool backup = params.AccessExcelBackUpFlg != 0;
    if (given("--backup")) backup = true;
    if (given("--no-backup")) backup = false;

    long long first = 0, last = 0;
    if (given("--range") && !parseRange(a.range, first, last))
        return notStarted("--range takes FIRST-LAST");
    if (backup && isOdbcName(page.database) && page.database.find("DBQ=") == std::string::npos &&
        page.database.find("dbq=") == std::string::npos) {
        if (given("--backup"))
            return notStarted("a server database has no file to back up; leave out --backup");
        // The box was ticked once on the desktop program's table page and kept.
        return notStarted(
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
