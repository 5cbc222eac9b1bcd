// Byte layout of KESCMP.DIC, the dictionary of large business offices. The
// engine reads it and the dictionary builder writes it. Little-endian; texts
// in records are preceded by their lengths in the record head.
#pragma once

#include <cstddef>

namespace keszip::dic {

// --- File header (20 bytes) ----------------------------------------------------
inline constexpr std::size_t kOfficeHeaderSize = 20;
inline constexpr char kOfficeSignature[] = "KesCmp";  // 6 bytes + NUL at offset 0
inline constexpr std::size_t kOfficeEdition = 8;      // word
inline constexpr std::size_t kOfficeInfoFlag = 10;    // word, 1 = info block follows
inline constexpr std::size_t kOfficeCount = 12;       // dword
inline constexpr std::size_t kOfficeBytes = 16;       // dword, size of the office table

// --- Office record: 16 + r1 + r2 + r3 + r4 bytes ---------------------------------
//  0 word  local-government code   2 dword old code   6 dword 7-digit code
// 10 byte  r1 reading length      11 byte  r2 name length   12 two bytes unused
// 14 byte  r3 town length         15 byte  r4 remark length
// 16 reading, name, town, remark
inline constexpr std::size_t kOfficeHead = 16;

}  // namespace keszip::dic
