// The checks a conversion page makes before a run, in the page's fixed
// order: the first failure gives its numbered message and the field that
// gets the focus. Passing checks fill the ConversionJob and the settings the
// page keeps (names, marker).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "conversion_job.h"
#include "settings.h"

namespace converter {

enum class PageField {
    None,
    Source,
    Destination,
    PieceStart,  // piece 1 start (text, SDF) or field number (CSV)
    PieceSize,   // piece 1 byte count
    InsertPosition,
    RecordLength,
    ErrorFileName,
    MaxErrors,
    FirstRecord,
    LastRecord,
    AddressColumn,      // address column 1
    DestinationColumn,  // Excel destination column
};

struct PageCheck {
    int message = 0;  // 0 when every check passed
    PageField focus = PageField::None;
    bool ok() const { return message == 0; }
};

// The fields of the text, SDF, CSV and Excel pages as typed. Excel: the
// piece starts are the address column numbers (1-256, 0 none) and the insert
// position is the destination column number.
struct PageFields {
    std::string source;
    std::string destination;
    std::array<std::int32_t, 4> pieceStart{};  // CSV: field numbers
    std::array<std::int32_t, 4> pieceSize{};
    std::int32_t insertPosition = 0;
    bool lineBreaks = true;  // SDF: "有り"
    std::int32_t recordLength = 0;
    bool quoted = true;  // CSV: "囲む"
    bool markerFlag = false;
    std::string marker;
    std::string sheet;  // Excel
};

PageCheck checkTextPage(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                        CnvParamBlock& params);
PageCheck checkSdfPage(const PageFields& page, ConversionJob& job, OptionsBlock& options);
PageCheck checkCsvPage(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                       CnvParamBlock& params);

// When the checks pass the column choices are also kept in `params`.
PageCheck checkExcelPage(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                         CnvParamBlock& params);

// The options page's collect step: `edited` (the page's controls) is checked
// and, when it passes, replaces `options`; file names and prefecture are kept.
PageCheck collectOptions(const OptionsBlock& edited, OptionsBlock& options);

// The partial-range dialog's values; on success they fill the job.
PageCheck checkRange(long long first, long long last, ConversionJob& job);

// The start question's text, or message 700 when the error file is on and its
// name is empty after trimming (the name is trimmed in `options`).
PageCheck startQuestion(OptionsBlock& options, std::string& question);

// The options of the Options block a run needs, copied into the job.
void applyOptions(const OptionsBlock& options, ConversionJob& job);

}  // namespace converter
