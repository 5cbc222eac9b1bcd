// The read-only part of an open dictionary: the file's bytes, its header and
// information block, the directory tables with their matching forms, and the
// code list. Engines that open the same files with the same folding
// settings share one copy (see sharedDictionary); nothing in it changes
// after it is loaded, so any number of threads may read it at once.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fold_settings.h"
#include "layout/dic_format.h"
#include "records.h"

namespace keszip {

// Which dictionary an engine reads: the postal KESZIP.DIC, or the telephone
// KESTEL.DIC (signature "KesTel", no code list, telephone codes after each
// town name, telephone key ranges in place of the old-code ranges).
enum class DictionaryKind { Postal, Telephone };

// A name a place had before and the name it has now (see the former names in
// dic_format.h); Shift-JIS, as the address texts.
struct FormerNameRecord {
    std::uint8_t kind = 0;  // dic::kFormerMunicipality or dic::kFormerTown
    std::uint8_t prefecture = 0;
    std::uint16_t localCode = 0;
    std::string former, now;
};

struct DictionaryData {
    DictionaryKind kind = DictionaryKind::Postal;
    FoldSettings settings;             // the settings the matching forms were made with
    std::vector<unsigned char> bytes;  // the whole file; town blocks are read from here
    std::array<unsigned char, dic::kMainHeaderSize> header{};
    // One byte more than the block, always 0, so that every text is terminated.
    std::array<unsigned char, dic::kInfoBlockSize + 1> info{};
    std::vector<PrefectureRecord> prefectures;
    std::vector<CityRecord> cities;
    std::vector<MunicipalityRecord> municipalities;
    std::vector<std::uint32_t> codeList;
    // Empty when the file holds none; ordered by kind, prefecture and
    // local-government code.
    std::vector<FormerNameRecord> formerNames;
    std::uint16_t blockCapacity = 0;
    // Indexes of the municipalities (by code / 1000) and the cities (by
    // lowCode / 1000) of each prefecture code, ascending, so that a lookup
    // that knows its prefecture reads only that prefecture's records.
    std::vector<std::vector<std::uint16_t>> municipalitiesByPrefecture, citiesByPrefecture;

    // The town block of a municipality, or null when it lies outside the
    // file or is larger than the header's block capacity.
    const unsigned char* block(const MunicipalityRecord& m) const;
};

// Reads and checks the dictionary file at `path`. On failure the result is
// null and `error` holds the engine error code (2 not readable, 3 wrong
// signature, 11-15 short or malformed parts).
std::shared_ptr<const DictionaryData> loadDictionaryData(const std::string& path,
                                                         DictionaryKind kind,
                                                         const FoldSettings& settings, int& error);

// As loadDictionaryData, but a file that the process already holds open with
// the same kind and settings (and unchanged on disk) is not loaded again:
// every caller gets the one shared copy, freed with its last user.
// Safe to call from several threads.
std::shared_ptr<const DictionaryData> sharedDictionary(const std::string& path, DictionaryKind kind,
                                                       const FoldSettings& settings, int& error);

}  // namespace keszip
