// The setup helper's parameter and call-record reading: the SetDate
// parameter (folder, pattern, date and time) and the variable lookup over
// name and value tables of any slot size. Nothing is stamped.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "src/call_record.h"
#include "src/set_date.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string parameter(text.substr(0, text.find('\0')));
    if (const auto request = custom::parseDateStampRequest(parameter)) {
        custom::matchesFilePattern("KESZIP.DIC", request->pattern);
        custom::matchesFilePattern(request->folder, request->pattern);
    }
    custom::matchesFilePattern(parameter, parameter);

    // A call record over the input: two slot sizes, then the tables.
    if (size < 3) return 0;
    const std::string tables(text.substr(3));
    CustomCallRecord record{};
    record.nameSlotSize = data[0] % 40 + 1;
    record.valueSlotSize = data[1] % 40 + 1;
    const std::size_t slots =
        std::min(tables.size() / record.nameSlotSize, tables.size() / record.valueSlotSize);
    record.variableCount = static_cast<uint32_t>(std::min<std::size_t>(slots, data[2]));
    record.variableNames = tables.data();
    record.variableValues = tables.data();
    record.parameter = parameter.c_str();
    custom::editionNumber(record);
    custom::lookupVariable(record, std::string_view(tables).substr(0, 8));
    return 0;
}
