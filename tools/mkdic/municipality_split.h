// Splits the city column of the source ("札幌市中央区", "北群馬郡榛東村") into
// the city or county part, which gets a city record of its own, and the
// municipality part, for the kanji name and for the reading.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace mkdic {

enum class CityKind {
    None,        // a plain municipality: 千代田区, 郡山市, 三宅島三宅村
    WardedCity,  // a ward of a city divided into wards: 札幌市 + 中央区
    County,      // a town or village of a county: 北群馬郡 + 榛東村
};

struct NameSplit {
    CityKind kind = CityKind::None;
    std::size_t cityBytes = 0;  // length of the city or county part of the name
};

// A ward: the name ends in 区 and a part ending in 市 stands before it; the
// last 市 is taken, since city names hold 市 (四日市市, 市川市) but ward names do
// not. A county: the name ends in 町 or 村 and holds 郡 with text before it;
// the first 郡 is taken, since town names may begin with 郡 but county names do
// not hold it twice. Anything else (郡山市, 千代田区) is not split.
NameSplit splitMunicipalityName(std::string_view name);

// Length of the city or county part of the readings of one run of
// municipalities that share a city or county (`names` are the kanji
// municipality parts, used to check the remainders). The part ends in ｼ for a
// city and ｸﾞﾝ for a county; every remainder must be non-empty and end like its
// municipality's kind (区 ｸ, 町 ﾁｮｳ or ﾏﾁ, 村 ﾑﾗ or ｿﾝ, 市 ｼ). With several
// municipalities the longest common prefix is backed off to the last fitting
// suffix; a county of one municipality takes the first ｸﾞﾝ that leaves a fitting
// remainder, a city of one ward needs exactly one such ｼ. Throws BuildError
// (with `context` in the message) when no split fits.
std::size_t cityReadingLength(CityKind kind, const std::vector<std::string_view>& readings,
                              const std::vector<std::string_view>& names, std::string_view context);

}  // namespace mkdic
