// Everything one run needs, filled by the page checks before the run starts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "record_conversion.h"

namespace converter {

struct ConversionJob {
    std::string sourceName;
    std::string destinationName;
    std::string errorFileName;  // copy of szErrName taken at the start
    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;
    // Text and SDF: first byte (1-based, 0 = none); CSV: field number;
    // Excel: column number (1-256, 0 = none).
    std::array<std::int32_t, 4> pieceStart{};
    std::array<std::int32_t, 4> pieceSize{};  // text and SDF: byte count
    std::int32_t insertPosition = 0;          // Excel: the destination column number
    std::string sheetName;                    // Excel
    std::int32_t recordLength = 0;
    std::int32_t partial = 0;
    // SDF: 1 = records end with a line break, 2 = fixed length;
    // CSV: 1 = result field quoted, 2 = not quoted.
    std::int32_t layoutMode = 0;
    std::int32_t markerFlag = 0;
    std::string marker;  // at most 13 bytes

    // Options in force for the run.
    int cnvKbn = 2;
    StrictCheckFlags checks;
    bool errorFile = false;
    bool maxErrors = false;
    std::int32_t maxErrorCount = 0;
    // Engines that look records up at once (text, SDF and CSV runs).
    unsigned threads = 1;
    // Text, SDF and CSV: the source is UTF-8, and so are the destination and
    // the error file; with a byte order mark, both begin with one as the
    // source did (the mark is no part of the first record).
    bool utf8 = false;
    bool byteOrderMark = false;
};

}  // namespace converter
