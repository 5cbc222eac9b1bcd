// The two ends of a table run: the records of an open table in the table's
// order, and the table itself as the place the results go. The table is
// opened by the page before the run and closed after it.
#pragma once

#include <cstdint>
#include <string>

#include "run_records.h"
#include "table.h"

namespace converter {

class TableRecordSource final : public RecordSource {
  public:
    explicit TableRecordSource(Table& table) : table_(table) {}
    bool open(const std::string&) override {
        started_ = false;
        return table_.isOpen();
    }
    bool next(std::uint32_t& number) override {
        const long position = started_ ? table_.Move(1, false) : table_.Move(0, true);
        started_ = true;
        if (position <= 0) return false;
        number_ = static_cast<std::uint32_t>(position);
        number = number_;
        return true;
    }
    double fraction() const override {
        const long count = table_.recordCount();
        return count > 0 ? static_cast<double>(number_) / static_cast<double>(count) : 1.0;
    }

  private:
    Table& table_;
    bool started_ = false;
    std::uint32_t number_ = 0;
};

// Results are written record by record; the run commits them in batches, so
// nothing is left to complete at the end.
class TableRecordSink final : public RecordSink {
  public:
    int open(const std::string&) override { return 0; }
    bool commit() override { return true; }
    void discard() override {}
};

}  // namespace converter
