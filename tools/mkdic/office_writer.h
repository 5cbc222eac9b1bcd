// Lays out the offices of JIGYOSYO.CSV as the bytes of KESCMP.DIC: header,
// information block and office table.
#pragma once

#include <string>
#include <vector>

#include "dictionary_writer.h"
#include "jigyosyo.h"

namespace mkdic {

// The information block takes the texts of `info` (its signature is not
// used). Throws BuildError when a text does not fit its field.
std::string writeOfficeDictionary(const std::vector<OfficeRow>& rows, const DictionaryInfo& info);

struct OfficeSummary {
    std::size_t offices = 0;
    std::size_t bytes = 0;
};

// Reads jigyosyo.zip (or JIGYOSYO.CSV) and writes KESCMP.DIC into `outDir`
// with the edition and dates of the main dictionary's `info`.
OfficeSummary buildOfficeFile(const std::string& jigyosyoPath, const std::string& outDir,
                              DictionaryInfo info);

}  // namespace mkdic
