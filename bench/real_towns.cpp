#include "real_towns.h"

#include <map>
#include <set>
#include <utility>

#include "ken_all_source.h"
#include "src/shift_jis_text.h"

namespace bench {
namespace {

const std::string kOpenParen = "\x81\x69";  // （
const std::string kGeneric =
    "\x88\xC8\x89\xBA\x82\xC9\x8C\x66\x8D\xDA\x82\xAA\x82\xC8\x82\xA2\x8F\xEA\x8D\x87";  // 以下に掲載がない場合

std::string cutAt(const std::string& text, const std::string& mark) {
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, mark.size(), mark) == 0) return text.substr(0, i);
        unsigned char c = static_cast<unsigned char>(text[i]);
        i += keszip::isLeadByte(c) ? 2 : 1;
    }
    return text;
}

// Not a place but a rule: addresses whose number follows the municipality name.
const std::string kNumberRule =
    "\x82\xCC\x8E\x9F\x82\xC9\x94\xD4\x92\x6E\x82\xAA\x82\xAD\x82\xE9\x8F\xEA\x8D"
    "\x87";  // の次に番地がくる場合

}  // namespace

std::string RealTown::baseName() const { return cutAt(townName, kOpenParen); }
std::string RealTown::baseReading() const { return cutAt(townReading, "("); }
bool RealTown::generic() const { return townName == kGeneric; }

std::vector<RealTown> loadRealTowns(const std::string& path) {
    std::vector<RealTown> towns;
    for (const auto& row : mkdic::readKenAllSource(path).towns) {
        RealTown t;
        t.localCode = row.localCode;
        t.code7 = row.code7;
        t.prefName = row.prefectureName;
        t.cityName = row.cityName;
        t.townName = row.townName;
        t.prefReading = row.prefectureReading;
        t.cityReading = row.cityReading;
        t.townReading = row.townReading;
        towns.push_back(std::move(t));
    }
    return towns;
}

std::vector<RealTown> townsNamingOnePlace(const std::vector<RealTown>& towns) {
    std::map<std::pair<std::uint32_t, std::string>, std::set<std::uint32_t>> codes;
    for (const auto& t : towns) codes[{t.localCode, t.baseName()}].insert(t.code7);
    std::vector<RealTown> out;
    std::set<std::pair<std::uint32_t, std::string>> taken;
    for (const auto& t : towns) {
        if (t.generic() || t.baseName().empty()) continue;
        if (keszip::containsText(t.townName, kNumberRule)) continue;
        std::pair<std::uint32_t, std::string> key{t.localCode, t.baseName()};
        if (codes[key].size() != 1 || !taken.insert(key).second) continue;
        out.push_back(t);
    }
    return out;
}

}  // namespace bench
