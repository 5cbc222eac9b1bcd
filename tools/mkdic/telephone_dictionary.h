// KESTEL.DIC: the layout of KESZIP.DIC with the telephone codes of each town
// after its name, the lowest and highest telephone key of each municipality
// in place of its old-code range, and no code list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dictionary_writer.h"
#include "ken_all.h"
#include "layout/dic_format.h"
#include "telephone_csv.h"

namespace mkdic {

inline constexpr const auto& kTelSignature = keszip::dic::kTelSignature;
// Codes a town record carries: as many as the engine keeps.
inline constexpr std::size_t kMaxTownCodes = keszip::dic::kTelCodesKept;
// The n that means "the same codes as the record before".
inline constexpr unsigned char kSameCodes = keszip::dic::kTelSameCodes;

struct TelephoneSources {
    std::vector<Compartment> compartments;
    std::vector<MunicipalityCompartment> municipalities;
    std::vector<NumberBand> bands;
};

// Reads the three CSV files from `dir`. Throws BuildError.
TelephoneSources readTelephoneSources(const std::string& dir);

// Builds the model of KESZIP.DIC from the rows and gives every town record
// the telephone codes of the compartments serving it. Throws BuildError when
// the sources contradict each other (a compartment without a message area).
DictionaryModel buildTelephoneModel(const std::vector<KenAllRow>& rows,
                                    const TelephoneSources& sources);

struct TelephoneSummary {
    std::size_t municipalities = 0, towns = 0, townsWithoutCodes = 0, bytes = 0;
};

// Reads KEN_ALL (zip or CSV) and the telephone folder, writes KESTEL.DIC into
// `outDir` with the information texts of `info`. Throws BuildError.
TelephoneSummary buildTelephoneFile(const std::string& kenAllPath, const std::string& telephoneDir,
                                    const std::string& outDir, DictionaryInfo info);

}  // namespace mkdic
