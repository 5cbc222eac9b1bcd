// Lays out a dictionary model as the bytes of KESZIP.DIC: header, information
// block, prefecture, city and municipality tables, town blocks, code list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary_model.h"

namespace mkdic {

// The texts of the information block (Shift-JIS or ASCII) and the header's
// edition number.
struct DictionaryInfo {
    std::uint16_t edition = 0;
    std::string dataDate;                                 // "YYYY-MM-DD", at most 11 bytes
    std::string buildDate;                                // at most 10 bytes
    std::string version;                                  // at most 10 bytes
    std::string description;                              // at most 221 bytes
    std::string notice;                                   // at most 255 bytes
    const char* signature = keszip::dic::kMainSignature;  // 6 bytes + NUL
};

// Writes the texts of `info` into a zeroed 512-byte information block;
// throws BuildError when a text is too long for its field.
void writeInfoBlock(unsigned char* block, const DictionaryInfo& info);

// The former names as they follow the code list.
std::string formerNameTable(const std::vector<FormerName>& names);

// Throws BuildError when a text is too long for its field or a table does not
// fit its size fields.
std::string writeDictionary(const DictionaryModel& model, const DictionaryInfo& info,
                            const std::vector<std::uint32_t>& codeList = {});

}  // namespace mkdic
