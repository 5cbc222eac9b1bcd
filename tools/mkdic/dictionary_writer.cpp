#include "dictionary_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "build_error.h"

namespace mkdic {

namespace dic = keszip::dic;

namespace {

std::uint8_t textLength(const std::string& text) {
    if (text.size() > 0xFF) throw BuildError("a name is longer than 255 bytes");
    return static_cast<std::uint8_t>(text.size());
}

// Appends a record: its fixed head, whose last two bytes are the lengths of
// the reading and the name, then the two texts.
template <std::size_t N>
void appendRecord(std::string& out, std::array<unsigned char, N>& head, const std::string& reading,
                  const std::string& name) {
    head[N - 2] = textLength(reading);
    head[N - 1] = textLength(name);
    out.append(reinterpret_cast<const char*>(head.data()), N);
    out += reading;
    out += name;
}

std::string prefectureTable(const DictionaryModel& model) {
    std::string out;
    for (const Prefecture& p : model.prefectures) {
        std::array<unsigned char, dic::kPrefHead> h{};
        h[0] = p.code;
        dic::putWord(&h[1], p.firstCity);
        dic::putWord(&h[3], p.lastCity);
        dic::putWord(&h[5], p.firstMunicipality);
        dic::putWord(&h[7], p.lastMunicipality);
        appendRecord(out, h, p.reading, p.name);
    }
    return out;
}

std::string cityTable(const DictionaryModel& model) {
    std::string out;
    for (const City& c : model.cities) {
        std::array<unsigned char, dic::kCityHead> h{};
        dic::putWord(&h[0], c.lowCode);
        dic::putWord(&h[2], c.highCode);
        dic::putWord(&h[4], c.firstMunicipality);
        dic::putWord(&h[6], 0);  // not read by the engine
        appendRecord(out, h, c.reading, c.name);
    }
    return out;
}

std::string townBlock(const Municipality& m) {
    std::string out;
    out.reserve(m.blockBytes());
    for (const Town& t : m.towns) {
        if (t.oldCode > 0xFFFFFF || t.code7 > 0xFFFFFF) {
            throw BuildError("a postal code does not fit its 24-bit field");
        }
        std::array<unsigned char, dic::kTownHead> h{};
        dic::put24(&h[0], t.oldCode);
        dic::put24(&h[3], t.code7);
        appendRecord(out, h, t.reading, t.name);
        out += t.tail;
    }
    return out;
}

std::string municipalityTable(const DictionaryModel& model,
                              const std::vector<std::string>& blocks) {
    std::string out;
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < model.municipalities.size(); ++i) {
        const Municipality& m = model.municipalities[i];
        if (blocks[i].size() > dic::kMaxBlockSize || m.towns.size() > 0xFFFF ||
            offset > 0xFFFFFFFF) {
            throw BuildError("the town block of municipality " + std::to_string(m.code) +
                             " does not fit the dictionary format");
        }
        std::array<unsigned char, dic::kMuniHead> h{};
        dic::putWord(&h[0], m.code);
        dic::putWord(&h[2], static_cast<std::uint16_t>(m.cityIndex));
        h[4] = m.flags;
        dic::putDword(&h[5], m.lowCode7);
        dic::putDword(&h[9], m.highCode7);
        dic::putDword(&h[13], m.lowOldCode);
        dic::putDword(&h[17], m.highOldCode);
        dic::putDword(&h[21], static_cast<std::uint32_t>(offset));
        dic::putWord(&h[25], static_cast<std::uint16_t>(blocks[i].size()));
        dic::putWord(&h[27], static_cast<std::uint16_t>(m.towns.size()));
        appendRecord(out, h, m.reading, m.name);
        offset += blocks[i].size();
    }
    return out;
}

void putInfoText(unsigned char* block, std::size_t field, const std::string& text,
                 const char* what) {
    if (text.size() + 1 > dic::kInfoLimits[field]) {
        throw BuildError(std::string(what) + " \"" + text + "\" is longer than " +
                         std::to_string(dic::kInfoLimits[field] - 1) + " bytes");
    }
    std::memcpy(block + dic::kInfoOffsets[field], text.data(), text.size());
}

}  // namespace

void writeInfoBlock(unsigned char* block, const DictionaryInfo& info) {
    putInfoText(block, 0, info.dataDate, "data date");
    putInfoText(block, 1, info.buildDate, "build date");
    putInfoText(block, 2, info.version, "version");
    putInfoText(block, 3, info.description, "description");
    putInfoText(block, 4, info.notice, "notice");
}

std::string formerNameTable(const std::vector<FormerName>& names) {
    std::string out(dic::kFormerHead, '\0');
    std::memcpy(out.data(), dic::kFormerSignature, sizeof dic::kFormerSignature);
    dic::putDword(reinterpret_cast<unsigned char*>(out.data()) + sizeof dic::kFormerSignature,
                  static_cast<std::uint32_t>(names.size()));
    for (const FormerName& n : names) {
        if (n.former.empty() || n.now.empty() || n.former.size() > 255 || n.now.size() > 255) {
            throw BuildError("a former name or its name now is empty or longer than 255 bytes");
        }
        unsigned char head[dic::kFormerEntryHead];
        head[0] = n.kind;
        head[1] = n.prefecture;
        dic::putWord(head + 2, n.localCode);
        head[4] = static_cast<unsigned char>(n.former.size());
        head[5] = static_cast<unsigned char>(n.now.size());
        out.append(reinterpret_cast<const char*>(head), sizeof head);
        out += n.former;
        out += n.now;
    }
    return out;
}

std::string writeDictionary(const DictionaryModel& model, const DictionaryInfo& info,
                            const std::vector<std::uint32_t>& codeList) {
    std::vector<std::string> blocks;
    blocks.reserve(model.municipalities.size());
    std::size_t capacity = 0;
    for (const Municipality& m : model.municipalities) {
        blocks.push_back(townBlock(m));
        capacity = std::max(capacity, blocks.back().size());
    }
    const std::string prefectures = prefectureTable(model);
    const std::string cities = cityTable(model);
    const std::string municipalities = municipalityTable(model, blocks);
    if (model.prefectures.size() > 0xFFFF || model.cities.size() > 0xFFFF ||
        model.municipalities.size() > 0xFFFF || codeList.size() * 4 > 0xFFFF) {
        throw BuildError("too many records for the dictionary header");
    }

    std::string out(dic::kMainHeaderSize + dic::kInfoBlockSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(out.data());
    std::memcpy(h, info.signature, sizeof dic::kMainSignature);
    dic::putWord(h + dic::kHeaderEdition, info.edition);
    dic::putWord(h + dic::kHeaderInfoFlag, 1);
    dic::putWord(h + dic::kHeaderPrefCount, static_cast<std::uint16_t>(model.prefectures.size()));
    dic::putDword(h + dic::kHeaderPrefBytes, static_cast<std::uint32_t>(prefectures.size()));
    dic::putWord(h + dic::kHeaderCityCount, static_cast<std::uint16_t>(model.cities.size()));
    dic::putDword(h + dic::kHeaderCityBytes, static_cast<std::uint32_t>(cities.size()));
    dic::putWord(h + dic::kHeaderMuniCount,
                 static_cast<std::uint16_t>(model.municipalities.size()));
    dic::putDword(h + dic::kHeaderMuniBytes, static_cast<std::uint32_t>(municipalities.size()));
    dic::putWord(h + dic::kHeaderBlockCapacity, static_cast<std::uint16_t>(capacity));
    dic::putWord(h + dic::kHeaderCodeCount, static_cast<std::uint16_t>(codeList.size()));
    dic::putWord(h + dic::kHeaderCodeBytes, static_cast<std::uint16_t>(codeList.size() * 4));

    writeInfoBlock(h + dic::kMainHeaderSize, info);

    out += prefectures;
    out += cities;
    out += municipalities;
    for (const std::string& b : blocks) out += b;
    for (std::uint32_t code : codeList) {
        unsigned char entry[4];
        dic::putDword(entry, code);
        out.append(reinterpret_cast<const char*>(entry), sizeof entry);
    }
    if (!model.formerNames.empty()) out += formerNameTable(model.formerNames);
    return out;
}

}  // namespace mkdic
