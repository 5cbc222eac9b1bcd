// The engine handles of the exported interface: engines of their own over a
// dictionary folder, for callers that look up on several threads. No
// exception may cross this boundary.
#include <cstring>
#include <memory>
#include <string>

#include "engine_handle.h"
#include "export_guard.h"
#include "fold.h"
#include "keszip.h"
#include "lookup_output.h"

using keszip::guarded;

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

KESZIP_API int KESZIP_CALL KesZipHandleError(KesZipHandle* handle) {
    return handle ? handle->engine.lastError() : KESZIP_ERR_NOT_OPEN;
}

}  // extern "C"
