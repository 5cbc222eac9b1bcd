// Writing search results into the caller's buffers, each bounded by the size
// the interface promises for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "keszip.h"
#include "search_state.h"

namespace keszip {

// Sizes of the caller's buffers for the parts of an address.
inline constexpr std::size_t kNameBufferSize = KESZIP_NAME_SIZE;
inline constexpr std::size_t kTownBufferSize = KESZIP_TOWN_SIZE;
inline constexpr std::size_t kNoteBufferSize = KESZIP_NOTE_SIZE;

// Copies `text` into `out` (capacity `size` with the NUL), cut at a
// character boundary so that a lead byte is never left without its trail.
void copyWhole(char* out, std::size_t size, std::string_view text);

// Writes prefecture, city and ward names (40 bytes each) and town and note
// (256 bytes each); null buffers are skipped.
void writeAddressParts(const AddressParts& parts, char* prefecture, char* city, char* ward,
                       char* town, char* note);

// Writes the old code as "%05u" (7-byte buffer) and the 7-digit code as
// "%07u" (9-byte buffer); null buffers are skipped.
void writeCodes(std::uint32_t oldCode, std::uint32_t code7, char* oldOut, char* code7Out);

}  // namespace keszip

namespace keszip {

struct OfficeRecord;
class ZipEngine;

// The caller's buffers of one office; null buffers are skipped.
struct OfficeOutputs {
    char* oldCode = nullptr;  // 7 bytes, "%05u"
    char* code7 = nullptr;    // 9 bytes, "%07u"
    char* jisCode = nullptr;  // 6 bytes, "%05u"
    char* prefecture = nullptr;
    char* city = nullptr;
    char* ward = nullptr;
    char* town = nullptr;    // 256 bytes
    char* remark = nullptr;  // 256 bytes
    char* name = nullptr;    // 256 bytes
};

// Writes an office with the prefecture, city and ward of its local-government code.
void writeOffice(const ZipEngine& engine, const OfficeRecord& office, const OfficeOutputs& out);

}  // namespace keszip
