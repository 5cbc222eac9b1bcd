// The shared string table of a BIFF8 workbook: the SST record and the
// CONTINUE records after it. The read side decodes the strings once; the
// write side carries a source's records over and appends new strings.
#pragma once

#include <platform/sjis_utf16.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace workbooks {

class SharedStringTable {
  public:
    // Read side -------------------------------------------------------------
    // A record met in the workbook globals: the SST itself or one of its
    // CONTINUE records. The SST's first 8 bytes give the two counts.
    void addRawRecord(std::string_view data);
    // Decodes the strings of the raw records. When `keepRaw` is false the raw
    // records are released afterwards (a reader needs only the strings).
    void decode(bool keepRaw);
    // The string at `index` in Shift-JIS, at most `capacity` - 1 bytes and
    // never a broken character; empty for an index beyond the table or a
    // string the records did not hold. False when a character had no
    // Shift-JIS form (it shows as '?').
    bool lookup(std::uint32_t index, std::size_t capacity, platform::Utf16Converter& converter,
                std::string& out) const;
    std::size_t decodedCount() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    std::u16string_view decoded(std::size_t index) const;

    // Write side ------------------------------------------------------------
    // Appends a Shift-JIS text (cut to 32767 bytes); returns its index.
    std::uint32_t add(std::string_view sjis, platform::Utf16Converter& converter);
    // Turns the pending bytes into a record and writes the counts into the SST.
    void finish();
    // The records to write (the first is the SST, the rest CONTINUE).
    const std::vector<std::string>& records() const { return raw_; }
    bool empty() const { return raw_.empty() && pending_.empty(); }
    // Bytes the records take in the stream, headers included (after finish()).
    std::uint64_t streamSize() const;
    // Takes over the records and counts of a table that was read.
    void copyFrom(SharedStringTable&& source);

  private:
    void flushPending();

    std::vector<std::string> raw_;
    std::uint32_t total_ = 0;
    std::uint32_t unique_ = 0;
    // Decoded strings, one after another; string i is [starts_[i], starts_[i+1]).
    std::u16string chars_;
    std::vector<std::uint32_t> starts_;
    std::string pending_;
};

// Appends `text` (Shift-JIS) as a workbook string body: option byte and the
// characters, one byte each when every byte is below 0x80 and UTF-16
// otherwise. Returns the character count.
std::size_t appendStringBody(std::string_view sjis, platform::Utf16Converter& converter,
                             std::string& out);

}  // namespace workbooks
