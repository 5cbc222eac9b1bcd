// Arbitrary bytes as one CSV line: the split must stay within the line and
// the field limit, and every field must come out no longer than its line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion/csv_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    // The line as Shift-JIS and as UTF-8.
    for (bool utf8 : {false, true}) {
        converter::CsvLine split(utf8);
        const std::size_t count = split.Split(line);
        if (count < 1 || count > converter::CsvLine::kMaxFields) std::abort();
        std::string field;
        for (std::size_t i = 0; i <= count; ++i) {
            const long length = split.Field(i, field);
            if (i == count) {
                if (length != -1 || !field.empty()) std::abort();
            } else if (length < 0 || static_cast<std::size_t>(length) != field.size() ||
                       field.size() > line.size()) {
                std::abort();
            }
        }
    }
    return 0;
}
