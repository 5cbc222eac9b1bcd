// keszip-mkdic: builds the engine's dictionary files from Japan Post's data.
#include <platform/paths.h>
#include <platform/program_arguments.h>
#include <platform/sjis.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "build_error.h"
#include "dictionary_build.h"
#include "edition_changes.h"
#include "ken_all_source.h"
#include "office_writer.h"
#include "telephone_dictionary.h"

namespace {

// Messages may quote Shift-JIS names from the data; the terminal gets UTF-8.
void printError(const std::string& message) {
    std::cerr << "keszip-mkdic: " << platform::sjisToUtf8Lossy(message) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    platform::ProgramArguments arguments(argc, argv);
    argc = arguments.count();
    argv = arguments.values();
    CLI::App app{
        "Builds KESZIP.DIC, KESZIP.PRM and KESZIP.TBL from Japan Post's KEN_ALL.CSV or "
        "utf_ken_all.csv."};
    mkdic::BuildOptions options;
    std::string dataDate;
    unsigned edition = 0;
    auto* kenAllOption = app.add_option(
        "--ken-all", options.kenAllPath,
        "ken_all.zip or utf_ken_all.zip (told apart by their content), or the CSV itself");
    auto* outOption = app.add_option("--out", options.outDir, "folder for the dictionary files");
    std::vector<std::string> changes;
    bool summaryOnly = false;
    auto* changesOption =
        app.add_option("--changes", changes,
                       "OLD NEW: print what changed between two editions (either format) as "
                       "TAB-separated lines: kind, old codes, new codes, municipality, old "
                       "names, new names")
            ->expected(2)
            ->excludes(kenAllOption)
            ->excludes(outOption);
    app.add_flag("--summary", summaryOnly, "with --changes: print only the count of each kind")
        ->needs(changesOption);
    app.add_option("--code-list", options.codeListPath,
                   "text file of 7-digit codes for the code list, one a line");
    std::string jigyosyoPath;
    app.add_option("--jigyosyo", jigyosyoPath,
                   "jigyosyo.zip, or JIGYOSYO.CSV itself: builds KESCMP.DIC too");
    std::string telephoneDir;
    app.add_option("--telephone", telephoneDir,
                   "folder of the telephone area data (compartments.csv, "
                   "municipality_compartments.csv, number_bands.csv): builds KESTEL.DIC too");
    auto* editionOption =
        app.add_option("--edition", edition, "edition number (default: YYMM of the data date)")
            ->check(CLI::Range(0u, 65535u));
    auto* dateOption =
        app.add_option("--data-date", dataDate,
                       "date of the data, YYYY-MM-DD (default: the CSV's date in the archive)");
    app.add_option("--max-block", options.maxBlock,
                   "largest town block in bytes; larger municipalities are spread over "
                   "several records")
        ->check(CLI::Range(64, 65535));
    app.add_option("--former", options.formerEditions,
                   "an earlier edition (ken_all.zip or utf_ken_all.zip; repeatable): towns and "
                   "municipalities written with the names they had then are still found");
    app.add_option("--municipal-changes", options.municipalChangesPath,
                   "table of municipal changes (CSV: prefecture, before, after, date): "
                   "addresses written with a former municipality name are still found");
    CLI11_PARSE(app, argc, argv);
    if (*changesOption) {
        try {
            const auto found = mkdic::compareEditions(mkdic::readKenAllSource(changes[0]).towns,
                                                      mkdic::readKenAllSource(changes[1]).towns);
            const std::string text =
                summaryOnly ? mkdic::changeSummary(found) : mkdic::changeLines(found);
            std::cout << platform::sjisToUtf8Lossy(text);
        } catch (const std::exception& e) {
            printError(e.what());
            return 1;
        }
        return 0;
    }
    if (!*kenAllOption || !*outOption) {
        std::cerr << "keszip-mkdic: --ken-all and --out are required (or --changes OLD NEW)\n"
                  << "Run with --help for more information.\n";
        return 106;
    }
    if (*editionOption) options.edition = edition;
    if (*dateOption) options.dataDate = dataDate;

    if (!platform::fileExists(options.kenAllPath)) {
        printError(
            options.kenAllPath + " was not found. Download utf_ken_all.zip or ken_all.zip " +
            "(the nationwide file of all addresses) from Japan Post's zip code download page, " +
            mkdic::kDownloadPage + ", and give its path with --ken-all.");
        return 1;
    }
    if (!options.codeListPath.empty() && !platform::fileExists(options.codeListPath)) {
        printError(options.codeListPath + ": code list not found");
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    try {
        const mkdic::BuildSummary s = mkdic::buildDictionaryFiles(options);
        if (s.formerNames > 0) {
            std::cerr << "keszip-mkdic: note: " << s.formerNames << " former names";
            if (s.municipalChanges > 0) {
                std::cerr << " (" << s.municipalChanges << " municipal changes, "
                          << s.changesNotPlaced << " of them to a municipality not in the data)";
            }
            std::cerr << "\n";
        }
        for (const mkdic::BlockSplit& split : s.splits) {
            std::string parts;
            for (std::size_t bytes : split.partBytes) {
                parts += (parts.empty() ? "" : " + ") + std::to_string(bytes);
            }
            std::cerr << "keszip-mkdic: note: the towns of " << split.code << " "
                      << platform::sjisToUtf8Lossy(split.name) << " exceed " << options.maxBlock
                      << " bytes and are spread over " << split.partBytes.size()
                      << " municipality records (" << parts << " bytes)\n";
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf(
            "keszip-mkdic: %zu rows, %zu prefectures, %zu cities, %zu municipalities, "
            "%zu bytes, edition %u, data of %s, %.2f s -> %s\n",
            s.rows, s.prefectures, s.cities, s.municipalities, s.dictionaryBytes,
            static_cast<unsigned>(s.info.edition), s.info.dataDate.c_str(), seconds,
            options.outDir.c_str());
        if (!jigyosyoPath.empty()) {
            const mkdic::OfficeSummary o =
                mkdic::buildOfficeFile(jigyosyoPath, options.outDir, s.info);
            std::printf("keszip-mkdic: KESCMP.DIC: %zu offices, %zu bytes\n", o.offices, o.bytes);
        }
        if (!telephoneDir.empty()) {
            const mkdic::TelephoneSummary t =
                mkdic::buildTelephoneFile(options.kenAllPath, telephoneDir, options.outDir, s.info);
            std::printf(
                "keszip-mkdic: KESTEL.DIC: %zu municipalities, %zu towns (%zu without "
                "telephone codes), %zu bytes\n",
                t.municipalities, t.towns, t.townsWithoutCodes, t.bytes);
        }
    } catch (const std::exception& e) {
        printError(e.what());
        return 1;
    }
    return 0;
}
