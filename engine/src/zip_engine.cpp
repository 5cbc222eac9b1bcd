#include "zip_engine.h"

#include <platform/paths.h>
#include <platform/profile.h>
#include <platform/sjis_bytes.h>

#include <algorithm>
#include <cstring>

#include "file_location.h"
#include "fold.h"
#include "substitution_table.h"

namespace keszip {

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
    settings_.indexSubstitutions();
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
    clearMain();
    lastError_ = kErrNone;
    return 1;
}

void ZipEngine::clearMain() {
    mainOpen_ = false;
    data_.reset();
    info_.fill(0);
    block_ = nullptr;
    match.clear();
    townCache.clear();
    loadedBlockCode_ = -1;
    loadedBlockIndex_ = 0;
    townCursor_ = 0;
    townCounter_ = 0;
    lastTelCodes_.clear();
}

const DictionaryData& ZipEngine::data() const {
    static const DictionaryData closed;
    return data_ ? *data_ : closed;
}

const std::vector<std::uint16_t>& ZipEngine::inPrefecture(
    const std::vector<std::vector<std::uint16_t>>& index, int prefecture) {
    static const std::vector<std::uint16_t> none;
    if (prefecture < 0 || static_cast<std::size_t>(prefecture) >= index.size()) return none;
    return index[static_cast<std::size_t>(prefecture)];
}

bool ZipEngine::loadMainDictionary(const std::string& path) {
    clearMain();
    // Any failure leaves the engine closed with no partial table.
    int error = kErrNone;
    data_ = sharedDictionary(path, kind_, settings_, error);
    if (!data_) {
        lastError_ = error;
        return false;
    }
    info_ = data_->info;
    mainOpen_ = true;
    ++loadCount_;
    return true;
}

bool ZipEngine::loadTownBlock(std::size_t municipality) {
    const auto& municipalities = data().municipalities;
    if (municipality >= municipalities.size()) {
        lastError_ = kErrTownBlock;
        return false;
    }
    const auto& m = municipalities[municipality];
    // A municipality too large for one block is stored as several records
    // with the same code, so the loaded block is known by its index as well.
    if (loadedBlockCode_ == m.code && loadedBlockIndex_ == municipality) return true;
    loadedBlockCode_ = -1;
    block_ = data_->block(m);
    if (!block_) {
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
        if (platform::isSjisLead(c)) {
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
    const auto& m = data_->municipalities[municipality];
    if (townCounter_ >= m.townCount) return false;

    const unsigned char* block = block_;
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
    return dic::getWord(data().header.data() + dic::kHeaderEdition);
}

const char* ZipEngine::infoText(unsigned item) const {
    std::size_t offset =
        (item >= 1 && item <= 4) ? dic::kInfoOffsets[item - 1] : dic::kInfoOffsets[4];
    return reinterpret_cast<const char*>(info_.data()) + offset;
}

}  // namespace keszip
