#include "convert_command.h"

#include <cmdline/arguments.h>
#include <cmdline/text_io.h>
#include <platform/paths.h>
#include <platform/sjis_bytes.h>

#include <iostream>
#include <memory>
#include <vector>

#include "conversion/address_engine.h"
#include "conversion/conversion_run.h"
#include "conversion/csv_line.h"
#include "conversion/excel_run.h"
#include "conversion/page_checks.h"
#include "conversion/run_start.h"
#include "conversion/settings.h"
#include "conversion/sjis_literal.h"
#include "conversion/text_encoding.h"
#include "exit_status.h"
#include "table_command.h"
#include "terminal_host.h"
#include "workbooks/workbook_encryption.h"
#include "workbooks/xlsx/workbook_kind_choice.h"

namespace converter {
namespace {

// The run's last lines: its counts, and how it ended when not complete. The
// exit status tells the outcomes apart.
int endOfRun(int code, const TerminalHost& host) {
    if (code == kEngineNotOpened) {
        std::cerr << "zelko7: the dictionary files were looked for in:\n";
        for (const std::string& folder : KesZipEngine::dictionaryFolders())
            std::cerr << "  " << folder << '\n';
        std::cerr << "(set KESZIP_DICTIONARY_DIR to the folder that holds them)\n";
    }
    if (code != kRunEnded || !host.summary()) return code;
    const RunSummary& s = *host.summary();
    if (s.outcome == RunOutcome::Abandoned) {
        std::cerr << "zelko7: ended by signal " << abandoningSignal()
                  << "; the destination and the error file were left as they were\n";
        return 128 + abandoningSignal();
    }
    std::cout << "records read " << s.read << ", converted " << s.converted << ", errors "
              << s.errors << std::endl;
    switch (s.outcome) {
        case RunOutcome::Complete:
        case RunOutcome::Abandoned:
            return 0;
        case RunOutcome::ErrorMaximum:
            std::cerr << "zelko7: stopped at the error maximum; the output holds the records "
                         "up to there\n";
            return kStoppedAtErrorMaximum;
        case RunOutcome::Stopped:
            std::cerr << "zelko7: stopped by the user; the output holds the records up to there\n";
            return kStoppedByUser;
        case RunOutcome::WriteError:
            std::cerr << "zelko7: write error; the destination and the error file were left as "
                         "they were\n";
            return kWriteError;
    }
    return code;
}

void addCommon(CLI::App& sub, ConvertArguments& a) {
    sub.add_option("--source", a.source, "Source file");
    sub.add_option("--dest", a.dest, "Destination file");
    sub.add_option("--range", a.range, "Convert only records FIRST-LAST (1-based)");
    sub.add_option("--mode", a.mode, "Result: 5, 7, barcode or jis")
        ->check(CLI::IsMember({"5", "7", "barcode", "jis"}));
    sub.add_flag("--hyphen", a.hyphen, "Write postal codes with a hyphen");
    sub.add_flag("--no-hyphen", a.noHyphen, "Write postal codes without a hyphen");
    sub.add_option("--strict", a.strict,
                   "Strict checks that make a record fail: kyoto,ikanashi,ken,city or none");
    sub.add_option("--error-file", a.errorFile, "Write failed records to FILE");
    sub.add_flag("--no-error-file", a.noErrorFile, "Write no error file");
    sub.add_option("--max-errors", a.maxErrors, "Stop when N records have failed");
    sub.add_flag("--no-max-errors", a.noMaxErrors, "Never stop for failed records");
    sub.add_flag("--yes", a.yes, "Answer Yes to every question");
}

void addPieces(CLI::App& sub, ConvertArguments& a) {
    sub.add_option("--pieces", a.pieces, "Address pieces START:SIZE[,START:SIZE...] (up to 4)");
    sub.add_option("--insert", a.insert, "Byte position where the result is inserted");
}

void addThreads(CLI::App& sub, ConvertArguments& a) {
    sub.add_option("--threads", a.threads,
                   "Look records up on N engines at once (output as with one; default 1)")
        ->check(CLI::Range(1u, 64u));
}

void addEncoding(CLI::App& sub, ConvertArguments& a) {
    sub.add_option("--encoding", a.encoding,
                   "Source encoding: sjis, utf-8, or auto (the default): UTF-8 when the file "
                   "begins with a byte order mark, or is UTF-8 and could not be Shift-JIS. A "
                   "UTF-8 source gives a UTF-8 destination and error file")
        ->check(CLI::IsMember({"sjis", "utf-8", "auto"}));
}

void addMarker(CLI::App& sub, ConvertArguments& a) {
    sub.add_option("--marker", a.marker, "Mark failed records with TEXT (at most 13 bytes)");
    sub.add_flag("--no-marker", a.noMarker, "Do not mark failed records");
}

int clampInt(long long v) {
    if (v > 2147483647LL) return 2147483647;
    if (v < -2147483647LL) return -2147483647;
    return static_cast<int>(v);
}

int refuse(TerminalHost& host, const PageCheck& check) {
    host.showMessage(check.message);
    return kNotStarted;
}

// A workbook the run could not read, said before the run: one protected by
// a password, or one without the sheet asked for (its sheets listed). 0 when
// neither; else the end code 1, with message 1 and the reason shown.
int refuseUnreadableWorkbook(const PageFields& page, TerminalHost& host) {
    if (page.source.empty() || page.sheet.empty()) return 0;
    std::string reason;
    if (workbooks::isEncryptedWorkbook(page.source)) {
        reason = "the workbook is protected by a password; save it without one and convert again";
    } else {
        workbooks::AnyWorkbookKind kind;
        std::unique_ptr<WorkbookReader> reader = kind.reader();
        if (!reader->open(page.source)) return 0;
        const std::vector<WorkbookSheet> sheets = reader->sheets();
        reader->close();
        std::string names;
        for (const WorkbookSheet& sheet : sheets) {
            if (sheet.name == page.sheet) return 0;
            names += (names.empty() ? "" : ", ") + host.display(sheet.name);
        }
        reason = "the workbook has no sheet named '" + host.display(page.sheet) +
                 "' (letter case counts); its sheets: " + names;
    }
    host.showMessage(kSourceNotOpened);
    std::cerr << "zelko7: " << reason << '\n';
    return kSourceNotOpened;
}

// The options block as the options page would collect it: the settings,
// edited by the command line. 0, or the status of a run not started.
int editOptions(const CLI::App& sub, const ConvertArguments& a, OptionsBlock& edited) {
    auto given = [&sub](const char* name) { return cmdline::optionGiven(sub, name); };
    if (given("--mode")) {
        edited.CnvKbn = a.mode == "5" ? 1 : a.mode == "7" ? 2 : a.mode == "barcode" ? 3 : 4;
    }
    if (given("--hyphen")) edited.HyphenMode = 1;
    if (given("--no-hyphen")) edited.HyphenMode = 0;
    if (given("--strict")) {
        edited.KyoRyakuCheck = edited.IkanashiCheck = edited.KennashiCheck = edited.CitynashiCheck =
            0;
        for (const std::string& word : cmdline::splitList(a.strict, ',')) {
            if (word == "kyoto")
                edited.KyoRyakuCheck = 1;
            else if (word == "ikanashi")
                edited.IkanashiCheck = 1;
            else if (word == "ken")
                edited.KennashiCheck = 1;
            else if (word == "city")
                edited.CitynashiCheck = 1;
            else if (word != "none" && !word.empty())
                return notStarted("unknown strict check: " + word);
        }
    }
    if (given("--error-file")) {
        edited.ErrFilFlg = 1;
        edited.szErrName = platform::cutSjis(a.errorFile, kNameCapacity);
    }
    if (given("--no-error-file")) edited.ErrFilFlg = 0;
    if (given("--max-errors")) {
        edited.MaxErrFlg = 1;
        edited.MaxErrCnt = a.maxErrors;
    }
    if (given("--no-max-errors")) edited.MaxErrFlg = 0;
    return 0;
}

// The page's files, positions and marks from the command line (those of the
// text, SDF and CSV pages). 0, or the status of a run not started.
int editPage(const CLI::App& sub, const ConvertArguments& a, cmdline::TextIo& io,
             PageFields& page) {
    auto given = [&sub](const char* name) { return cmdline::optionGiven(sub, name); };
    if (given("--source")) page.source = a.source;
    if (given("--dest")) page.destination = a.dest;
    if (given("--insert")) page.insertPosition = a.insert;
    if (given("--layout")) page.lineBreaks = a.layout == "lines";
    if (given("--record-length")) page.recordLength = a.recordLength;
    if (given("--quote")) page.quoted = true;
    if (given("--no-quote")) page.quoted = false;
    if (given("--marker")) {
        page.markerFlag = true;
        if (!io.toEngine(a.marker, page.marker))
            return notStarted("the marker has no Shift-JIS form");
    }
    if (given("--no-marker")) page.markerFlag = false;
    std::vector<long long> numbers;
    if (given("--pieces")) {
        page.pieceStart = {};
        page.pieceSize = {};
        const std::vector<std::string> pairs = cmdline::splitList(a.pieces, ',');
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (i == 4 || !cmdline::parseNumbers(pairs[i], ':', numbers) || numbers.size() != 2)
                return notStarted("--pieces takes up to four START:SIZE pairs");
            page.pieceStart[i] = clampInt(numbers[0]);
            page.pieceSize[i] = clampInt(numbers[1]);
        }
    }
    if (given("--fields")) {
        if (!cmdline::parseNumbers(a.fields, ',', numbers) || numbers.size() > 4)
            return notStarted("--fields takes up to four field numbers");
        page.pieceStart = {};
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            // A record has at most 512 fields; a higher number would fail every record.
            if (numbers[i] > static_cast<long long>(CsvLine::kMaxFields))
                return notStarted("--fields: a record has at most " +
                                  std::to_string(CsvLine::kMaxFields) + " fields, not " +
                                  std::to_string(numbers[i]));
            page.pieceStart[i] = clampInt(numbers[i]);
        }
    }
    return 0;
}

// The Excel page's sheet and columns from the command line, and the copy's
// name checked against the source's kind. 0, or the status of a run not
// started.
int editWorkbookPage(const CLI::App& sub, const ConvertArguments& a, cmdline::TextIo& io,
                     SourceKind sourceKind, PageFields& page) {
    auto given = [&sub](const char* name) { return cmdline::optionGiven(sub, name); };
    if (given("--sheet") && !io.toEngine(a.sheet, page.sheet))
        return notStarted("the sheet name has no Shift-JIS form");
    // The copy is of the source's kind; a name saying otherwise is refused.
    if (sourceKind == SourceKind::Excel && platform::fileExists(page.source) &&
        !page.destination.empty() && !destinationFitsCopy(page.source, page.destination))
        return notStarted("the destination must end in " + copyExtensionFor(page.source) +
                          ", the kind of workbook the source is");
    // .xlsx sheets reach column XFD, binary workbooks IV.
    const int columns = workbooks::workbookColumnsOf(page.source);
    const std::string columnRange = columns == kXlsColumns ? "A..IV" : "A..XFD";
    if (given("--columns")) {
        page.pieceStart = {};
        const std::vector<std::string> letters = cmdline::splitList(a.columns, ',');
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const int number = columnNumber(letters[i], columns);
            if (i == 4 || number == 0)
                return notStarted("--columns takes up to four columns " + columnRange);
            page.pieceStart[i] = number;
        }
    }
    if (given("--dest-column")) {
        page.insertPosition = columnNumber(a.destColumn, columns);
        if (page.insertPosition == 0)
            return notStarted("--dest-column takes a column " + columnRange);
    }
    return 0;
}

// The partial range FIRST-LAST into `job`. 0, or the status of a run not
// started.
int readRange(const CLI::App& sub, const ConvertArguments& a, TerminalHost& host,
              ConversionJob& job) {
    if (!cmdline::optionGiven(sub, "--range")) return 0;
    std::vector<long long> numbers;
    const std::size_t dash = a.range.find('-', 1);
    if (dash == std::string::npos || !cmdline::parseNumbers(a.range.substr(0, dash), ',', numbers))
        return notStarted("--range takes FIRST-LAST");
    const long long first = numbers[0];
    if (!cmdline::parseNumbers(a.range.substr(dash + 1), ',', numbers))
        return notStarted("--range takes FIRST-LAST");
    if (PageCheck c = checkRange(first, numbers[0], job); !c.ok()) return refuse(host, c);
    return 0;
}

// The source encoding of a text, SDF or CSV run: the command line tells it
// from the file unless told.
void chooseEncoding(const CLI::App& sub, const ConvertArguments& a, const PageFields& page,
                    CnvParamBlock& params) {
    const std::string encoding = cmdline::optionGiven(sub, "--encoding") ? a.encoding : "auto";
    params.TXTCSVEncoding =
        static_cast<std::int32_t>(encoding == "sjis"    ? TextEncoding::ShiftJis
                                  : encoding == "utf-8" ? TextEncoding::Utf8
                                                        : TextEncoding::Automatic);
    if (encoding == "sjis" && looksLikeUtf8(lookAtFile(page.source)))
        std::cerr << "zelko7: the source looks like UTF-8 but is read as Shift-JIS "
                     "(--encoding sjis); --encoding auto or utf-8 reads it as UTF-8\n";
}

// The questions on the terminal, the run in this process.
class TerminalStarter final : public RunStarter {
  public:
    TerminalStarter(TerminalHost& host, AddressEngine& engine, int hyphenMode, unsigned threads)
        : host_(host), engine_(engine), hyphenMode_(hyphenMode), threads_(threads) {}
    void refuse(const PageCheck& check) override { host_.showMessage(check.message); }
    bool ask(std::string_view text, std::string_view caption) override {
        return host_.ask(text, caption);
    }
    int run(SourceKind kind, const ConversionJob& job) override {
        host_.catchInterrupt();
        engine_.setHyphenMode(hyphenMode_);
        // On the command line a name without a folder, the error file's
        // included, lies in the current folder.
        ConversionJob threaded = job;
        threaded.threads = threads_;
        return runConversion(kind, threaded, engine_, host_, "", &workbooks_);
    }
    void showMessage(int code) override { host_.showMessage(code); }

  private:
    workbooks::AnyWorkbookKind workbooks_;
    TerminalHost& host_;
    AddressEngine& engine_;
    int hyphenMode_;
    unsigned threads_;
};

}  // namespace

int refuseUnknownWords(const CLI::App& convert, int argc, char** argv) {
    // The kinds are the subcommands `convert` was given, whichever they are.
    std::vector<std::string> names;
    std::string kinds;
    for (const CLI::App* sub : convert.get_subcommands([](const CLI::App*) { return true; })) {
        names.push_back(sub->get_name());
        kinds += (kinds.empty() ? "" : ", ") + sub->get_name();
    }
    bool inConvert = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (cmdline::refuseVersionOption(word, "zelko7",
                                         "the desktop program shows its version under "
                                         "\"ﾊﾞｰｼﾞｮﾝ情報\", and 'keszip version' that of the "
                                         "library"))
            return kNotStarted;
        if (word.empty() || word[0] == '-') continue;  // --sjis, --help and the like
        if (!inConvert) {
            if (word != convert.get_name()) {
                std::cerr << "zelko7: unknown subcommand '" << word << "' (see zelko7 --help)\n";
                return kNotStarted;
            }
            inConvert = true;
            continue;
        }
        for (const std::string& name : names)
            if (word == name) return -1;
        std::cerr << "zelko7: unknown kind '" << word << "' of conversion: " << kinds
                  << " (see zelko7 convert --help)\n";
        return kNotStarted;
    }
    return -1;
}

void addConvertCommands(CLI::App& convert, ConvertArguments& args, std::string& selected) {
    convert.require_subcommand(1);
    convert.fallthrough();
    auto* text = convert.add_subcommand("text", "Fixed-column text file, one record per line");
    auto* sdf = convert.add_subcommand("sdf", "SDF file: fixed positions, lines or fixed length");
    auto* csv = convert.add_subcommand("csv", "Comma-separated file");
    auto* excel = convert.add_subcommand(
        "excel", "Excel workbook (.xls or .xlsx): results go into a column of a copy");
    for (auto* sub : {text, sdf, csv, excel}) addCommon(*sub, args);
    excel->add_option("--sheet", args.sheet, "Sheet name (letter case counts)");
    excel->add_option("--columns", args.columns,
                      "Address columns in address order, e.g. D,B (up to 4)");
    excel->add_option("--dest-column", args.destColumn, "Column that receives the results");
    excel->callback([&selected] { selected = "excel"; });
    addPieces(*text, args);
    addPieces(*sdf, args);
    for (auto* sub : {text, sdf, csv}) {
        addThreads(*sub, args);
        addEncoding(*sub, args);
    }
    addMarker(*text, args);
    addMarker(*csv, args);
    sdf->add_option("--layout", args.layout, "lines or fixed")
        ->check(CLI::IsMember({"lines", "fixed"}));
    sdf->add_option("--record-length", args.recordLength, "Record length of fixed records");
    csv->add_option("--fields", args.fields, "Address field numbers N[,N...] (up to 4)");
    csv->add_flag("--quote", args.quote, "Enclose the result field in double quotes");
    csv->add_flag("--no-quote", args.noQuote, "Do not enclose the result field");
    text->callback([&selected] { selected = "text"; });
    sdf->callback([&selected] { selected = "sdf"; });
    csv->callback([&selected] { selected = "csv"; });
    auto* table = addTableCommand(convert, args, selected);
    addCommon(*table, args);
    table->remove_option(table->get_option("--source"));
    table->remove_option(table->get_option("--dest"));
    convert.footer(
        "Exit status: 0 the whole source (or range) converted; 1 source, 2 destination, "
        "3 error file, 4 dictionary not opened; 5 stopped at the error maximum, 6 stopped "
        "by the user (Ctrl+C), the output holding the records up to there; 7 write error "
        "(a full disk): the old destination and error file left as they were; 10 not "
        "started (a misused option, a field refused or a question answered No). SIGTERM "
        "and SIGHUP end the run the same way as a write error leaves the files, and the "
        "program ends by that signal.");
}

int runConvert(const CLI::App& convert, const ConvertArguments& a, const std::string& kind) {
    const CLI::App& sub = *convert.get_subcommand(kind);
    TerminalHost host(a.yes, a.sjis);
    cmdline::TextIo io(a.sjis);

    OptionsBlock options;
    CnvParamBlock params;
    SettingsStore(SettingsPath()).load(options, params);
    OptionsBlock edited = options;
    if (int code = editOptions(sub, a, edited)) return code;
    if (PageCheck c = collectOptions(edited, options); !c.ok()) return refuse(host, c);
    if (kind == "table") return endOfRun(runTableConvert(sub, a, host, options, params), host);

    const SourceKind sourceKind = kind == "text"    ? SourceKind::Text
                                  : kind == "sdf"   ? SourceKind::Sdf
                                  : kind == "excel" ? SourceKind::Excel
                                                    : SourceKind::Csv;
    // The page's fields: the settings, then the command line.
    PageFields page = pageFieldsFromSettings(sourceKind, options, params);
    if (int code = editPage(sub, a, io, page)) return code;
    if (int code = editWorkbookPage(sub, a, io, sourceKind, page)) return code;
    ConversionJob job;
    if (int code = readRange(sub, a, host, job)) return code;
    if (sourceKind == SourceKind::Excel) {
        if (int code = refuseUnreadableWorkbook(page, host)) return code;
    } else {
        chooseEncoding(sub, a, page, params);
    }
    KesZipEngine engine;
    TerminalStarter starter(host, engine, options.HyphenMode, a.threads);
    const int code = startConversion(sourceKind, page, job, options, params, starter);
    return code < 0 ? kNotStarted : endOfRun(code, host);
}

}  // namespace converter
