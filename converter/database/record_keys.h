// The keys of a record set, in the table's order. Most tables are keyed by
// one integer (a rowid, a serial number); those keys take eight bytes each,
// so that a table of millions of records keeps its key list small. Other
// keys are kept whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "field_value.h"

namespace converter {

// What identifies one record: the rowid, or the values of the primary key.
using RecordKey = std::vector<FieldValue>;

class RecordKeys {
  public:
    void add(RecordKey key);
    std::size_t size() const { return compact_ ? integers_.size() : keys_.size(); }
    bool empty() const { return size() == 0; }
    // The key at `index` (integer keys come back as Int64 values).
    RecordKey at(std::size_t index) const;
    void clear();

  private:
    static bool isInteger(const RecordKey& key);

    bool compact_ = true;
    std::vector<std::int64_t> integers_;
    std::vector<RecordKey> keys_;
};

}  // namespace converter
