#include "dictionary_data.h"

#include <platform/binary_file.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <tuple>

#include "fold.h"
#include "keszip.h"

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

// A table of `size` bytes at `offset`; false when the file is shorter.
bool tableAt(const std::vector<unsigned char>& file, std::uint64_t offset, std::size_t size,
             const unsigned char*& table) {
    if (offset > file.size() || size > file.size() - offset) return false;
    table = file.data() + offset;
    return true;
}

bool parsePrefectures(const unsigned char* bytes, std::size_t available, std::size_t count,
                      std::vector<PrefectureRecord>& out) {
    // Every record takes at least its head, so a larger count is false.
    if (count > available / dic::kPrefHead) return false;
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        const unsigned char* p = bytes + pos;
        std::size_t size = 0;
        if (!readTexts(p, available - pos, dic::kPrefHead, r.reading, r.name, size)) return false;
        r.code = p[0];
        r.firstCity = getWord(p + 1);
        r.lastCity = getWord(p + 3);
        r.firstMunicipality = getWord(p + 5);
        r.lastMunicipality = getWord(p + 7);
        pos += size;
    }
    return true;
}

bool parseCities(const unsigned char* bytes, std::size_t available, std::size_t count,
                 std::vector<CityRecord>& out) {
    if (count > available / dic::kCityHead) return false;
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        const unsigned char* p = bytes + pos;
        std::size_t size = 0;
        if (!readTexts(p, available - pos, dic::kCityHead, r.reading, r.name, size)) return false;
        r.lowCode = getWord(p);
        r.highCode = getWord(p + 2);
        r.firstMunicipality = getWord(p + 4);
        r.unused = getWord(p + 6);
        pos += size;
    }
    return true;
}

bool parseMunicipalities(const unsigned char* bytes, std::size_t available, std::size_t count,
                         std::uint64_t blockBase, std::vector<MunicipalityRecord>& out) {
    if (count > available / dic::kMuniHead) return false;
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        const unsigned char* p = bytes + pos;
        std::size_t size = 0;
        if (!readTexts(p, available - pos, dic::kMuniHead, r.reading, r.name, size)) return false;
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

// The former names after the code list, when the file holds any. Bytes there
// without the table's signature are ignored, as they always were; a table
// with its signature must have all its entries inside the file.
bool parseFormerNames(const std::vector<unsigned char>& file, std::uint64_t at,
                      std::vector<FormerNameRecord>& out) {
    const unsigned char* head = nullptr;
    if (!tableAt(file, at, dic::kFormerHead, head) ||
        std::memcmp(head, dic::kFormerSignature, sizeof dic::kFormerSignature) != 0)
        return true;
    const std::uint32_t count = getDword(head + sizeof dic::kFormerSignature);
    std::uint64_t pos = at + dic::kFormerHead;
    if (count > (file.size() - pos) / dic::kFormerEntryHead) return false;
    out.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* p = nullptr;
        if (!tableAt(file, pos, dic::kFormerEntryHead, p)) return false;
        const std::size_t formerLength = p[4], nowLength = p[5];
        const unsigned char* texts = nullptr;
        if ((p[0] != dic::kFormerMunicipality && p[0] != dic::kFormerTown) || formerLength == 0 ||
            nowLength == 0 ||
            !tableAt(file, pos + dic::kFormerEntryHead, formerLength + nowLength, texts))
            return false;
        FormerNameRecord r;
        r.kind = p[0];
        r.prefecture = p[1];
        r.localCode = getWord(p + 2);
        r.former.assign(reinterpret_cast<const char*>(texts), formerLength);
        r.now.assign(reinterpret_cast<const char*>(texts) + formerLength, nowLength);
        out.push_back(std::move(r));
        pos += dic::kFormerEntryHead + formerLength + nowLength;
    }
    // The lookup reads the entries of one kind and municipality at a time.
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return std::tuple(a.kind, a.prefecture, a.localCode) <
               std::tuple(b.kind, b.prefecture, b.localCode);
    });
    return true;
}

// An index range of a directory record is sound when it is empty or lies
// inside the table it points into.
bool rangeInside(std::size_t first, std::size_t last, std::size_t count) {
    return last < first || (first < count && last < count);
}

// The checks and tables of the file in `d.bytes`; 0 or the error code.
int parse(DictionaryData& d) {
    const std::vector<unsigned char>& file = d.bytes;
    if (file.size() < dic::kMainHeaderSize) return KESZIP_ERR_HEADER;
    std::memcpy(d.header.data(), file.data(), dic::kMainHeaderSize);
    const char* signature =
        d.kind == DictionaryKind::Telephone ? dic::kTelSignature : dic::kMainSignature;
    static_assert(sizeof dic::kTelSignature == sizeof dic::kMainSignature);
    if (std::memcmp(d.header.data(), signature, sizeof dic::kMainSignature) != 0)
        return KESZIP_ERR_SIGNATURE;

    const unsigned char* h = d.header.data();
    std::uint64_t dataStart = dic::kMainHeaderSize;
    if (getWord(h + dic::kHeaderInfoFlag) == 1) {
        const unsigned char* info = nullptr;
        if (!tableAt(file, dataStart, dic::kInfoBlockSize, info)) return KESZIP_ERR_HEADER;
        std::memcpy(d.info.data(), info, dic::kInfoBlockSize);
        dataStart += dic::kInfoBlockSize;
    }

    const std::size_t prefBytes = getDword(h + dic::kHeaderPrefBytes);
    const std::size_t cityBytes = getDword(h + dic::kHeaderCityBytes);
    const std::size_t muniBytes = getDword(h + dic::kHeaderMuniBytes);
    const unsigned char* table = nullptr;
    std::uint64_t at = dataStart;
    if (!tableAt(file, at, prefBytes, table) ||
        !parsePrefectures(table, prefBytes, getWord(h + dic::kHeaderPrefCount), d.prefectures))
        return KESZIP_ERR_PREFECTURE_TABLE;
    at += prefBytes;
    if (!tableAt(file, at, cityBytes, table) ||
        !parseCities(table, cityBytes, getWord(h + dic::kHeaderCityCount), d.cities))
        return KESZIP_ERR_CITY_TABLE;
    at += cityBytes;
    const std::uint64_t blockBase = at + muniBytes;
    if (!tableAt(file, at, muniBytes, table) ||
        !parseMunicipalities(table, muniBytes, getWord(h + dic::kHeaderMuniCount), blockBase,
                             d.municipalities))
        return KESZIP_ERR_MUNICIPALITY_TABLE;

    // Indexes that point outside their tables would send later searches out
    // of bounds; such a file is refused as a short table would be.
    for (const auto& p : d.prefectures) {
        if (!rangeInside(p.firstCity, p.lastCity, d.cities.size()) ||
            !rangeInside(p.firstMunicipality, p.lastMunicipality, d.municipalities.size()))
            return KESZIP_ERR_PREFECTURE_TABLE;
    }
    for (const auto& c : d.cities) {
        if (c.firstMunicipality >= d.municipalities.size() && !d.municipalities.empty())
            return KESZIP_ERR_CITY_TABLE;
    }
    for (const auto& m : d.municipalities) {
        if (m.cityIndex < -1 ||
            (m.cityIndex >= 0 && static_cast<std::size_t>(m.cityIndex) >= d.cities.size()))
            return KESZIP_ERR_MUNICIPALITY_TABLE;
    }

    // The code list follows the last municipality's town block; the
    // telephone dictionary has none.
    if (d.kind == DictionaryKind::Postal) {
        const std::uint64_t codeListStart =
            d.municipalities.empty()
                ? blockBase
                : d.municipalities.back().blockOffset + d.municipalities.back().blockSize;
        const std::size_t codeCount = getWord(h + dic::kHeaderCodeCount);
        const std::size_t codeBytes = getWord(h + dic::kHeaderCodeBytes);
        const unsigned char* codes = nullptr;
        if (codeBytes < codeCount * 4 ||
            (codeBytes > 0 && !tableAt(file, codeListStart, codeBytes, codes)))
            return KESZIP_ERR_CODE_LIST;
        d.codeList.resize(codeCount);
        for (std::size_t i = 0; i < codeCount; ++i) d.codeList[i] = getDword(codes + 4 * i);
        if (!parseFormerNames(file, codeListStart + codeBytes, d.formerNames))
            return KESZIP_ERR_CODE_LIST;
    }
    d.blockCapacity = getWord(h + dic::kHeaderBlockCapacity);
    auto byPrefecture = [](std::vector<std::vector<std::uint16_t>>& index, std::size_t pref,
                           std::size_t i) {
        if (index.size() <= pref) index.resize(pref + 1);
        index[pref].push_back(static_cast<std::uint16_t>(i));
    };
    for (std::size_t i = 0; i < d.municipalities.size(); ++i)
        byPrefecture(d.municipalitiesByPrefecture, d.municipalities[i].code / 1000, i);
    for (std::size_t i = 0; i < d.cities.size(); ++i)
        byPrefecture(d.citiesByPrefecture, d.cities[i].lowCode / 1000, i);

    // Directory names are compared with every address; their matching forms
    // never change while the dictionary is open, so fold them once.
    for (auto& p : d.prefectures) {
        p.foldedReading = foldText(p.reading, kFoldMatching, d.settings);
        p.foldedName = foldText(p.name, kFoldMatching, d.settings);
    }
    for (auto& c : d.cities) {
        c.foldedReading = foldText(c.reading, kFoldMatching, d.settings);
        c.foldedName = foldText(c.name, kFoldMatching, d.settings);
    }
    for (auto& m : d.municipalities) {
        m.foldedReading = foldText(m.reading, kFoldMatching, d.settings);
        m.foldedName = foldText(m.name, kFoldMatching, d.settings);
    }
    return KESZIP_ERR_NONE;
}

bool readFile(const std::string& path, std::vector<unsigned char>& out) {
    platform::BinaryFile file;
    if (!file.open(path)) return false;
    out.resize(file.size());
    std::size_t got = file.read(out.data(), out.size());
    out.resize(got);
    // A file that grew while it was read is read on to its end.
    unsigned char chunk[65536];
    while (std::size_t n = file.read(chunk, sizeof chunk)) out.insert(out.end(), chunk, chunk + n);
    return true;
}

// One dictionary the process holds open, as far as sharing is concerned.
struct SharedEntry {
    std::string path;
    DictionaryKind kind;
    FoldSettings settings;
    std::weak_ptr<const DictionaryData> data;
};

}  // namespace

const unsigned char* DictionaryData::block(const MunicipalityRecord& m) const {
    if (m.blockSize > blockCapacity || m.blockOffset > bytes.size() ||
        m.blockSize > bytes.size() - m.blockOffset)
        return nullptr;
    return bytes.data() + m.blockOffset;
}

std::shared_ptr<const DictionaryData> loadDictionaryData(const std::string& path,
                                                         DictionaryKind kind,
                                                         const FoldSettings& settings, int& error) {
    auto d = std::make_shared<DictionaryData>();
    d->kind = kind;
    d->settings = settings;
    if (!readFile(path, d->bytes)) {
        error = KESZIP_ERR_FILE;
        return nullptr;
    }
    error = parse(*d);
    if (error != KESZIP_ERR_NONE) return nullptr;
    return d;
}

std::shared_ptr<const DictionaryData> sharedDictionary(const std::string& path, DictionaryKind kind,
                                                       const FoldSettings& settings, int& error) {
    static std::mutex mutex;
    static std::vector<SharedEntry> entries;
    std::lock_guard<std::mutex> lock(mutex);
    std::erase_if(entries, [](const SharedEntry& e) { return e.data.expired(); });

    // A file replaced since it was loaded is loaded afresh: the copy in use
    // must still be the file on disk, which its size and header tell.
    std::array<unsigned char, dic::kMainHeaderSize> header{};
    std::uint64_t size = 0;
    {
        platform::BinaryFile file;
        if (!file.open(path)) {
            error = KESZIP_ERR_FILE;
            return nullptr;
        }
        size = file.size();
        file.read(header.data(), header.size());
    }
    for (const SharedEntry& e : entries) {
        if (e.path != path || e.kind != kind || !(e.settings == settings)) continue;
        auto data = e.data.lock();
        if (data && data->bytes.size() == size && data->header == header) {
            error = KESZIP_ERR_NONE;
            return data;
        }
    }
    auto data = loadDictionaryData(path, kind, settings, error);
    if (data) entries.push_back({path, kind, settings, data});
    return data;
}

}  // namespace keszip
