// The pieces of KESTEL.DIC that come from the telephone area data: the
// written telephone codes of a number band, their 24-bit stored form, and the
// zone notes that say which towns of a split municipality a compartment serves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "telephone_csv.h"

namespace mkdic {

// The written codes of a band: area code, hyphen, the leading digits after
// the area code ("0123-1"); the bare area code when the band equals it. An
// eliminated prefix is cut out by listing its siblings one digit deeper.
std::vector<std::string> bandCodes(const NumberBand& band);

// The 24-bit stored form of a written code: the number without its leading
// zero in bits 0-19, the hyphen position (1-based, before that character; 0
// when there is none) in bits 20-23. Throws BuildError when it does not fit.
std::uint32_t encodeTelCode(std::string_view written);

// Which towns of a municipality a compartment serves, from its zone note:
// all of them (no note), the towns named ("音別町", "…に限る。") or all but
// those named ("…を除く。"). A name given with districts ("石神一丁目及び三丁目")
// names only part of a town: such a town is served by both sides.
class ZoneRule {
  public:
    // `noteUtf8` as in the data; the names are kept in Shift-JIS.
    static ZoneRule parse(std::string_view noteUtf8);
    // `townSjis` is the town's full name in Shift-JIS.
    bool serves(std::string_view townSjis) const;

  private:
    struct Name {
        std::string sjis;
        bool partial = false;
    };
    enum class Kind { All, Only, Except } kind_ = Kind::All;
    std::vector<Name> names_;
};

}  // namespace mkdic
