#include "zip_engine.h"

#include <platform/paths.h>
#include <platform/profile.h>

#include <algorithm>
#include <cstring>

#include "file_location.h"
#include "fold.h"
#include "substitution_table.h"

namespace keszip {
namespace {

using dic::getDword;
using dic::getWord;

// Reads the length-prefixed reading and name of a record whose head is
// `head` bytes long, with the two lengths at `head - 2` and `head - 1`.
// False when the record does not fit in the remaining bytes.
bool readTexts(const unsigned char* p, std::size_t available, std::size_t head,
               std::string& reading, std::string& name, std::size_t& recordSize) {
    if (available < head) return false;
    std::size_t rlen = p[head - 2];
    std::size_t klen = p[head - 1];
    recordSize = head + rlen + klen;
    if (available < recordSize) return false;
    reading.assign(reinterpret_cast<const char*>(p + head), rlen);
    name.assign(reinterpret_cast<const char*>(p + head + rlen), klen);
    return true;
}

// Reads `size` bytes in one piece. `remaining` counts the bytes the file
// still holds, so that a header claiming more than the file has is refused
// before anything is allocated for it.
bool readTable(platform::BinaryFile& file, std::size_t size, std::uint64_t& remaining,
               std::vector<unsigned char>& out) {
    if (size > remaining) return false;
    out.resize(size);
    if (file.read(out.data(), size) != size) return false;
    remaining -= size;
    return true;
}

bool parsePrefectures(const std::vector<unsigned char>& bytes, std::size_t count,
                      std::vector<PrefectureRecord>& out) {
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        const unsigned char* p = bytes.data() + pos;
        std::size_t size = 0;
        if (!readTexts(p, bytes.size() - pos, dic::kPrefHead, r.reading, r.name, size))
            return false;
        r.code = p[0];
        r.firstCity = getWord(p + 1);
        r.lastCity = getWord(p + 3);
        r.firstMunicipality = getWord(p + 5);
        r.lastMunicipality = getWord(p + 7);
        pos += size;
    }
    return true;
}

bool parseCities(const std::vector<unsigned char>& bytes, std::size_t count,
                 std::vector<CityRecord>& out) {
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        const unsigned char* p = bytes.data() + pos;
        std::size_t size = 0;
        if (!readTexts(p, bytes.size() - pos, dic::kCityHead, r.reading, r.name, size))
            return false;
        r.lowCode = getWord(p);
        r.highCode = getWord(p + 2);
        r.firstMunicipality = getWord(p + 4);
        r.unused = getWord(p + 6);
        pos += size;
    }
    return true;
}

bool parseMunicipalities(const std::vector<unsigned char>& bytes, std::size_t count,
                         std::uint64_t blockBase, std::vector<MunicipalityRecord>& out) {
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        const unsigned char* p = bytes.data() + pos;
        std::size_t size = 0;
        if (!readTexts(p, bytes.size() - pos, dic::kMuniHead, r.reading, r.name, size))
            return false;
        r.code = getWord(p);
        r.cityIndex = static_cast<std::int16_t>(getWord(p + 2));
        r.flags = p[4];
        r.lowCode7 = getDword(p + 5);
        r.highCode7 = getDword(p + 9);
        r.lowOldCode = getDword(p + 13);
        r.highOldCode = getDword(p + 17);
        r.blockOffset = blockBase + getDword(p + 21);
        r.blockSize = getWord(p + 25);
        r.townCount = getWord(p + 27);
        pos += size;
    }
    return true;
}

// An index range of a directory record is sound when it is empty or lies
// inside the table it points into.
bool rangeInside(std::size_t first, std::size_t last, std::size_t count) {
    return last < first || (first < count && last < count);
}

}  // namespace

ZipEngine::ZipEngine(std::string directory, DictionaryKind kind)
    : directory_(std::move(directory)), kind_(kind) {}

ZipEngine::~ZipEngine() = default;

std::string ZipEngine::filePath(const char* name) const {
    if (!directory_.empty()) return platform::joinPath(directory_, name);
    return dictionaryPath(name);
}

void ZipEngine::loadSettings() {
    std::string prm = filePath("KESZIP.PRM");
    settings_.kanSuujiConvLevel = platform::textToInt(
        platform::getPrivateProfileString("KANJI", "KanSuujiConvLevel", "0", 9, prm));
    settings_.kanjiTableOff = platform::textToInt(
        platform::getPrivateProfileString("KANJI", "KanjiTableOff", "0", 9, prm));
    loadSubstitutionTable(filePath("KESZIP.TBL"), settings_.kanjiSubstitutions);
}

bool ZipEngine::open() {
    if (mainOpen_) return true;
    // Settings are read on every attempt, so a failed open retried later
    // sees a corrected settings file.
    loadSettings();
    return loadMainDictionary(
        filePath(kind_ == DictionaryKind::Telephone ? "KESTEL.DIC" : "KESZIP.DIC"));
}

int ZipEngine::close() {
    if (!mainOpen_) {
        lastError_ = kErrNotOpen;
        return 0;
    }
    if (!mainFile_.close()) {
        lastError_ = kErrFile;
        return 0;
    }
    clearMain();
    lastError_ = kErrNone;
    return 1;
}

void ZipEngine::clearMain() {
    mainFile_.close();
    mainOpen_ = false;
    mainHeader_.fill(0);
    mainInfo_.fill(0);
    match.clear();
    townCache.clear();
    prefectures_.clear();
    cities_.clear();
    municipalities_.clear();
    codeList_.clear();
    blockBuffer_.clear();
    blockBuffer_.shrink_to_fit();
    blockCapacity_ = 0;
    loadedBlockCode_ = -1;
    loadedBlockIndex_ = 0;
    townCursor_ = 0;
    townCounter_ = 0;
    lastTelCodes_.clear();
}

bool ZipEngine::loadMainDictionary(const std::string& path) {
    clearMain();
    // Any failure below leaves the engine closed with no partial table.
    auto fail = [this](int error) {
        clearMain();
        lastError_ = error;
        return false;
    };
    if (!mainFile_.open(path)) return fail(kErrFile);
    if (mainFile_.read(mainHeader_.data(), mainHeader_.size()) != mainHeader_.size())
        return fail(kErrHeader);
    const char* signature =
        kind_ == DictionaryKind::Telephone ? dic::kTelSignature : dic::kMainSignature;
    static_assert(sizeof dic::kTelSignature == sizeof dic::kMainSignature);
    if (std::memcmp(mainHeader_.data(), signature, sizeof dic::kMainSignature) != 0)
        return fail(kErrNone);

    const unsigned char* h = mainHeader_.data();
    std::uint64_t dataStart = dic::kMainHeaderSize;
    if (getWord(h + dic::kHeaderInfoFlag) == 1) {
        if (mainFile_.read(mainInfo_.data(), dic::kInfoBlockSize) != dic::kInfoBlockSize)
            return fail(kErrHeader);
        dataStart += dic::kInfoBlockSize;
    }

    const std::size_t prefBytes = getDword(h + dic::kHeaderPrefBytes);
    const std::size_t cityBytes = getDword(h + dic::kHeaderCityBytes);
    const std::size_t muniBytes = getDword(h + dic::kHeaderMuniBytes);
    std::uint64_t remaining = mainFile_.size();
    remaining = remaining > dataStart ? remaining - dataStart : 0;
    std::vector<unsigned char> table;
    if (!readTable(mainFile_, prefBytes, remaining, table) ||
        !parsePrefectures(table, getWord(h + dic::kHeaderPrefCount), prefectures_))
        return fail(kErrPrefectureTable);
    if (!readTable(mainFile_, cityBytes, remaining, table) ||
        !parseCities(table, getWord(h + dic::kHeaderCityCount), cities_))
        return fail(kErrCityTable);
    const std::uint64_t blockBase = dataStart + prefBytes + cityBytes + muniBytes;
    if (!readTable(mainFile_, muniBytes, remaining, table) ||
        !parseMunicipalities(table, getWord(h + dic::kHeaderMuniCount), blockBase, municipalities_))
        return fail(kErrMunicipalityTable);
    table = {};

    // Indexes that point outside their tables would send later searches out
    // of bounds; such a file is refused as a short table would be.
    for (const auto& p : prefectures_) {
        if (!rangeInside(p.firstCity, p.lastCity, cities_.size()) ||
            !rangeInside(p.firstMunicipality, p.lastMunicipality, municipalities_.size()))
            return fail(kErrPrefectureTable);
    }
    for (const auto& c : cities_) {
        if (c.firstMunicipality >= municipalities_.size() && !municipalities_.empty())
            return fail(kErrCityTable);
    }
    for (const auto& m : municipalities_) {
        if (m.cityIndex < -1 ||
            (m.cityIndex >= 0 && static_cast<std::size_t>(m.cityIndex) >= cities_.size()))
            return fail(kErrMunicipalityTable);
    }

    // The code list follows the last municipality's town block; the
    // telephone dictionary has none.
    std::uint64_t codeListStart = municipalities_.empty() ? blockBase
                                                          : municipalities_.back().blockOffset +
                                                                municipalities_.back().blockSize;
    const bool hasCodeList = kind_ == DictionaryKind::Postal;
    const std::size_t codeCount = hasCodeList ? getWord(h + dic::kHeaderCodeCount) : 0;
    const std::size_t codeBytes = hasCodeList ? getWord(h + dic::kHeaderCodeBytes) : 0;
    std::vector<unsigned char> codes;
    std::uint64_t fileSize = mainFile_.size();
    remaining = fileSize > codeListStart ? fileSize - codeListStart : 0;
    if (codeBytes < codeCount * 4 || !mainFile_.seek(codeListStart) ||
        !readTable(mainFile_, codeBytes, remaining, codes))
        return fail(kErrCodeList);
    codeList_.resize(codeCount);
    for (std::size_t i = 0; i < codeCount; ++i) codeList_[i] = getDword(codes.data() + 4 * i);

    blockCapacity_ = getWord(h + dic::kHeaderBlockCapacity);
    blockBuffer_.assign(blockCapacity_, 0);

    for (auto& p : prefectures_) {
        p.foldedReading = foldText(p.reading, kFoldMatching, settings_);
        p.foldedName = foldText(p.name, kFoldMatching, settings_);
    }
    for (auto& c : cities_) {
        c.foldedReading = foldText(c.reading, kFoldMatching, settings_);
        c.foldedName = foldText(c.name, kFoldMatching, settings_);
    }
    // Municipality names are compared with every address; their matching
    // forms never change while the dictionary is open, so fold them once.
    for (auto& m : municipalities_) {
        m.foldedReading = foldText(m.reading, kFoldMatching, settings_);
        m.foldedName = foldText(m.name, kFoldMatching, settings_);
    }

    loadedBlockCode_ = -1;
    mainOpen_ = true;
    ++loadCount_;
    return true;
}

bool ZipEngine::loadTownBlock(std::size_t municipality) {
    if (municipality >= municipalities_.size()) {
        lastError_ = kErrTownBlock;
        return false;
    }
    const auto& m = municipalities_[municipality];
    // A municipality too large for one block is stored as several records
    // with the same code, so the loaded block is known by its index as well.
    if (loadedBlockCode_ == m.code && loadedBlockIndex_ == municipality) return true;
    loadedBlockCode_ = -1;
    if (m.blockSize > blockCapacity_ || !mainFile_.seek(m.blockOffset) ||
        mainFile_.read(blockBuffer_.data(), m.blockSize) != m.blockSize) {
        lastError_ = kErrTownBlock;
        return false;
    }
    loadedBlockCode_ = m.code;
    loadedBlockIndex_ = municipality;
    return true;
}

namespace {

// True unless the kanji text has as many single-byte "(" as ")"; double-byte
// characters are stepped over so that a trail byte is never taken for one.
bool parenthesesUnbalanced(const std::string& text) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            ++i;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        }
    }
    return depth != 0;
}

void appendLimited(std::string& text, const unsigned char* p, std::size_t n) {
    std::size_t room = kCandidateTextLimit > text.size() ? kCandidateTextLimit - text.size() : 0;
    text.append(reinterpret_cast<const char*>(p), n < room ? n : room);
}

}  // namespace

bool ZipEngine::nextTown(bool restart, std::size_t municipality, TownCandidate& out) {
    if (restart) {
        townCursor_ = 0;
        townCounter_ = 0;
    }
    if (!loadTownBlock(municipality)) return false;
    const auto& m = municipalities_[municipality];
    if (townCounter_ >= m.townCount) return false;

    const unsigned char* block = blockBuffer_.data();
    const std::size_t blockEnd = m.blockSize;
    const bool telephone = kind_ == DictionaryKind::Telephone;
    // Decodes the head of the record at `pos`; false when it runs past the
    // block. `codeArea` is the size of the telephone code area after the
    // name, or kOwnCodeArea to take it from the record's own count byte.
    constexpr std::size_t kOwnCodeArea = static_cast<std::size_t>(-1);
    auto recordAt = [&](std::size_t pos, std::size_t codeArea, std::size_t& size) {
        if (pos > blockEnd || blockEnd - pos < dic::kTownHead) return false;
        size = dic::kTownHead + block[pos + 6] + block[pos + 7];
        if (!telephone) return blockEnd - pos >= size;
        if (codeArea == kOwnCodeArea) {
            if (blockEnd - pos <= size) return false;
            const unsigned n = block[pos + size];
            codeArea = (n == 0 || n == dic::kTelSameCodes) ? 1 : 3 * std::size_t{n} + 1;
        }
        size += codeArea;
        return blockEnd - pos >= size;
    };

    std::size_t size = 0;
    if (!recordAt(townCursor_, kOwnCodeArea, size)) {
        lastError_ = kErrTownBlock;
        return false;
    }
    const unsigned char* p = block + townCursor_;
    out.clear();
    out.oldCode = dic::get24(p);
    out.code7 = dic::get24(p + 3);
    appendLimited(out.reading, p + dic::kTownHead, p[6]);
    appendLimited(out.name, p + dic::kTownHead + p[6], p[7]);
    const std::size_t codeArea = size - (dic::kTownHead + p[6] + p[7]);
    if (telephone) {
        const unsigned char* area = p + dic::kTownHead + p[6] + p[7];
        if (area[0] != dic::kTelSameCodes) {
            lastTelCodes_.clear();
            const std::size_t n = std::min<std::size_t>(area[0], kMaxTelCodes);
            for (std::size_t i = 0; i < n; ++i)
                lastTelCodes_.push_back(dic::get24(area + 1 + 3 * i));
        }
        out.telCodes = lastTelCodes_;
    }
    townCursor_ += size;
    ++townCounter_;

    // A name too long for one record goes on in the following records with
    // the same code while its parentheses are open.
    while (townCounter_ < m.townCount && recordAt(townCursor_, codeArea, size)) {
        const unsigned char* q = block + townCursor_;
        if (dic::get24(q + 3) != out.code7 || !parenthesesUnbalanced(out.name)) break;
        appendLimited(out.name, q + dic::kTownHead + q[6], q[7]);
        townCursor_ += size;
        ++townCounter_;
    }
    return true;
}

std::uint16_t ZipEngine::edition() const {
    return getWord(mainHeader_.data() + dic::kHeaderEdition);
}

const char* ZipEngine::infoText(unsigned item) const {
    std::size_t offset =
        (item >= 1 && item <= 4) ? dic::kInfoOffsets[item - 1] : dic::kInfoOffsets[4];
    return reinterpret_cast<const char*>(mainInfo_.data()) + offset;
}

}  // namespace keszip
