// One postal-code engine: the open dictionary, the town cursor, the match
// state and caches of the lookups, the settings read at open time and the
// last error. The dictionary's read-only data is shared with every other
// engine of the process that opened the same files, so engines are cheap
// to make and may run on different threads at once; one engine is used by
// one thread at a time. The classic exports use one process-wide instance.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dictionary_data.h"
#include "fold_settings.h"
#include "keszip.h"
#include "match_state.h"
#include "office_dictionary.h"
#include "records.h"
#include "search_state.h"
#include "town_cache.h"

namespace keszip {

// lastError values (the KESZIP_ERR_* codes of the exported interface).
enum EngineError : int {
    kErrNone = KESZIP_ERR_NONE,
    kErrNotOpen = KESZIP_ERR_NOT_OPEN,
    kErrFile = KESZIP_ERR_FILE,
    kErrSignature = KESZIP_ERR_SIGNATURE,
    kErrHeader = KESZIP_ERR_HEADER,
    kErrPrefectureTable = KESZIP_ERR_PREFECTURE_TABLE,  // also the office table
    kErrCityTable = KESZIP_ERR_CITY_TABLE,
    kErrMunicipalityTable = KESZIP_ERR_MUNICIPALITY_TABLE,
    kErrCodeList = KESZIP_ERR_CODE_LIST,
    kErrTownBlock = KESZIP_ERR_TOWN_BLOCK,
    kErrCode = KESZIP_ERR_CODE,
};

class ZipEngine {
  public:
    // `directory` overrides where the dictionary files are looked for; empty
    // means beside the library, then beside the program.
    explicit ZipEngine(std::string directory = {}, DictionaryKind kind = DictionaryKind::Postal);
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

    const std::vector<PrefectureRecord>& prefectures() const { return data().prefectures; }
    const std::vector<CityRecord>& cities() const { return data().cities; }
    const std::vector<MunicipalityRecord>& municipalities() const { return data().municipalities; }
    const std::vector<std::uint32_t>& codeList() const { return data().codeList; }
    // Indexes of the municipalities and cities of a prefecture code, ascending.
    const std::vector<std::uint16_t>& municipalitiesOf(int prefecture) const {
        return inPrefecture(data().municipalitiesByPrefecture, prefecture);
    }
    const std::vector<std::uint16_t>& citiesOf(int prefecture) const {
        return inPrefecture(data().citiesByPrefecture, prefecture);
    }

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

    // The open dictionary's shared data (null while closed); engines over the
    // same files share one.
    const DictionaryData* sharedData() const { return data_.get(); }

    // How many times the dictionary has been opened (for tests).
    int loadCount() const { return loadCount_; }

    // Reads KESZIP.PRM and KESZIP.TBL into the folding settings.
    void loadSettings();

  private:
    void clearMain();
    // The open dictionary's data, or an empty one while closed.
    const DictionaryData& data() const;
    static const std::vector<std::uint16_t>& inPrefecture(
        const std::vector<std::vector<std::uint16_t>>& index, int prefecture);

    std::string directory_;
    DictionaryKind kind_ = DictionaryKind::Postal;
    bool mainOpen_ = false;
    int lastError_ = kErrNone;
    int loadCount_ = 0;
    std::shared_ptr<const DictionaryData> data_;
    // The information block, kept by the engine so that the texts the version
    // query hands out stay valid after the dictionary closes.
    std::array<unsigned char, dic::kInfoBlockSize + 1> info_{};
    const unsigned char* block_ = nullptr;  // the loaded town block inside data_
    int loadedBlockCode_ = -1;
    std::size_t loadedBlockIndex_ = 0;
    std::size_t townCursor_ = 0;  // byte offset in block_
    std::size_t townCounter_ = 0;
    // The codes of the last telephone town record read, taken over by a
    // following record whose count is "the same as before".
    std::vector<std::uint32_t> lastTelCodes_;
    FoldSettings settings_;
};

}  // namespace keszip
