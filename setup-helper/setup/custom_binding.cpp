#include "custom_binding.h"

#include <platform/paths.h>

#include <algorithm>

namespace setup {

namespace {

constexpr std::size_t kNameSlot = 32;
constexpr std::size_t kValueSlot = 260;

void putSlot(std::vector<char>& table, std::size_t slotSize, std::size_t index,
             const std::string& text) {
    table.resize(std::max(table.size(), (index + 1) * slotSize), '\0');
    const std::size_t n = std::min(text.size(), slotSize - 1);
    std::copy_n(text.data(), n, table.data() + index * slotSize);
    std::fill_n(table.data() + index * slotSize + n, slotSize - n, '\0');
}

}  // namespace

bool CustomBinding::load(const std::vector<std::string>& folders, std::string& error) {
    const std::string name = platform::sharedLibraryFileName("custom");
    std::string path;
    for (const std::string& folder : folders) {
        path = platform::joinPath(folder, name);
        if (platform::fileExists(path)) break;
    }
    if (path.empty() || !library_.load(path)) {
        error = path.empty() ? "no folder to look for " + name + " in" : library_.error();
        return false;
    }
    dspHook_ = reinterpret_cast<Export>(library_.symbol("DspHook"));
    dspUnHook_ = reinterpret_cast<Export>(library_.symbol("DspUnHook"));
    setDate_ = reinterpret_cast<Export>(library_.symbol("SetDate"));
    if (!dspHook_ || !dspUnHook_ || !setDate_) {
        error = path + " lacks DspHook, DspUnHook or SetDate";
        return false;
    }
    return true;
}

void CustomBinding::setVariable(const std::string& name, const std::string& value) {
    const std::string enclosed = "%" + name + "%";
    std::size_t index = 0;
    while (index < count_ && std::string(names_.data() + index * kNameSlot) != enclosed) ++index;
    putSlot(names_, kNameSlot, index, enclosed);
    putSlot(values_, kValueSlot, index, value);
    count_ = std::max(count_, index + 1);
}

CustomCallRecord CustomBinding::record(void* window, const std::string& parameter) {
    CustomCallRecord record{};
    record.window = window;
    record.nameSlotSize = kNameSlot;
    record.valueSlotSize = kValueSlot;
    record.variableCount = static_cast<uint32_t>(count_);
    record.variableNames = names_.empty() ? nullptr : names_.data();
    record.variableValues = values_.empty() ? nullptr : values_.data();
    record.parameter = parameter.c_str();
    return record;
}

int CustomBinding::dspHook(void* window, const std::string& editionVariable) {
    if (!dspHook_) return 0;
    CustomCallRecord call = record(window, editionVariable);
    return dspHook_(&call);
}

int CustomBinding::dspUnHook() {
    if (!dspUnHook_) return 0;
    CustomCallRecord call = record(nullptr, "");
    return dspUnHook_(&call);
}

int CustomBinding::setDate(const std::string& parameter) {
    if (!setDate_) return 0;
    CustomCallRecord call = record(nullptr, parameter);
    return setDate_(&call);
}

}  // namespace setup
