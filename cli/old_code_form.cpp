#include "old_code_form.h"

#include <cstring>

namespace cli {

void useLookupOldCodeForm(char* oldCode) {
    const std::size_t length = std::strlen(oldCode);
    if (length == 5 && std::strcmp(oldCode + 3, "00") == 0) {
        std::memcpy(oldCode + 3, "  ", 2);
    } else if (length == 6 && std::strcmp(oldCode + 3, "-00") == 0) {
        std::memcpy(oldCode + 3, "   ", 3);
    }
}

}  // namespace cli
