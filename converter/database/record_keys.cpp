#include "record_keys.h"

namespace converter {

bool RecordKeys::isInteger(const RecordKey& key) {
    if (key.size() != 1) return false;
    switch (key[0].kind) {
        case ValueKind::Int16:
        case ValueKind::Int32:
        case ValueKind::Int64:
        case ValueKind::Byte:
            return true;
        default:
            return false;
    }
}

void RecordKeys::add(RecordKey key) {
    if (compact_ && isInteger(key)) {
        integers_.push_back(key[0].integer);
        return;
    }
    if (compact_) {
        // The first key of another form: every key is kept whole from now on.
        compact_ = false;
        keys_.reserve(integers_.size() + 1);
        for (std::int64_t v : integers_)
            keys_.push_back({FieldValue::integerOf(ValueKind::Int64, v)});
        integers_.clear();
        integers_.shrink_to_fit();
    }
    keys_.push_back(std::move(key));
}

RecordKey RecordKeys::at(std::size_t index) const {
    if (compact_) return {FieldValue::integerOf(ValueKind::Int64, integers_[index])};
    return keys_[index];
}

void RecordKeys::clear() {
    compact_ = true;
    integers_.clear();
    keys_.clear();
}

}  // namespace converter
