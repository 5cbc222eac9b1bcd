// Text files as the source and the sink of the text, SDF and CSV runs.
#pragma once

#include <string>
#include <string_view>

#include "run_records.h"
#include "text_file.h"

namespace converter {

// Records of a text file, as TextSource cuts them.
class TextRecordSource final : public RecordSource {
  public:
    TextRecordSource(std::size_t maxBytes, bool lineRecords)
        : maxBytes_(maxBytes), lineRecords_(lineRecords) {}
    bool open(const std::string& path) override { return file_.open(path); }
    bool next(std::uint32_t& number) override {
        if (!file_.readRecord(maxBytes_, record_, lineRecords_)) return false;
        number = ++count_;
        return true;
    }
    double fraction() const override { return file_.fraction(); }
    // The current record; the run may change it in place.
    std::string& record() { return record_; }

  private:
    TextSource file_;
    std::size_t maxBytes_;
    bool lineRecords_;
    std::string record_;
    std::uint32_t count_ = 0;
};

class TextRecordSink final : public RecordSink {
  public:
    int open(const std::string& path) override { return file_.open(path) ? 0 : 2; }
    bool commit() override { return file_.commit(); }
    void discard() override { file_.discard(); }
    // False once any write has failed.
    bool write(std::string_view text) { return file_.write(text); }
    // Flushes and closes without putting the file in place yet.
    bool close() { return file_.close(); }

  private:
    TextSink file_;
};

}  // namespace converter
