#include "dictionary_build.h"

#include <platform/binary_file.h>
#include <platform/files.h>
#include <platform/paths.h>
#include <platform/sjis.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>

#include "build_error.h"
#include "code_list.h"
#include "former_names.h"
#include "ken_all_source.h"
#include "output_files.h"
#include "settings_files.h"

namespace mkdic {

namespace {

std::string localDate(std::time_t time) {
    std::tm parts{};
    if (const std::tm* local = std::localtime(&time)) parts = *local;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", (parts.tm_year + 1900) % 10000,
                  (parts.tm_mon + 1) % 100, parts.tm_mday % 100);
    return text;
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string sjisNotice() {
    const auto text = platform::utf8ToSjis(std::string("郵便番号データ: 日本郵便株式会社 (") +
                                           kDownloadPage + ")");
    return text ? *text : std::string("Japan Post postal code data (") + kDownloadPage + ")";
}

}  // namespace

std::optional<unsigned> editionOfDate(const std::string& date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return std::nullopt;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (date[i] < '0' || date[i] > '9') return std::nullopt;
    }
    const unsigned year = std::stoul(date.substr(0, 4));
    const unsigned month = std::stoul(date.substr(5, 2));
    const unsigned day = std::stoul(date.substr(8, 2));
    if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
    return (year % 100) * 100 + month;
}

BuildSummary buildDictionaryFiles(const BuildOptions& options) {
    if (options.maxBlock < 64 || options.maxBlock > keszip::dic::kMaxBlockSize) {
        throw BuildError("the block limit must be 64 to " +
                         std::to_string(keszip::dic::kMaxBlockSize) + " bytes");
    }
    if (options.dataDate && !editionOfDate(*options.dataDate)) {
        throw BuildError("data date \"" + *options.dataDate + "\" is not a date YYYY-MM-DD");
    }
    if (options.edition && *options.edition > 0xFFFF) {
        throw BuildError("edition " + std::to_string(*options.edition) + " is above 65535");
    }

    const KenAllSource source = readKenAllSource(options.kenAllPath);
    const std::vector<KenAllRow> rows = source.records();

    std::vector<std::uint32_t> codeList;
    if (!options.codeListPath.empty()) {
        std::string text;
        if (!platform::readWholeFile(options.codeListPath, text)) {
            throw BuildError(options.codeListPath + ": cannot read the code list");
        }
        codeList = parseCodeList(text, baseName(options.codeListPath));
    }

    DictionaryModel model = buildDictionaryModel(rows, options.maxBlock);
    std::set<FormerName> formerNames;
    for (const std::string& path : options.formerEditions) {
        for (FormerName& n : formerNamesOfEdition(readKenAllSource(path).towns, source.towns)) {
            formerNames.insert(std::move(n));
        }
    }
    MunicipalChanges changes;
    if (!options.municipalChangesPath.empty()) {
        std::string text;
        if (!platform::readWholeFile(options.municipalChangesPath, text)) {
            throw BuildError(options.municipalChangesPath + ": cannot read the table");
        }
        changes = municipalChangeNames(text, source.towns, baseName(options.municipalChangesPath));
        formerNames.insert(changes.names.begin(), changes.names.end());
    }
    model.formerNames.assign(formerNames.begin(), formerNames.end());

    BuildSummary summary;
    summary.info.dataDate = options.dataDate.value_or(localDate(source.modified));
    summary.info.buildDate = localDate(std::time(nullptr));
    summary.info.version = kBuilderVersion;
    summary.info.description = source.name + " " + std::to_string(source.sourceRows) + " rows";
    summary.info.notice = sjisNotice();
    summary.info.edition = static_cast<std::uint16_t>(
        options.edition.value_or(editionOfDate(summary.info.dataDate).value_or(0)));

    const std::string dictionary = writeDictionary(model, summary.info, codeList);
    const std::string settings = defaultSettingsFile();
    // A table written before keeps the user's pairs at its top.
    std::string existingTable;
    if (!platform::readWholeFile(platform::joinPath(options.outDir, "KESZIP.TBL"), existingTable))
        existingTable.clear();
    const std::string table = defaultSubstitutionTable(existingTable);
    std::error_code dirError;
    std::filesystem::create_directories(platform::fsPath(options.outDir), dirError);
    if (dirError) {
        throw BuildError(options.outDir + ": cannot create the folder (" + dirError.message() +
                         ")");
    }
    writeFileAtomically(platform::joinPath(options.outDir, "KESZIP.DIC"), dictionary);
    writeFileAtomically(platform::joinPath(options.outDir, "KESZIP.PRM"), settings);
    writeFileAtomically(platform::joinPath(options.outDir, "KESZIP.TBL"), table);

    summary.rows = source.sourceRows;
    summary.prefectures = model.prefectures.size();
    summary.cities = model.cities.size();
    summary.municipalities = model.municipalities.size();
    summary.dictionaryBytes = dictionary.size();
    summary.codeListEntries = codeList.size();
    summary.splits = model.splits;
    summary.formerNames = model.formerNames.size();
    summary.municipalChanges = changes.rows;
    summary.changesNotPlaced = changes.dropped;
    return summary;
}

}  // namespace mkdic
