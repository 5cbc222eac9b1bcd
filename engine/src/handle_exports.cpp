// The engine handles of the exported interface: engines of their own over a
// dictionary folder, for callers that look up on several threads. No
// exception may cross this boundary.
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "engine_handle.h"
#include "export_guard.h"
#include "fold.h"
#include "inc_search.h"
#include "keszip.h"
#include "lookup_output.h"
#include "search_output.h"
#include "utf8_edge.h"

using keszip::guarded;

namespace {

// One UTF-8 lookup into a cleared *answer (see KesZipLookupUtf8).
int lookupUtf8(KesZipHandle& handle, const char* address, std::size_t length, int options,
               KesZipUtf8Answer& answer) {
    if (!address && length != 0) {
        answer.status = KESZIP_UTF8_BAD_ARGUMENT;
        std::strcpy(answer.code7, "ERR-003");
        return -1;
    }
    if (!handle.utf8Converter) handle.utf8Converter = std::make_unique<platform::SjisConverter>();
    if (length == KESZIP_UTF8_TERMINATED) length = std::strlen(address);
    auto& converter = *handle.utf8Converter;
    answer.status = keszip::utf8ToEngineText(std::string_view(address ? address : "", length),
                                             converter, handle.sjisText);
    if (answer.status != KESZIP_UTF8_OK && answer.status != KESZIP_UTF8_REPLACED) {
        std::strcpy(answer.code7, "ERR-003");
        return 0;
    }
    KesZipAnswer sjis{};
    handle.engine.currentJisCode = 0;
    answer.flags = guarded([&] {
        return keszip::lookupCodes(handle.engine, handle.sjisText.c_str(),
                                   (options & KESZIP_HYPHEN) != 0,
                                   {sjis.oldCode, sjis.code7, sjis.addressNumber, sjis.jisCode});
    });
    keszip::engineTextToUtf8(sjis.code7, converter, answer.code7, sizeof answer.code7,
                             handle.utf8Text);
    // Not placed: a refused candidate's old code and the municipality the
    // lookup passed through say nothing about this address.
    if (answer.flags != 0) {
        keszip::engineTextToUtf8(sjis.oldCode, converter, answer.oldCode, sizeof answer.oldCode,
                                 handle.utf8Text);
        keszip::engineTextToUtf8(sjis.addressNumber, converter, answer.addressNumber,
                                 sizeof answer.addressNumber, handle.utf8Text);
        keszip::engineTextToUtf8(sjis.jisCode, converter, answer.jisCode, sizeof answer.jisCode,
                                 handle.utf8Text);
    }
    return answer.flags;
}

}  // namespace

extern "C" {

KESZIP_API KesZipHandle* KESZIP_CALL KesZipCreate(const char* folder, int* error) {
    try {
        auto handle = std::make_unique<KesZipHandle>(folder ? folder : "");
        if (!handle->engine.open()) {
            if (error) *error = handle->engine.lastError();
            return nullptr;
        }
        if (error) *error = KESZIP_ERR_NONE;
        return handle.release();
    } catch (...) {
        if (error) *error = KESZIP_ERR_FILE;
        return nullptr;
    }
}

KESZIP_API void KESZIP_CALL KesZipDestroy(KesZipHandle* handle) {
    std::unique_ptr<KesZipHandle> owned(handle);
}

KESZIP_API int KESZIP_CALL KesZipLookup(KesZipHandle* handle, const char* address, int options,
                                        KesZipAnswer* answer) {
    if (!answer) return 0;
    *answer = KesZipAnswer{};
    if (!handle) {
        std::strcpy(answer->code7, "ERR-001");
        return 0;
    }
    // The local-government code is this lookup's alone: 00000 when it
    // identified no municipality, whatever an earlier lookup left.
    handle->engine.currentJisCode = 0;
    answer->flags = guarded([&] {
        return keszip::lookupCodes(
            handle->engine, address, (options & KESZIP_HYPHEN) != 0,
            {answer->oldCode, answer->code7, answer->addressNumber, answer->jisCode});
    });
    return answer->flags;
}

KESZIP_API int KESZIP_CALL KesZipSearch(KesZipHandle* handle, int first, const char* code,
                                        int options, KesZipAddress* address) {
    if (!address) return 0;
    *address = KesZipAddress{};
    if (!handle) return 0;
    address->flags = guarded([&] {
        return keszip::searchCodeAddress(
            handle->engine, first != 0, code, (options & KESZIP_HYPHEN) != 0,
            {address->oldCode, address->code7, address->prefecture, address->city, address->ward,
             address->town, address->townNote});
    });
    return address->flags;
}

KESZIP_API int KESZIP_CALL KesZipFold(KesZipHandle* handle, const char* text, int mode, char* out,
                                      int size) {
    if (!text || !out || size < 1 ||
        (mode != keszip::kFoldLiteral && mode != keszip::kFoldMatching))
        return -1;
    return guarded([&] {
        // Without a handle, the settings files beside the library, as the
        // classic exports would read them when they open.
        keszip::ZipEngine unopened;
        keszip::ZipEngine* engine = handle ? &handle->engine : &unopened;
        if (!handle) unopened.loadSettings();
        return static_cast<int>(keszip::foldText(text, out, static_cast<std::size_t>(size), mode,
                                                 engine->foldSettings()));
    });
}

KESZIP_API int KESZIP_CALL KesZipLookupUtf8(KesZipHandle* handle, const char* address,
                                            size_t length, int options, KesZipUtf8Answer* answer) {
    if (!answer) return -1;
    *answer = KesZipUtf8Answer{};
    if (!handle) {
        answer->status = KESZIP_UTF8_BAD_ARGUMENT;
        std::strcpy(answer->code7, "ERR-001");
        return -1;
    }
    try {
        return lookupUtf8(*handle, address, length, options, *answer);
    } catch (...) {  // out of memory
        *answer = KesZipUtf8Answer{};
        answer->status = KESZIP_UTF8_BAD_ARGUMENT;
        return -1;
    }
}

KESZIP_API int KESZIP_CALL KesZipLookupUtf8Batch(KesZipHandle* handle, const char* const* addresses,
                                                 const size_t* lengths, size_t count, int options,
                                                 KesZipUtf8Answer* answers) {
    if (!handle || (count > 0 && (!addresses || !answers))) return -1;
    std::size_t placed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int flags =
            KesZipLookupUtf8(handle, addresses[i], lengths ? lengths[i] : KESZIP_UTF8_TERMINATED,
                             options, &answers[i]);
        if (flags > 0) ++placed;
    }
    return static_cast<int>(std::min<std::size_t>(placed, INT_MAX));
}

KESZIP_API int KESZIP_CALL KesZipHandleError(KesZipHandle* handle) {
    return handle ? handle->engine.lastError() : KESZIP_ERR_NOT_OPEN;
}

KESZIP_API int KESZIP_CALL KesZipIncSearch(KesZipHandle* handle, int first, const char* text,
                                           KesZipEntry* entry) {
    if (!entry) return 0;
    *entry = KesZipEntry{};
    if (!handle || !text) return 0;
    return guarded([&] {
        keszip::AddressParts parts;
        const int found = keszip::nextIncAddress(handle->engine, first != 0, text, parts);
        if (found)
            keszip::writeAddressParts(parts, entry->prefecture, entry->city, entry->municipality,
                                      entry->town, entry->townNote);
        return found;
    });
}

KESZIP_API int KESZIP_CALL KesZipEdition(KesZipHandle* handle) {
    return handle ? static_cast<int>(handle->engine.edition()) : 0;
}

}  // extern "C"
