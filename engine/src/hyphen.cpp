#include "hyphen.h"

#include <cstring>

namespace keszip {

// A text shorter than three bytes is left alone: the edit would only move
// bytes behind its terminator.
void insertOldCodeHyphen(char* buffer) {
    if (!buffer || strnlen(buffer, 3) < 3) return;
    std::memmove(buffer + 4, buffer + 3, 3);
    buffer[3] = static_cast<unsigned char>(buffer[4]) > 0x20 ? '-' : ' ';
}

void insertCode7Hyphen(char* buffer) {
    if (!buffer || strnlen(buffer, 3) < 3) return;
    std::memmove(buffer + 4, buffer + 3, 5);
    buffer[3] = '-';
}

}  // namespace keszip
