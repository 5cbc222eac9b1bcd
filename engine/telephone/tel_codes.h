// Telephone codes as text: the written form of a stored code, the key of a
// number, whether a number falls under a code, and the code list of a town.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "src/records.h"

namespace keszip::tel {

// "0" and the number (bits 0-19) in decimal; with `hyphen` and a hyphen
// position p (bits 20-23) a "-" goes before character p, counting from 1:
// 27312 with position 5 is "0273-12".
std::string formatTelCode(std::uint32_t code, bool hyphen = true);

// The digits of `number` up to the first character that is neither a digit
// nor "-", "-" skipped, at most 9 of them, as a decimal number (a leading
// zero drops out): "0273-12" gives 27312.
std::uint32_t telKey(std::string_view number);

// Whether `number` lies under the written code: the number, blanks skipped,
// must be the code, end where the code has a "-", or go on after the whole
// code (a whole number inside the code's band). A number with a "-" is
// compared as written; one without is compared with the code's digits.
// 0273, 0273-12, 027312 and 0273-12-3456 fall under 0273-12; 02731 and
// 027-312 do not.
bool matchesTelCode(std::string_view number, std::string_view written);

struct TelCodeList {
    int count = 0;
    std::string text;  // the written codes joined by ","
};

// The town's codes, written with their hyphens and, while `baseDate` is 1 or
// later, in their renumbered form wherever renumbering applies.
TelCodeList listTelCodes(const TownCandidate& town, int baseDate);

// Writes a code list ("0273,0274-12,...") into `out` (capacity `size` with
// the NUL; may be null), cut after the last whole code that fits, and
// returns how many codes the written list holds.
int writeCodeList(std::string_view list, char* out, std::size_t size);

// The prefecture's name in Shift-JIS from the built-in table: "北海道" for 1
// through "沖縄県" for 47, "" for anything else.
std::string_view prefectureName(int prefecture);

}  // namespace keszip::tel
