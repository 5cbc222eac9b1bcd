// Byte layout of the engine's dictionary files. The engine reads these files
// and the dictionary builder writes them, so both take their offsets and sizes
// from here. All numbers are little-endian; texts inside records are not
// terminated but preceded by their length in the record head.
#pragma once

#include <cstddef>
#include <cstdint>

namespace keszip::dic {

// --- File header of KESZIP.DIC (36 bytes) ---------------------------------
inline constexpr std::size_t kMainHeaderSize = 36;
inline constexpr char kMainSignature[] = "KesZip";       // 6 bytes + NUL at offset 0
inline constexpr std::size_t kHeaderEdition = 8;         // word
inline constexpr std::size_t kHeaderInfoFlag = 10;       // word, 1 = info block follows
inline constexpr std::size_t kHeaderPrefCount = 12;      // word
inline constexpr std::size_t kHeaderPrefBytes = 14;      // dword
inline constexpr std::size_t kHeaderCityCount = 18;      // word
inline constexpr std::size_t kHeaderCityBytes = 20;      // dword
inline constexpr std::size_t kHeaderMuniCount = 24;      // word
inline constexpr std::size_t kHeaderMuniBytes = 26;      // dword
inline constexpr std::size_t kHeaderBlockCapacity = 30;  // word
inline constexpr std::size_t kHeaderCodeCount = 32;      // word
inline constexpr std::size_t kHeaderCodeBytes = 34;      // word

// --- Information block (512 bytes, optional) -------------------------------
// NUL-terminated texts handed out unchanged by the version query.
inline constexpr std::size_t kInfoBlockSize = 512;
inline constexpr std::size_t kInfoOffsets[] = {0, 12, 23, 34, 256};
inline constexpr std::size_t kInfoLimits[] = {12, 11, 11, 222, 256};

// --- Prefecture record: 11 + rlen + klen bytes ------------------------------
//  0 byte  prefecture code 1-47
//  1 word  first city index      3 word  last city index
//  5 word  first municipality    7 word  last municipality
//  9 byte  rlen                 10 byte  klen      11 reading, name
inline constexpr std::size_t kPrefHead = 11;

// --- City record (city divided into wards, or county): 10 + rlen + klen ------
//  0 word  lowest local-government code    2 word  highest code
//  4 word  first municipality index        6 word  unused
//  8 byte  rlen   9 byte  klen   10 reading, name
inline constexpr std::size_t kCityHead = 10;

// --- Municipality record: 31 + rlen + klen -----------------------------------
//  0 word  local-government code   2 signed word  city index or -1
//  4 byte  flags (bit 0: per-floor codes of high-rise buildings)
//  5 dword lowest 7-digit code     9 dword highest 7-digit code
// 13 dword lowest old code        17 dword highest old code
// 21 dword block offset (from the first byte after the municipality table)
// 25 word  block size            27 word  town count
// 29 byte  rlen  30 byte klen    31 reading, name
inline constexpr std::size_t kMuniHead = 31;
inline constexpr std::uint8_t kMuniFlagHighRise = 0x01;

// --- Town record: 8 + rlen + klen --------------------------------------------
//  0 word + 2 byte  old code (24 bits)   3 word + 5 byte  7-digit code (24 bits)
//  6 byte  rlen    7 byte  klen          8 reading, name
inline constexpr std::size_t kTownHead = 8;

// --- KESTEL.DIC: KESZIP.DIC's layout with these differences -----------------
// Signature "KesTel"; no code list. Municipality offsets 13 and 17 hold the
// lowest and highest telephone key. Each town record is followed by its code
// area: a count byte n, then n 24-bit codes; n = 255 means "the codes of the
// record before" and is, like n = 0, just the count byte. Continuation records
// carry a code area of the same size as the record they continue.
inline constexpr char kTelSignature[] = "KesTel";
inline constexpr unsigned char kTelSameCodes = 255;
// Codes of one town the engine keeps; a record with more keeps its first ones.
inline constexpr std::size_t kTelCodesKept = 200;

// --- Former names (optional, after the code list of KESZIP.DIC) ------------
// Names that places had in earlier editions or before a municipal change,
// with the names they have now. Absent from a dictionary built without them;
// an engine that does not know them stops reading at the code list.
//  0 10  signature "KesFormer" and a NUL   10 dword  entry count
// Then each entry, 6 + olen + nlen bytes:
//  0 byte  kind (1 municipality, 2 town)  1 byte  prefecture code 1-47
//  2 word  local-government code of the municipality a town entry belongs
//          to (0 for a municipality entry)
//  4 byte  olen   5 byte  nlen   6 former name, then the name now (Shift-JIS)
// A municipality entry's names are the city or county and municipality as an
// address writes them ("黒川郡富谷町" -> "富谷市", "浜松市中区" -> "浜松市中央区");
// a town entry's are town names without their notes ("古館" -> "古舘").
inline constexpr char kFormerSignature[] = "KesFormer";  // 9 bytes + NUL
inline constexpr std::size_t kFormerHead = 14;
inline constexpr std::size_t kFormerEntryHead = 6;
inline constexpr std::uint8_t kFormerMunicipality = 1;
inline constexpr std::uint8_t kFormerTown = 2;

// Largest town block a 16-bit size field can describe.
inline constexpr std::size_t kMaxBlockSize = 0xFFFF;

// --- Little-endian helpers ---------------------------------------------------
inline std::uint16_t getWord(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t getDword(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint32_t get24(const unsigned char* p) {
    return static_cast<std::uint32_t>(getWord(p)) | (static_cast<std::uint32_t>(p[2]) << 16);
}
inline void putWord(unsigned char* p, std::uint16_t v) {
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline void putDword(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}
inline void put24(unsigned char* p, std::uint32_t v) {
    putWord(p, static_cast<std::uint16_t>(v & 0xFFFF));
    p[2] = static_cast<unsigned char>((v >> 16) & 0xFF);
}

}  // namespace keszip::dic
