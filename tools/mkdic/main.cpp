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
    CLI::App app{"Builds KESZIP.DIC, KESZIP.PRM and KESZIP.TBL from Japan Post's KEN_ALL.CSV."};
    mkdic::BuildOptions options;
    std::string dataDate;
    unsigned edition = 0;
    app.add_option("--ken-all", options.kenAllPath, "ken_all.zip, or KEN_ALL.CSV itself")
        ->required();
    app.add_option("--out", options.outDir, "folder for the dictionary files")->required();
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
    CLI11_PARSE(app, argc, argv);
    if (*editionOption) options.edition = edition;
    if (*dateOption) options.dataDate = dataDate;

    if (!platform::fileExists(options.kenAllPath)) {
        printError(options.kenAllPath + " was not found. Download ken_all.zip (the nationwide " +
                   "file of all addresses) from Japan Post's zip code download page, " +
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
