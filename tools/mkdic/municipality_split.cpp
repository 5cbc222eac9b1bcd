#include "municipality_split.h"

#include <string>

#include "build_error.h"
#include "sjis_text.h"

namespace mkdic {

namespace {

// Start offsets of every character of `text` (and its length at the end).
std::vector<std::size_t> charStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < text.size(); pos += sjis::charLength(text, pos)) {
        starts.push_back(pos);
    }
    return starts;
}

// Does the reading remainder end the way a municipality with this kanji name is read?
bool remainderFits(std::string_view remainder, std::string_view name) {
    if (remainder.empty()) return false;
    if (sjis::endsWithChars(name, sjis::kKu)) return remainder.ends_with(sjis::kReadKu);
    if (sjis::endsWithChars(name, sjis::kChou)) {
        return remainder.ends_with(sjis::kReadChou) || remainder.ends_with(sjis::kReadMachi);
    }
    if (sjis::endsWithChars(name, sjis::kMura)) {
        return remainder.ends_with(sjis::kReadMura) || remainder.ends_with(sjis::kReadSon);
    }
    if (sjis::endsWithChars(name, sjis::kShi)) return remainder.ends_with(sjis::kReadShi);
    return true;
}

bool allFit(std::size_t cut, const std::vector<std::string_view>& readings,
            const std::vector<std::string_view>& names) {
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!remainderFits(readings[i].substr(cut), names[i])) return false;
    }
    return true;
}

}  // namespace

NameSplit splitMunicipalityName(std::string_view name) {
    const std::vector<std::size_t> starts = charStarts(name);
    const auto charAt = [&](std::size_t i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : name.size();
        return name.substr(starts[i], end - starts[i]);
    };
    // At least one character before the split and one before the final suffix.
    if (starts.size() < 4) return {};
    const std::string_view last = charAt(starts.size() - 1);
    if (last == sjis::kKu) {
        // The last 市 that has a name before it and a ward name after it.
        for (std::size_t i = starts.size() - 3; i >= 1; --i) {
            if (charAt(i) == sjis::kShi) return {CityKind::WardedCity, starts[i + 1]};
        }
    } else if (last == sjis::kChou || last == sjis::kMura) {
        for (std::size_t i = 1; i + 2 < starts.size(); ++i) {
            if (charAt(i) == sjis::kGun) return {CityKind::County, starts[i + 1]};
        }
    }
    return {};
}

std::size_t cityReadingLength(CityKind kind, const std::vector<std::string_view>& readings,
                              const std::vector<std::string_view>& names,
                              std::string_view context) {
    const std::string_view marker = kind == CityKind::County ? sjis::kReadGun : sjis::kReadShi;
    const auto fail = [&](const std::string& why) -> std::size_t {
        throw BuildError(std::string(context) + ": cannot split the reading \"" +
                         std::string(readings.empty() ? "" : readings.front()) + "\" into " +
                         (kind == CityKind::County ? "county" : "city") + " and municipality (" +
                         why + ")");
    };
    if (kind == CityKind::None || readings.empty() || readings.size() != names.size()) {
        return fail("nothing to split");
    }

    // Readings are half-width katakana, one byte a character, so byte prefixes are safe.
    std::size_t common = readings.front().size();
    for (std::string_view r : readings) {
        std::size_t n = 0;
        while (n < common && n < r.size() && r[n] == readings.front()[n]) ++n;
        common = n;
    }
    // Candidate cut points: just after each occurrence of the marker inside the common prefix.
    std::vector<std::size_t> cuts;
    const std::string_view prefix = readings.front().substr(0, common);
    // The city or county has a name before its suffix, so the marker never starts the reading.
    for (std::size_t at = prefix.find(marker, 1); at != std::string_view::npos;
         at = prefix.find(marker, at + 1)) {
        cuts.push_back(at + marker.size());
    }
    std::vector<std::size_t> fitting;
    for (std::size_t cut : cuts) {
        if (allFit(cut, readings, names)) fitting.push_back(cut);
    }
    if (fitting.empty()) return fail("no fitting " + std::string(marker));
    if (readings.size() > 1) return fitting.back();
    if (kind == CityKind::County) return fitting.front();
    if (fitting.size() > 1) return fail("a city with a single ward and an ambiguous reading");
    return fitting.front();
}

}  // namespace mkdic
