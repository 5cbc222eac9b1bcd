#include "tel_decision.h"

#include <algorithm>

#include "renumber.h"
#include "src/fold.h"
#include "src/inc_search.h"
#include "tel_codes.h"

namespace keszip::tel {
namespace {

// 以下に掲載がない場合: the catch-all town contributes nothing of its own.
const std::string kGenericTown =
    "\x88\xC8\x89\xBA\x82\xC9\x8C\x66\x8D\xDA\x82\xAA\x82\xC8\x82\xA2\x8F\xEA\x8D\x87";
constexpr unsigned char kShi = 0xBC;  // ｼ: the reading of a city divided into wards ends so
constexpr std::size_t kGatherLimit = 65536;

bool matched(int r) { return r == kPrefixEqual || r == kPrefixEntryShorter; }

class Gatherer {
  public:
    Gatherer(ZipEngine& dictionary, int baseDate) : d_(dictionary), baseDate_(baseDate) {}

    std::vector<std::string> run(std::string_view text) {
        const auto& prefectures = d_.prefectures();
        std::string_view afterPref;
        int prefCode = 0;
        for (const auto& p : prefectures) {
            if (compare(text, p.reading, p.name, &afterPref) == kPrefixEntryShorter) {
                prefCode = p.code;
                break;
            }
        }
        if (prefCode == 0) return {};

        // The city level: cities divided into wards first, then counties.
        int cityResult = kPrefixDiffers;
        std::size_t city = 0;
        std::string_view afterCity;
        for (int pass = 0; pass < 2 && !matched(cityResult); ++pass) {
            for (std::size_t i = 0; i < d_.cities().size(); ++i) {
                const CityRecord& c = d_.cities()[i];
                if (c.lowCode / 1000 != prefCode || isCityProper(c) != (pass == 0)) continue;
                int r = compare(afterPref, c.reading, c.name, &afterCity);
                if (matched(r)) {
                    cityResult = r;
                    city = i;
                    break;
                }
            }
        }

        // The municipality level, below the city when one was named.
        int muniResult = kPrefixDiffers;
        std::size_t muni = 0;
        std::string_view afterMuni;
        if (!matched(cityResult) || cityResult == kPrefixEntryShorter) {
            std::string_view from = matched(cityResult) ? afterCity : afterPref;
            for (std::size_t i = 0; i < d_.municipalities().size(); ++i) {
                const MunicipalityRecord& m = d_.municipalities()[i];
                if (m.code / 1000 != prefCode) continue;
                bool inCity =
                    matched(cityResult) ? m.cityIndex == static_cast<int>(city) : m.cityIndex < 0;
                if (!inCity) continue;
                int r = compare(from, m.reading, m.name, &afterMuni);
                if (matched(r)) {
                    muniResult = r;
                    muni = i;
                    break;
                }
            }
        }

        if (muniResult == kPrefixEntryShorter) {
            // The towns the text names give their full codes.
            TownCandidate town;
            for (bool restart = true; d_.nextTown(restart, muni, town); restart = false) {
                if (town.name == kGenericTown) continue;
                if (!matched(compare(afterMuni, town.reading, town.name, nullptr))) continue;
                for (std::uint32_t code : town.telCodes) add(formatTelCode(code, true));
            }
        } else if (muniResult == kPrefixEqual && !matched(cityResult)) {
            for (std::size_t i = 0; i < d_.municipalities().size(); ++i) {
                const MunicipalityRecord& m = d_.municipalities()[i];
                if (m.code / 1000 != prefCode || m.cityIndex >= 0) continue;
                if (matched(compare(afterPref, m.reading, m.name, nullptr))) addAreaCodes(i);
            }
        } else if (matched(cityResult) && !matched(muniResult)) {
            for (std::size_t i = 0; i < d_.cities().size(); ++i) {
                const CityRecord& c = d_.cities()[i];
                if (c.lowCode / 1000 != prefCode) continue;
                if (!matched(compare(afterPref, c.reading, c.name, nullptr))) continue;
                for (std::size_t m = 0; m < d_.municipalities().size(); ++m)
                    if (d_.municipalities()[m].cityIndex == static_cast<int>(i)) addAreaCodes(m);
            }
        } else {
            for (std::size_t i = 0; i < d_.cities().size(); ++i) {
                const CityRecord& c = d_.cities()[i];
                if (c.lowCode / 1000 != prefCode) continue;
                std::string_view rest;
                if (compare(afterPref, c.reading, c.name, &rest) != kPrefixEntryShorter) continue;
                for (std::size_t m = 0; m < d_.municipalities().size(); ++m) {
                    const MunicipalityRecord& r = d_.municipalities()[m];
                    if (r.cityIndex == static_cast<int>(i) &&
                        matched(compare(rest, r.reading, r.name, nullptr)))
                        addAreaCodes(m);
                }
            }
        }
        return codes_;
    }

  private:
    static bool isCityProper(const CityRecord& c) {
        return !c.reading.empty() && static_cast<unsigned char>(c.reading.back()) == kShi;
    }

    // The reading first, then the name, both in the literal form.
    int compare(std::string_view text, const std::string& reading, const std::string& name,
                std::string_view* rest) {
        int r = prefixCompare(text, foldText(reading, kFoldLiteral, d_.foldSettings()), rest);
        if (r == kPrefixDiffers)
            r = prefixCompare(text, foldText(name, kFoldLiteral, d_.foldSettings()), rest);
        return r;
    }

    // The area codes of every town of a municipality; a code with bit 23 set
    // is taken whole.
    void addAreaCodes(std::size_t muni) {
        TownCandidate town;
        for (bool restart = true; d_.nextTown(restart, muni, town); restart = false) {
            for (std::uint32_t code : town.telCodes) {
                std::string written = formatTelCode(code, true);
                if (!(code & 0x800000u)) written = written.substr(0, written.find('-'));
                add(std::move(written));
            }
        }
    }

    void add(std::string code) {
        if (baseDate_ >= 1) {
            if (auto renumbered = renumber(code, baseDate_)) code = std::move(*renumbered);
        }
        if (std::find(codes_.begin(), codes_.end(), code) != codes_.end()) return;
        if (bytes_ + code.size() + 1 > kGatherLimit) return;
        bytes_ += code.size() + 1;
        codes_.push_back(std::move(code));
    }

    ZipEngine& d_;
    int baseDate_;
    std::vector<std::string> codes_;
    std::size_t bytes_ = 0;
};

}  // namespace

std::vector<std::string> decisionCodes(ZipEngine& dictionary, std::string_view address,
                                       int baseDate) {
    if (address.empty()) return {};
    std::string folded = foldText(address, kFoldLiteral, dictionary.foldSettings());
    if (address.back() == '*' && (folded.empty() || folded.back() != '*')) folded += '*';
    if (folded.empty()) return {};
    return Gatherer(dictionary, baseDate).run(folded);
}

}  // namespace keszip::tel
