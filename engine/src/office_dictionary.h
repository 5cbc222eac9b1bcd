// KESCMP.DIC in memory: the offices with their own postal codes, each with
// the search forms of its name made once when the file is loaded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fold_settings.h"
#include "layout/dic_format.h"
#include "layout/office_format.h"

namespace keszip {

struct OfficeRecord {
    std::uint16_t jisCode = 0;  // local-government code of the office's municipality
    std::uint32_t oldCode = 0;  // five-digit form
    std::uint32_t code7 = 0;
    std::string reading, name, town, remark;
    // Search forms: the prepared name and reading with company words
    // shortened and removed.
    bool preparedEmpty = true;
    std::string nameShortened, nameRemoved, readingShortened, readingRemoved;
};

// The cursor of the search by name: the prepared search text, whether it
// holds a double-byte character, the match condition and the range of
// local-government codes an office must lie in.
struct OfficeNameCursor {
    bool active = false;
    std::size_t next = 0;
    std::string text;
    bool doubleByte = false;
    int match = 0;
    int lowCode = 0, highCode = 99999;
};

struct OfficeCodeCursor {
    bool active = false;
    std::size_t next = 0;
    int digits = 0;
    std::uint32_t value = 0;
};

struct OfficeDictionary {
    bool open = false;
    OfficeNameCursor nameSearch;
    OfficeCodeCursor codeSearch;
    std::array<unsigned char, dic::kOfficeHeaderSize> header{};
    // One byte more than the block, always 0, so that every text is terminated.
    std::array<unsigned char, dic::kInfoBlockSize + 1> info{};
    std::vector<OfficeRecord> offices;

    void clear() { *this = OfficeDictionary{}; }
    std::uint16_t edition() const {
        return static_cast<std::uint16_t>(header[dic::kOfficeEdition] |
                                          header[dic::kOfficeEdition + 1] << 8);
    }
    // The information text of a version query item (1-4, anything else 256).
    const char* infoText(unsigned item) const {
        std::size_t offset =
            (item >= 1 && item <= 4) ? dic::kInfoOffsets[item - 1] : dic::kInfoOffsets[4];
        return reinterpret_cast<const char*>(info.data()) + offset;
    }
};

// Reads the file at `path` into `out`. Returns 0 on success, else the error
// code (2 not opened, 11 header or information block short, 12 office table
// short or malformed), or -1 for a file that is not an office dictionary.
// `out` is left cleared on failure.
int loadOfficeDictionary(const std::string& path, const FoldSettings& settings,
                         OfficeDictionary& out);

}  // namespace keszip
