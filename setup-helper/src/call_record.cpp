#include "call_record.h"

#include <cstring>

namespace custom {

namespace {

constexpr std::size_t kMaxEnclosedName = 32;  // bytes, the NUL included

// The NUL-terminated text of one slot, cut at the slot's end.
std::string_view slotText(const char* table, std::size_t slotSize, std::size_t index) {
    const char* slot = table + index * slotSize;
    return std::string_view(slot, ::strnlen(slot, slotSize));
}

}  // namespace

std::string lookupVariable(const CustomCallRecord& record, std::string_view name) {
    const std::string enclosed = "%" + std::string(name) + "%";
    if (enclosed.size() + 1 > kMaxEnclosedName) return {};
    if (!record.variableNames || record.nameSlotSize == 0) return {};
    for (std::size_t i = 0; i < record.variableCount; ++i) {
        if (slotText(record.variableNames, record.nameSlotSize, i) != enclosed) continue;
        if (!record.variableValues || record.valueSlotSize == 0) return {};
        return std::string(slotText(record.variableValues, record.valueSlotSize, i));
    }
    return {};
}

std::string_view parameterText(const CustomCallRecord& record) {
    return record.parameter ? std::string_view(record.parameter) : std::string_view();
}

int editionNumber(const CustomCallRecord& record) {
    return decimalValue(lookupVariable(record, parameterText(record)));
}

}  // namespace custom
