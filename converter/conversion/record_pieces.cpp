#include "record_pieces.h"

namespace converter {

std::string joinPieces(std::string_view record, const std::array<std::int32_t, 4>& starts,
                       const std::array<std::int32_t, 4>& sizes) {
    std::string joined;
    for (std::size_t i = 0; i < 4; ++i) {
        if (starts[i] <= 0 || sizes[i] <= 0) continue;
        const std::size_t begin = static_cast<std::size_t>(starts[i]) - 1;
        const std::size_t size = static_cast<std::size_t>(sizes[i]);
        if (begin >= record.size()) break;
        const std::size_t available = record.size() - begin;
        joined.append(record.substr(begin, size < available ? size : available));
        if (size > available) break;
    }
    const std::size_t nul = joined.find('\0');
    if (nul != std::string::npos) joined.resize(nul);
    return joined;
}

std::string fitField(std::string_view text, int width) {
    std::string field(text.substr(0, static_cast<std::size_t>(width)));
    field.resize(static_cast<std::size_t>(width), ' ');
    return field;
}

}  // namespace converter
