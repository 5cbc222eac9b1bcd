// The telephone side of the exported C interface. No exception may cross
// this boundary: each export catches everything and reports failure by its
// ordinary result.
#include <cstring>
#include <string>
#include <string_view>

#include "keszip.h"
#include "renumber.h"
#include "src/export_guard.h"
#include "src/hyphen.h"
#include "src/lookup.h"
#include "src/search_output.h"
#include "src/shift_jis_text.h"
#include "tel_decision.h"
#include "tel_engine.h"

namespace {

// The renumbering base date (YYYYMMDD, 0 = none) for the whole library.
int g_telBaseDate = 0;

using keszip::guarded;

void clearText(char* buffer) {
    if (buffer) buffer[0] = '\0';
}

int writeCodeList(std::string_view list, char* out) {
    return keszip::tel::writeCodeList(list, out, KESZIP_TEL_CODES_SIZE);
}

}  // namespace

namespace keszip::tel {

// Constructed on first use and destroyed when the library is unloaded, which
// closes the dictionary.
TelephoneEngine& telephoneEngine() {
    static TelephoneEngine engine;
    return engine;
}

}  // namespace keszip::tel

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

KESZIP_API int KESZIP_CALL KesTelOpen(void) {
    return guarded([] { return keszip::tel::telephoneEngine().open() ? 1 : 0; });
}

KESZIP_API int KESZIP_CALL KesTelClose(void) {
    return guarded([] { return keszip::tel::telephoneEngine().close(); });
}

KESZIP_API int KESZIP_CALL GetTelAddress(int first, const char* number, char* code7,
                                         char* prefecture, char* city, char* ward, char* town,
                                         char* townNote, int* codeCount, char* codes) {
    return guarded([&] {
        for (char* out : {code7, prefecture, city, ward, town, townNote, codes}) clearText(out);
        if (codeCount) *codeCount = 0;
        keszip::tel::TelAddress found;
        const int flags = keszip::tel::telephoneEngine().nextAddress(
            first != 0, number ? number : "", g_telBaseDate, found);
        if (flags == 0) return 0;
        keszip::writeCodes(0, found.code7, nullptr, code7);
        if (code7 && GetHyphenMode()) keszip::insertCode7Hyphen(code7);
        keszip::writeAddressParts(found.parts, prefecture, city, ward, town, townNote);
        const int written = writeCodeList(found.codes.text, codes);
        if (codeCount) *codeCount = written;
        return flags;
    });
}

KESZIP_API int KESZIP_CALL GetTelDecision(const char* number, char* prefecture, char* city,
                                          char* ward, char* town, char* townNote) {
    return guarded([&] {
        for (char* out : {prefecture, city, ward, town, townNote}) clearText(out);
        keszip::AddressParts parts;
        const int flags = keszip::tel::telephoneEngine().decision(number ? number : "", parts);
        if (flags != 0) keszip::writeAddressParts(parts, prefecture, city, ward, town, townNote);
        return flags;
    });
}

KESZIP_API int KESZIP_CALL GetAddressTel(const char* address, char* code7, int* codeCount,
                                         char* codes) {
    return guarded([&] {
        clearText(code7);
        clearText(codes);
        if (codeCount) *codeCount = 0;
        auto& telephone = keszip::tel::telephoneEngine();
        if (!telephone.open()) return 0;
        char code[16] = {};
        keszip::ZipEngine& dictionary = telephone.dictionary();
        const int flags =
            keszip::lookupAddress(dictionary, address ? address : "", {code, nullptr, nullptr});
        // A town the lookup placed, also one it then refused because its
        // city name exists in two prefectures, reports its codes.
        if (flags != 0 || std::strcmp(code, "ERR-005") == 0) {
            const auto list = keszip::tel::listTelCodes(dictionary.match.best, g_telBaseDate);
            const int written = writeCodeList(list.text, codes);
            if (codeCount) *codeCount = written;
        }
        if (code7) {
            keszip::copyText(code7, KESZIP_CODE7_SIZE, code);
            if (GetHyphenMode()) keszip::insertCode7Hyphen(code7);
        }
        return flags;
    });
}

KESZIP_API int KESZIP_CALL GetDecisionTel(const char* address, int* codeCount, char* codes) {
    return guarded([&] {
        if (codeCount) *codeCount = 0;
        clearText(codes);
        auto& telephone = keszip::tel::telephoneEngine();
        if (!telephone.open()) return 0;
        const auto list = keszip::tel::decisionCodes(telephone.dictionary(), address ? address : "",
                                                     g_telBaseDate);
        if (list.empty()) {
            telephone.dictionary().setLastError(keszip::kErrCode);
            return 0;
        }
        std::string joined;
        for (const auto& code : list) joined += (joined.empty() ? "" : ",") + code;
        const int written = writeCodeList(joined, codes);
        if (codeCount) *codeCount = written;
        return 1;
    });
}

KESZIP_API int KESZIP_CALL GetTelErr(void) { return keszip::tel::telephoneEngine().lastError(); }

}  // extern "C"
