// The per-record rules shared by every conversion: one engine lookup, the
// strict-address checks, the result text of the chosen mode, and the text
// that explains a failure in the error file.
#pragma once

#include <cstdint>
#include <string>

#include "address_engine.h"

namespace converter {

enum class ConversionMode { OldCode = 1, Code7 = 2, Barcode = 3, JisCode = 4 };

// Result flag bits that qualify a placed address.
inline constexpr int kKyotoFlag = 2;
inline constexpr int kCatchAllFlag = 4;
inline constexpr int kNoPrefectureFlag = 8;
inline constexpr int kNoCityFlag = 16;

struct StrictCheckFlags {
    bool kyoRyaku = false;   // Kyoto-abbreviated address
    bool ikanashi = false;   // catch-all entry of the area
    bool kennashi = false;   // prefecture name missing
    bool citynashi = false;  // city, ward or district name missing
};

struct RecordOutcome {
    bool failed = true;
    std::int32_t flags = 0;
    std::string result;  // for a success
};

// Any stored mode outside 1 to 4 converts as mode 1.
ConversionMode modeOf(int cnvKbn);
// Field width of the mode in the text and SDF outputs.
int fieldWidth(ConversionMode mode, int hyphenMode);
// Name of the mode in the start question, "" outside 1 to 4 (Shift-JIS).
std::string modeName(int cnvKbn);

RecordOutcome ConvertRecordAddress(AddressEngine& engine, const std::string& address,
                                   ConversionMode mode, const StrictCheckFlags& checks);

// One line (ending with a line feed) per qualifier bit set, or the general
// error line when the flags are 0 (Shift-JIS).
std::string BuildCheckText(std::int32_t flags);

}  // namespace converter
