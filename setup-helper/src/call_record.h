// Reading the setup program's call record: its parameter text and its
// variables.
#pragma once

#include <platform/profile.h>

#include <string>
#include <string_view>

#include "custom.h"

namespace custom {

// The value of the setup variable `name` (given without its "%" signs): the
// text of the value slot whose name slot holds exactly "%name%" (case
// matters), or "" when there is none. Slots are read only up to their sizes,
// so a name or value without its NUL cannot run past its slot. A name that
// does not fit in 32 bytes once enclosed is never found.
std::string lookupVariable(const CustomCallRecord& record, std::string_view name);

// The parameter text of the record, "" when it has none.
std::string_view parameterText(const CustomCallRecord& record);

// A text read as a decimal integer the way the C library's atoi reads it
// (leading blanks, an optional sign, digits up to the first other
// character); 0 when it holds no number. The same reading as the numbers of
// the settings files.
inline int decimalValue(std::string_view text) { return platform::textToInt(text); }

// The edition number of DspHook: the variable named by the parameter text,
// read as a decimal integer.
int editionNumber(const CustomCallRecord& record);

}  // namespace custom
