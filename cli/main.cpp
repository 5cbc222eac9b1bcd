// keszip: the engine's questions from the command line, one subcommand per
// question, one result per line with TAB-separated fields.
#include <cmdline/arguments.h>
#include <cmdline/text_io.h>
#include <platform/paths.h>
#include <platform/program_arguments.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "argument_checks.h"
#include "barcode_command.h"
#include "code_commands.h"
#include "keszip.h"
#include "lookup_command.h"
#include "no_dictionary.h"
#include "office_command.h"
#include "telephone_commands.h"

namespace {

int runVersion(cmdline::TextIo& io) {
    std::cout << "library\t" << GetZe7DllVersion() << '\n';
    if (!KesZipOpen()) {
        cli::reportNoDictionary("the dictionary KESZIP.DIC", GetZe7Err());
        return 0;
    }
    static const char* const labels[] = {"edition", "data-date", "built",
                                         "builder", "source",    "notice"};
    for (int item = 0; item <= 5; ++item) {
        std::cout << labels[item] << '\t' << io.fromEngine(GetZe7DicVersion(1, item)) << '\n';
    }
    // Every dictionary the library uses: file, what it holds, edition, data
    // date and source, from the same version query (items 0, 1 and 4).
    static const struct {
        int number;
        const char* file;
        const char* holds;
    } dictionaries[] = {{1, "KESZIP.DIC", "addresses"},
                        {2, "KESCMP.DIC", "large offices"},
                        {3, "KESTEL.DIC", "telephone areas"}};
    for (const auto& d : dictionaries) {
        const std::string edition = GetZe7DicVersion(d.number, 0);
        std::cout << "dictionary\t" << d.file << '\t' << d.holds;
        if (edition.empty()) {
            std::cout << "\tnot opened\n";
            continue;
        }
        std::cout << '\t' << edition << '\t' << io.fromEngine(GetZe7DicVersion(d.number, 1)) << '\t'
                  << io.fromEngine(GetZe7DicVersion(d.number, 4)) << '\n';
    }
    return 0;
}

int runFold(cmdline::TextIo& io, int mode, const std::vector<std::string>& texts) {
    for (const auto& text : texts) {
        std::string sjis;
        if (!io.toEngine(text, sjis)) {
            std::cerr << "keszip: the text has no Shift-JIS form: " << text << '\n';
            return 2;
        }
        // No handle: the folding settings come from the files beside the
        // library, as the engine reads them when it opens.
        std::vector<char> folded(KESZIP_FOLD_SIZE);
        KesZipFold(nullptr, sjis.c_str(), mode, folded.data(), static_cast<int>(folded.size()));
        std::cout << io.fromEngine(folded.data()) << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    platform::ProgramArguments arguments(argc, argv);
    argc = arguments.count();
    argv = arguments.values();
    CLI::App app{"keszip: Japanese postal codes from addresses and back"};
    app.require_subcommand(1);
    bool sjis = false;
    app.add_flag("--sjis", sjis, "Read and write raw Shift-JIS instead of UTF-8");

    auto* version = app.add_subcommand("version", "Library version and dictionary edition");

    auto* fold = app.add_subcommand("fold", "Print the matching key of a text (for debugging)");
    int foldMode = 1;
    std::vector<std::string> foldTexts;
    fold->add_option("--mode", foldMode, "0 literal form, 1 matching form")
        ->check(CLI::IsMember({0, 1}));
    fold->add_option("TEXT", foldTexts, "Texts to fold")->required();

    auto* lookup = app.add_subcommand(
        "lookup",
        "Codes of addresses: flags, 7-digit code or error, old code, address number, "
        "local-government code");
    bool hyphen = false;
    std::vector<std::string> addresses;
    lookup->add_flag("--hyphen", hyphen, "Write codes with a hyphen after the third digit");
    unsigned lookupThreads = 0;
    lookup
        ->add_option("--threads", lookupThreads,
                     "Engines looking up at once (default: one per core when standard input "
                     "is not a terminal); the output is the same for any number")
        ->check(CLI::Range(1u, 256u));
    lookup->add_option("ADDRESS", addresses,
                       "Addresses to look up; without any, one address per line of standard input");

    cli::BarcodeOptions barcodeOptions;
    auto* barcode = cli::addBarcodeCommand(app, barcodeOptions);

    cli::TelephoneCommands telephone;
    cli::addTelephoneCommands(app, telephone);

    cli::CodeCommands codeCommands;
    cli::addCodeCommands(app, codeCommands);
    cli::OfficeOptions officeOptions;
    cli::addOfficeCommand(app, officeOptions);

    cmdline::useOneLineErrors(app, "keszip");
    if (int status = cli::refuseUnknownCommand(app, argc, argv); status >= 0) return status;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    cmdline::TextIo io(sjis);
    if (*version) return runVersion(io);
    if (*fold) return runFold(io, foldMode, foldTexts);
    if (*lookup) return cli::runLookup(sjis, hyphen, lookupThreads, addresses);
    if (*barcode) return cli::runBarcode(io, barcodeOptions);
    if (int status = 0; cli::runTelephoneCommands(io, telephone, status)) return status;
    if (int status = cli::runCodeCommands(io, codeCommands); status >= 0) return status;
    if (int status = cli::runOfficeCommand(io, officeOptions); status >= 0) return status;
    return 0;
}
