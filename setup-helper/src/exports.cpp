// The exported C interface of libcustom.so.
#include <platform/dynamic_library.h>
#include <platform/paths.h>

#include <QWidget>

#include "call_record.h"
#include "custom.h"
#include "set_date.h"
#include "window_hook.h"

namespace {

// While the decoration is in place the library holds one more reference to
// itself, so that a host unloading it early cannot pull the filter's code
// away from under the application object.
platform::DynamicLibrary& selfReference() {
    static platform::DynamicLibrary library;
    return library;
}

}  // namespace

extern "C" {

CUSTOM_API int32_t CUSTOM_CALL DspHook(CustomCallRecord* record) {
    if (!record) return 1;
    const int edition = custom::editionNumber(*record);
    const std::string self = platform::modulePathOf(reinterpret_cast<const void*>(&DspHook));
    if (!self.empty()) selfReference().load(self);
    custom::installDecoration(static_cast<QWidget*>(record->window), edition);
    return 1;
}

CUSTOM_API int32_t CUSTOM_CALL DspUnHook(CustomCallRecord*) {
    custom::removeDecoration();
    selfReference() = platform::DynamicLibrary();
    return 1;
}

CUSTOM_API int32_t CUSTOM_CALL SetDate(CustomCallRecord* record) {
    if (!record) return 0;
    return custom::setDate(custom::parameterText(*record));
}

}  // extern "C"
