// The encoding of the text, SDF and CSV lists: Shift-JIS (the files this
// program has always read) or UTF-8 (what most programs export today, often
// with a byte order mark). A UTF-8 list is read and written in UTF-8; only
// the address it hands to the engine is put into Shift-JIS.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace converter {

// The setting's values ([CnvParam] TXTCSVEncoding).
enum class TextEncoding : std::int32_t { ShiftJis = 0, Utf8 = 1, Automatic = 2 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// What the first part of a file looks like.
struct EncodingLook {
    bool byteOrderMark = false;  // starts with the UTF-8 byte order mark
    bool validUtf8 = false;      // (after the mark) well-formed UTF-8
    bool validShiftJis = false;  // well-formed Shift-JIS
    bool beyondAscii = false;    // has bytes of 128 and above
};

// Looks at up to `bytes` bytes of the file; a file that cannot be read looks
// like an empty one (pure ASCII).
EncodingLook lookAtFile(const std::string& path, std::size_t bytes = 1 << 20);
EncodingLook lookAtText(std::string_view text, bool complete);

// A file read as UTF-8 when chosen automatically: one with the byte order
// mark, or one that is UTF-8 and could not be Shift-JIS.
bool looksLikeUtf8(const EncodingLook& look);

// The address as the engine reads it, put into Shift-JIS by the engine's own
// UTF-8 edge (the one of its UTF-8 lookups): dashes that Shift-JIS lacks
// become "-", any other character it lacks becomes the placeholder "〓".
// Bytes that are not UTF-8 (a piece cut inside a character) are left out,
// and the address ends at a NUL byte.
std::string lookupFormOf(std::string_view utf8);

// The bytes of `text` that form whole UTF-8 characters, in order.
std::string wholeUtf8Characters(std::string_view text);

// Shift-JIS text of this program (messages, the marker) in UTF-8.
std::string utf8Of(std::string_view sjis);

}  // namespace converter
