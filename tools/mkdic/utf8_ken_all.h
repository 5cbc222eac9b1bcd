// Rows of utf_ken_all.csv, the UTF-8 form of Japan Post's postal code data:
// one row per town (a long name is never continued on a following row),
// readings in full-width katakana. The rows are converted to the forms of
// KEN_ALL.CSV (Shift-JIS names, half-width katakana readings), so that both
// files of one date give the same dictionary.
#pragma once

#include <platform/sjis.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ken_all.h"

namespace mkdic {

// Converts UTF-8 texts of the source into Shift-JIS, character by character,
// the way Japan Post means them: the characters that Unicode mappings of
// Shift-JIS disagree on (U+301C WAVE DASH, U+2212 MINUS SIGN, U+2016, U+2014,
// U+00A2, U+00A3, U+00AC, U+00A6) become the Shift-JIS characters they stand
// for (～ 0x8160, － 0x817C, ...).
class Utf8ToSjis {
  public:
    Utf8ToSjis();

    // Appends the Shift-JIS form of `utf8` to `out`. On a character with no
    // Shift-JIS form, or invalid UTF-8, returns false and describes it in `problem`.
    bool name(std::string_view utf8, std::string& out, std::string& problem);
    // As name(), with katakana, digits, letters and punctuation written in
    // their half-width forms, as the readings of KEN_ALL.CSV are.
    bool reading(std::string_view utf8, std::string& out, std::string& problem);

  private:
    bool convert(std::string_view utf8, bool halfWidth, std::string& out, std::string& problem);
    // Shift-JIS of one code point: 0 not yet known, 1 none, below 0x100 one byte.
    std::uint16_t sjisOf(std::uint32_t codePoint);

    std::vector<std::uint16_t> cache_;
    platform::SjisConverter sjis_;
};

// Parses the whole file: lines end in CR LF or LF, a byte-order mark at the
// start and empty lines are skipped. Throws BuildError "<source> line N: ..."
// for what parseKenAllLine refuses, invalid UTF-8 and a character with no
// Shift-JIS form.
std::vector<KenAllRow> parseUtf8KenAll(std::string_view text,
                                       std::string_view sourceName = "utf_ken_all.csv");

// True when the text starts with a byte-order mark, or its first line is
// UTF-8 with at least one character outside ASCII (a line of Japan Post's
// Shift-JIS file is never valid UTF-8: its half-width readings are bytes that
// UTF-8 cannot have in that order). Later lines are checked as they are read.
bool looksLikeUtf8(std::string_view text);

}  // namespace mkdic
