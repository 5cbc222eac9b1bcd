// Arbitrary bytes as the settings file: both blocks must read without harm,
// their texts within their fields, and writing a key into the same text must
// make it read back.
#include <platform/profile.h>
#include <platform/profile_writer.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "conversion/settings.h"

namespace {

std::string tempPath() {
    static const std::string path = [] {
        char name[] = "/tmp/fuzz_settings_XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        return std::string(name);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = tempPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);

    converter::SettingsStore store(path);
    const converter::OptionsBlock options = store.readOptions();
    const converter::CnvParamBlock params = store.readCnvParam();
    if (options.szErrName.size() > converter::kNameCapacity) std::abort();
    if (options.HyphenMode != 0 && options.HyphenMode != 1) std::abort();
    if (params.TXTCSVErrorStr.size() > converter::kMarkerCapacity) std::abort();

    const std::string updated = platform::profileAssign(text, "CnvParam", "CSVType", "7");
    if (platform::profileLookup(updated, "CnvParam", "CSVType", "", 255) != "7") std::abort();
    return 0;
}
