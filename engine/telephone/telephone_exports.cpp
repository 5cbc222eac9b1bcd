// The telephone side of the exported C interface. No exception may cross
// this boundary: each export catches everything and reports failure by its
// ordinary result.
#include <cstring>
#include <string>

#include "keszip.h"
#include "renumber.h"

namespace {

// The renumbering base date (YYYYMMDD, 0 = none) for the whole library.
int g_telBaseDate = 0;

}  // namespace

extern "C" {

KESZIP_API int KESZIP_CALL SetTelBaseDate(const char* date) {
    if (!date) return 0;
    try {
        const auto parsed = keszip::tel::parseBaseDate(date);
        if (!parsed) return 0;
        g_telBaseDate = *parsed;
        return 1;
    } catch (...) {
        return 0;
    }
}

KESZIP_API int KESZIP_CALL ConvNewTelNo(char* newNumber, const char* number) {
    if (!newNumber) return 0;
    try {
        // Read the number before writing: the caller may pass one buffer for both.
        const auto converted = keszip::tel::renumber(number ? number : "", g_telBaseDate);
        if (!converted) {
            newNumber[0] = '\0';
            return 0;
        }
        std::memcpy(newNumber, converted->c_str(), converted->size() + 1);
        return 1;
    } catch (...) {
        newNumber[0] = '\0';
        return 0;
    }
}

}  // extern "C"
