// The exported C interface over the process-wide engine. No exception may
// cross this boundary: each export catches everything and reports failure
// by its ordinary result.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "code_search.h"
#include "engine_handle.h"
#include "export_guard.h"
#include "file_location.h"
#include "hyphen.h"
#include "inc_search.h"
#include "keszip.h"
#include "lookup.h"
#include "lookup_output.h"
#include "office_search.h"
#include "search_output.h"
#include "separate_address.h"
#include "shift_jis_text.h"
#include "telephone/tel_engine.h"
#include "zip_engine.h"

namespace {

// The process-wide settings of the classic exports.
int g_hyphenMode = 0;
char g_editionText[16];

KesZipHandle g_default;
keszip::ZipEngine& g_engine = g_default.engine;

void clearText(char* buffer) {
    if (buffer) buffer[0] = '\0';
}

using keszip::guarded;

// Every lookup opens the dictionary on first use.
bool ensureOpen() { return g_engine.isOpen() || g_engine.open(); }

}  // namespace

namespace keszip {

KesZipHandle& defaultHandle() { return g_default; }

}  // namespace keszip

extern "C" {

KESZIP_API int KESZIP_CALL KesZipOpen(void) {
    return guarded([] { return g_engine.open() ? 1 : 0; });
}

KESZIP_API int KESZIP_CALL KesZipClose(void) {
    return guarded([] { return g_engine.close(); });
}

KESZIP_API int KESZIP_CALL SetHyphenMode(int mode) {
    g_hyphenMode = mode;
    return mode;
}

KESZIP_API int KESZIP_CALL GetHyphenMode(void) { return g_hyphenMode; }

KESZIP_API int KESZIP_CALL zelko7(const char* address, char* code7, char* addressNumber) {
    return guarded([&] {
        return keszip::lookupCodes(g_engine, address, g_hyphenMode != 0,
                                   {nullptr, code7, addressNumber, nullptr});
    });
}

KESZIP_API int KESZIP_CALL zelko5(const char* address, char* oldCode, char* addressNumber) {
    // The 7-digit code, and any error text, stay private. A failed lookup
    // leaves the old code empty rather than as the caller's buffer was.
    return guarded([&] {
        return keszip::lookupCodes(g_engine, address, g_hyphenMode != 0,
                                   {oldCode, nullptr, addressNumber, nullptr});
    });
}

KESZIP_API int KESZIP_CALL zelko57(const char* address, char* oldCode, char* code7,
                                   char* addressNumber) {
    return guarded([&] {
        return keszip::lookupCodes(g_engine, address, g_hyphenMode != 0,
                                   {oldCode, code7, addressNumber, nullptr});
    });
}

KESZIP_API int KESZIP_CALL Zelko7JisCode(const char* address, char* jisCode, char* code7,
                                         char* addressNumber) {
    return guarded([&] {
        return keszip::lookupCodes(g_engine, address, g_hyphenMode != 0,
                                   {nullptr, code7, addressNumber, jisCode});
    });
}

KESZIP_API int KESZIP_CALL GetJisCodeNow(char* jisCode) {
    if (!jisCode) return 0;
    return keszip::writeJisCode(g_engine, jisCode);
}

KESZIP_API int KESZIP_CALL GetZipAddress(int first, const char* code, char* oldCode, char* code7,
                                         char* prefecture, char* city, char* ward, char* town,
                                         char* townNote) {
    return guarded([&] {
        return keszip::searchCodeAddress(g_engine, first != 0, code, g_hyphenMode != 0,
                                         {oldCode, code7, prefecture, city, ward, town, townNote});
    });
}

KESZIP_API int KESZIP_CALL GetZipDecision(const char* code, char* prefecture, char* city,
                                          char* ward, char* town, char* townNote) {
    return guarded([&] {
        for (char* out : {prefecture, city, ward, town, townNote}) clearText(out);
        if (!ensureOpen()) return 0;
        keszip::AddressParts parts;
        int flags = keszip::codeDecision(g_engine, code ? code : "", parts);
        if (flags != 0) keszip::writeAddressParts(parts, prefecture, city, ward, town, townNote);
        return flags;
    });
}

KESZIP_API int KESZIP_CALL GetIncAddress(int first, const char* text, char* prefecture, char* city,
                                         char* municipality, char* town, char* townNote) {
    return guarded([&] {
        for (char* out : {prefecture, city, municipality, town, townNote}) clearText(out);
        if (!ensureOpen()) return 0;
        keszip::AddressParts parts;
        int found = keszip::nextIncAddress(g_engine, first != 0, text ? text : "", parts);
        if (found) keszip::writeAddressParts(parts, prefecture, city, municipality, town, townNote);
        return found;
    });
}

KESZIP_API int KESZIP_CALL SeparateAddress(const char* address, char* oldCode, char* code7,
                                           char* prefecture, char* city, char* ward, char* town,
                                           char* rest) {
    return guarded([&] {
        for (char* out : {oldCode, code7, prefecture, city, ward, town, rest}) clearText(out);
        if (!ensureOpen()) return 0;
        keszip::SeparatedAddress parts;
        int flags = keszip::separateAddress(g_engine, address ? address : "", parts);
        if (flags != 0) {
            keszip::copyWhole(oldCode, KESZIP_OLD_CODE_SIZE, parts.oldCode);
            keszip::copyWhole(code7, KESZIP_CODE7_SIZE, parts.code7);
            keszip::writeAddressParts({parts.prefecture, parts.city, parts.ward, parts.town, {}},
                                      prefecture, city, ward, town, nullptr);
            keszip::copyWhole(rest, keszip::kTownBufferSize, parts.rest);
        }
        if (g_hyphenMode) {
            keszip::insertOldCodeHyphen(oldCode);
            keszip::insertCode7Hyphen(code7);
        }
        return flags;
    });
}

KESZIP_API int KESZIP_CALL GetZe7Err(void) { return g_engine.lastError(); }

KESZIP_API int KESZIP_CALL KesCmpOpen(void) {
    return guarded([] { return keszip::openOffices(g_engine) ? 1 : 0; });
}

KESZIP_API int KESZIP_CALL KesCmpClose(void) {
    return guarded([] { return keszip::closeOffices(g_engine); });
}

KESZIP_API int KESZIP_CALL GetCmpCode(int first, const char* officeName, const char* address,
                                      int match, char* oldCode, char* code7, char* jisCode,
                                      char* prefecture, char* city, char* ward, char* town,
                                      char* remark, char* officeNameOut) {
    return guarded([&] {
        for (char* out :
             {oldCode, code7, jisCode, prefecture, city, ward, town, remark, officeNameOut})
            clearText(out);
        // The office searches need both dictionaries; without them the
        // 7-digit output says so.
        if (!ensureOpen() || !keszip::openOffices(g_engine)) {
            keszip::copyText(code7, KESZIP_CODE7_SIZE, "ERR-001");
            return 0;
        }
        const keszip::OfficeRecord* office = nullptr;
        if (!keszip::nextOfficeByName(g_engine, first != 0, officeName ? officeName : "",
                                      address ? address : "", match, office))
            return 0;
        keszip::writeOffice(
            g_engine, *office,
            {oldCode, code7, jisCode, prefecture, city, ward, town, remark, officeNameOut});
        if (g_hyphenMode) {
            keszip::insertOldCodeHyphen(oldCode);
            keszip::insertCode7Hyphen(code7);
        }
        return 1;
    });
}

KESZIP_API int KESZIP_CALL GetZipAddressCmp(int first, const char* code, char* oldCode, char* code7,
                                            char* prefecture, char* city, char* ward, char* town,
                                            char* remark, char* officeName) {
    return guarded([&] {
        for (char* out : {oldCode, code7, prefecture, city, ward, town, remark, officeName})
            clearText(out);
        if (ensureOpen()) keszip::openOffices(g_engine);
        const keszip::OfficeRecord* office = nullptr;
        if (!keszip::nextOfficeByCode(g_engine, first != 0, code ? code : "", office)) return 0;
        keszip::writeOffice(
            g_engine, *office,
            {oldCode, code7, nullptr, prefecture, city, ward, town, remark, officeName});
        if (g_hyphenMode) {
            keszip::insertOldCodeHyphen(oldCode);
            keszip::insertCode7Hyphen(code7);
        }
        return 1;
    });
}

KESZIP_API const char* KESZIP_CALL GetZe7DllVersion(void) { return KESZIP_VERSION; }

KESZIP_API int KESZIP_CALL KesZipDictionaryFolders(char* folders, int size) {
    try {
        std::string text;
        for (const std::string& folder : keszip::dictionaryFolders()) text += folder + "\n";
        if (folders && size > 0) {
            const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
            std::memcpy(folders, text.data(), n);
            folders[n] = '\0';
        }
        return static_cast<int>(text.size());
    } catch (...) {
        if (folders && size > 0) folders[0] = '\0';
        return 0;
    }
}

KESZIP_API const char* KESZIP_CALL GetZe7DicVersion(int dictionary, int item) {
    try {
        if (dictionary == 3) {
            // The telephone dictionary, opened on demand like its lookups.
            keszip::tel::TelephoneEngine& tel = keszip::tel::telephoneEngine();
            if (!tel.open()) return "";
            if (static_cast<unsigned>(item) != 0)
                return tel.dictionary().infoText(static_cast<unsigned>(item));
            std::snprintf(g_editionText, sizeof g_editionText, "%d", tel.dictionary().edition());
            return g_editionText;
        }
        if (dictionary == 2) {
            // The office dictionary opens after the main one.
            if (!ensureOpen() || !keszip::openOffices(g_engine)) return "";
            if (static_cast<unsigned>(item) != 0)
                return g_engine.office.infoText(static_cast<unsigned>(item));
            std::snprintf(g_editionText, sizeof g_editionText, "%d", g_engine.office.edition());
            return g_editionText;
        }
        if (dictionary != 1 || !ensureOpen()) return "";
        if (static_cast<unsigned>(item) == 0) {
            std::snprintf(g_editionText, sizeof g_editionText, "%d", g_engine.edition());
            return g_editionText;
        }
        return g_engine.infoText(static_cast<unsigned>(item));
    } catch (...) {
        return "";
    }
}

}  // extern "C"
