#include "engine_binding.h"

#include <platform/dynamic_library.h>
#include <platform/paths.h>

#include "kesbar.h"
#include "keszip.h"

namespace kesbar {
namespace {

// The engine's address lookup: address, old code, 7-digit code and address
// number out; returns the lookup's result flags.
using LookupFunction = int(KESBAR_CALL*)(const char*, char*, char*, char*);

// Loads the engine, beside this library first and then by the system's
// search; null when the library or its export cannot be had. A binding once
// made stays for the life of the process; a failed one is tried again on the
// next call.
LookupFunction engineLookup() {
    static LookupFunction lookup = nullptr;
    if (lookup) return lookup;
    const std::string name = platform::sharedLibraryFileName("keszip");
    const std::string beside = platform::joinPath(
        platform::directoryOf(platform::modulePathOf(reinterpret_cast<const void*>(&addressData))),
        name);
    platform::DynamicLibrary library;
    bool loaded = (platform::fileExists(beside) && library.load(beside)) || library.load(name);
    if (!loaded) return nullptr;
    auto found = reinterpret_cast<LookupFunction>(library.symbol("zelko57"));
    if (!found) return nullptr;  // the library goes away with `library`
    library.keepLoaded();
    lookup = found;
    return lookup;
}

// The engine's result buffers, shared by every call.
char g_oldCode[KESZIP_OLD_CODE_SIZE];
char g_code7[KESZIP_CODE7_SIZE];
char g_addressNumber[KESZIP_ADDRESS_NUMBER_SIZE];

}  // namespace

Result addressData(const char* address, std::string& data) {
    LookupFunction lookup = engineLookup();
    if (!lookup) return Result::NoEngine;
    g_addressNumber[0] = '\0';
    g_code7[0] = '\0';
    int flags = lookup(address, g_oldCode, g_code7, g_addressNumber);
    if (!(flags & KESZIP_FOUND) || (flags & KESZIP_GENERIC_CODE)) return Result::NotPlaced;
    // The buffers are terminated whatever the engine wrote.
    g_code7[sizeof g_code7 - 1] = '\0';
    g_addressNumber[sizeof g_addressNumber - 1] = '\0';
    data.assign(g_code7);
    data += g_addressNumber;
    return Result::Success;
}

}  // namespace kesbar
