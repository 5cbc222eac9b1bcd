#include "text_rules.h"

#include <platform/file_identity.h>
#include <platform/sjis.h>

#include <cstring>

namespace converter {

std::size_t TrimTrailingSpaces(char* buffer, std::size_t size) {
    if (size == 0) return 0;
    std::size_t keep = 0;
    std::size_t i = 0;
    while (i + 1 < size && buffer[i] != '\0') {
        const unsigned char c = static_cast<unsigned char>(buffer[i]);
        if (platform::isSjisLead(c)) {
            // A lead byte without room for its second byte ends the text.
            if (i + 2 >= size || buffer[i + 1] == '\0') break;
            const unsigned char t = static_cast<unsigned char>(buffer[i + 1]);
            if (!(c == 129 && t == 64)) keep = i + 2;
            i += 2;
            continue;
        }
        if (c > 32) keep = i + 1;
        ++i;
    }
    buffer[keep] = '\0';
    return keep;
}

std::string trimTrailingSpaces(std::string_view text) {
    std::string copy(text);
    copy.push_back('\0');
    std::size_t length = TrimTrailingSpaces(copy.data(), copy.size());
    copy.resize(length);
    return copy;
}

bool sameFileName(std::string_view a, std::string_view b) {
    return platform::sameFile(std::string(a), std::string(b));
}

}  // namespace converter
