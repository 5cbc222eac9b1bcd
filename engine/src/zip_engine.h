// One postal-code engine: the loaded main dictionary, the town cursor, the
// settings read at open time and the last error. The exported C interface
// uses one process-wide instance; tests make as many as they like.
#pragma once

#include <platform/binary_file.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dic_format.h"
#include "fold_settings.h"
#include "match_state.h"
#include "office_dictionary.h"
#include "records.h"
#include "search_state.h"
#include "town_cache.h"

namespace keszip {

// lastError values.
enum EngineError : int {
    kErrNone = 0,
    kErrNotOpen = 1,
    kErrFile = 2,
    kErrHeader = 11,
    kErrPrefectureTable = 12,  // also the office table of the office dictionary
    kErrCityTable = 13,
    kErrMunicipalityTable = 14,
    kErrCodeList = 15,
    kErrTownBlock = 16,
    kErrCode = 100,
};

// Which dictionary an engine reads: the postal KESZIP.DIC, or the telephone
// KESTEL.DIC (signature "KesTel", no code list, telephone codes after each
// town name, telephone key ranges in place of the old-code ranges).
enum class DictionaryKind { Postal, Telephone };

class ZipEngine {
  public:
    // `directory` overrides where the dictionary files are looked for; empty
    // means beside the library, then beside the program.
    explicit ZipEngine(std::string directory = {},
                       DictionaryKind kind = DictionaryKind::Postal);
    ~ZipEngine();
    ZipEngine(const ZipEngine&) = delete;
    ZipEngine& operator=(const ZipEngine&) = delete;

    DictionaryKind kind() const { return kind_; }
    // KesZipOpen: reads KESZIP.PRM and KESZIP.TBL, then the dictionary
    // (KESZIP.DIC, or KESTEL.DIC for the telephone kind).
    bool open();
    // KesZipClose: 1 when closed, 0 with lastError 1 (not open) or 2.
    int close();
    bool isOpen() const { return mainOpen_; }
    int lastError() const { return lastError_; }
    void setLastError(int error) { lastError_ = error; }

    // Path of one of the engine's files (KESZIP.DIC, KESZIP.TBL, ...).
    std::string filePath(const char* name) const;

    bool loadMainDictionary(const std::string& path);
    bool loadTownBlock(std::size_t municipality);
    bool nextTown(bool restart, std::size_t municipality, TownCandidate& out);

    const std::vector<PrefectureRecord>& prefectures() const { return prefectures_; }
    const std::vector<CityRecord>& cities() const { return cities_; }
    const std::vector<MunicipalityRecord>& municipalities() const { return municipalities_; }
    const std::vector<std::uint32_t>& codeList() const { return codeList_; }

    std::uint16_t edition() const;
    // Text of the information block for the version query's item (0 excluded).
    // The pointer stays valid for the engine's life; its text is "" while no
    // dictionary with an information block is loaded.
    const char* infoText(unsigned item) const;

    FoldSettings& foldSettings() { return settings_; }
    const FoldSettings& foldSettings() const { return settings_; }

    int currentJisCode = 0;
    // Left by the last address lookup; 1 during a lookup's first attempt.
    MatchState match;
    int firstAttempt = 1;
    // The towns of each municipality reached by a lookup, prepared for the
    // town matcher; kept until the dictionary closes.
    TownCache townCache;
    // Cursors of the code-to-address and drill-down searches.
    SearchState searches;
    // The large-business-office dictionary KESCMP.DIC and its search cursors.
    OfficeDictionary office;

    // How many times the dictionary file has been read in full (for tests).
    int loadCount() const { return loadCount_; }

    // Reads KESZIP.PRM and KESZIP.TBL into the folding settings.
    void loadSettings();

  private:
    void clearMain();

    std::string directory_;
    DictionaryKind kind_ = DictionaryKind::Postal;
    bool mainOpen_ = false;
    int lastError_ = kErrNone;
    int loadCount_ = 0;
    platform::BinaryFile mainFile_;
    std::array<unsigned char, dic::kMainHeaderSize> mainHeader_{};
    // One byte more than the block, always 0, so that every text is terminated.
    std::array<unsigned char, dic::kInfoBlockSize + 1> mainInfo_{};
    std::vector<PrefectureRecord> prefectures_;
    std::vector<CityRecord> cities_;
    std::vector<MunicipalityRecord> municipalities_;
    std::vector<std::uint32_t> codeList_;
    std::vector<unsigned char> blockBuffer_;
    std::uint16_t blockCapacity_ = 0;
    int loadedBlockCode_ = -1;
    std::size_t loadedBlockIndex_ = 0;
    std::size_t townCursor_ = 0;  // byte offset in blockBuffer_
    std::size_t townCounter_ = 0;
    // The codes of the last telephone town record read, taken over by a
    // following record whose count is "the same as before".
    std::vector<std::uint32_t> lastTelCodes_;
    FoldSettings settings_;
};

}  // namespace keszip
