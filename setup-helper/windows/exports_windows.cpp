// The exported C interface of Custom.dll.
#include <windows.h>

#include "custom.h"
#include "decoration_windows.h"
#include "src/call_record.h"
#include "src/set_date.h"

namespace {

// While the decoration is in place the library holds one more reference to
// itself, so that a host unloading it early cannot pull the hooks' code away.
HMODULE& selfReference() {
    static HMODULE module = nullptr;
    return module;
}

}  // namespace

extern "C" {

CUSTOM_API int32_t CUSTOM_CALL DspHook(CustomCallRecord* record) {
    if (!record) return 1;
    const int edition = custom::editionNumber(*record);
    if (!selfReference()) selfReference() = LoadLibraryW(L"Custom.dll");
    custom::installWindowsDecoration(static_cast<HWND>(record->window), edition);
    return 1;
}

CUSTOM_API int32_t CUSTOM_CALL DspUnHook(CustomCallRecord*) {
    custom::removeWindowsDecoration();
    if (HMODULE module = selfReference()) {
        selfReference() = nullptr;
        FreeLibrary(module);
    }
    return 1;
}

CUSTOM_API int32_t CUSTOM_CALL SetDate(CustomCallRecord* record) {
    if (!record) return 0;
    return custom::setDate(custom::parameterText(*record));
}

}  // extern "C"
