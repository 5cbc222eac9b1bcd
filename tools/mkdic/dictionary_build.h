// One run of the builder: reads KEN_ALL.CSV (from Japan Post's zip or as a
// plain file), builds the model and writes KESZIP.DIC, KESZIP.PRM and
// KESZIP.TBL into the output folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dictionary_model.h"
#include "dictionary_writer.h"

namespace mkdic {

inline constexpr const char* kBuilderVersion = "1.0.0";
inline constexpr const char* kDownloadPage = "https://www.post.japanpost.jp/zipcode/download.html";

struct BuildOptions {
    std::string kenAllPath;  // ken_all.zip or KEN_ALL.CSV
    std::string outDir;
    std::string codeListPath;             // empty: no code list
    std::optional<unsigned> edition;      // default: YYMM of the data date
    std::optional<std::string> dataDate;  // "YYYY-MM-DD"; default: the CSV's modification date
    std::size_t maxBlock = keszip::dic::kMaxBlockSize;
    // Earlier editions (either format) whose town and municipality names the
    // dictionary keeps as former names; and the table of municipal changes.
    std::vector<std::string> formerEditions;
    std::string municipalChangesPath;  // empty: none
};

struct BuildSummary {
    std::size_t rows = 0, prefectures = 0, cities = 0, municipalities = 0;
    std::size_t dictionaryBytes = 0;
    std::size_t codeListEntries = 0;
    DictionaryInfo info;
    std::vector<BlockSplit> splits;
    std::size_t formerNames = 0;       // entries written after the code list
    std::size_t municipalChanges = 0;  // rows of the table of municipal changes
    std::size_t changesNotPlaced = 0;  // rows naming a municipality not in the data
};

// Throws BuildError for unreadable or malformed input and for files that
// cannot be written; nothing is replaced in the output folder then.
BuildSummary buildDictionaryFiles(const BuildOptions& options);

// "YYYY-MM-DD" with a real month and day; nullopt otherwise. Gives the YYMM edition.
std::optional<unsigned> editionOfDate(const std::string& date);

}  // namespace mkdic
