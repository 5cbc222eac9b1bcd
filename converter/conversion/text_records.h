// Text files as the source and the sink of the text, SDF and CSV runs.
#pragma once

#include <string>
#include <string_view>

#include "conversion_job.h"
#include "run_records.h"
#include "text_encoding.h"
#include "text_file.h"

namespace converter {

// Records of a text file, as TextSource cuts them.
class TextRecordSource final : public RecordSource {
  public:
    TextRecordSource(std::size_t maxBytes, bool lineRecords)
        : maxBytes_(maxBytes), lineRecords_(lineRecords) {}
    bool open(const std::string& path) override { return file_.open(path, skipping_); }
    // A byte order mark at the start of the file is passed over.
    void skipByteOrderMark(std::string_view mark) { skipping_ = mark; }
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
    std::string_view skipping_;
    std::size_t maxBytes_;
    bool lineRecords_;
    std::string record_;
    std::uint32_t count_ = 0;
};

class TextRecordSink final : public RecordSink {
  public:
    int open(const std::string& path) override {
        if (!file_.open(path)) return 2;
        return file_.write(start_) ? 0 : 2;
    }
    // Bytes the file begins with (a byte order mark).
    void startWith(std::string_view bytes) { start_ = bytes; }
    bool commit() override { return file_.commit(); }
    void discard() override { file_.discard(); }
    // False once any write has failed.
    bool write(std::string_view text) { return file_.write(text); }
    // Flushes and closes without putting the file in place yet.
    bool close() { return file_.close(); }

  private:
    TextSink file_;
    std::string_view start_;
};

// The job's encoding at the two ends of a text run: a byte order mark of the
// source is passed over and starts the destination.
inline void applyEncoding(const ConversionJob& job, TextRecordSource& source,
                          TextRecordSink& destination) {
    if (!job.byteOrderMark) return;
    source.skipByteOrderMark(kUtf8ByteOrderMark);
    destination.startWith(kUtf8ByteOrderMark);
}

// An address taken from a record, as the engine reads it.
inline std::string engineAddress(const ConversionJob& job, const std::string& address) {
    return job.utf8 ? lookupFormOf(address) : address;
}

// An address taken from a record, as the error file lists it.
inline std::string listedAddress(const ConversionJob& job, const std::string& address) {
    return job.utf8 ? wholeUtf8Characters(address) : address;
}

// A Shift-JIS text of the program's own (the marker) as the destination has it.
inline std::string outputText(const ConversionJob& job, const std::string& sjis) {
    return job.utf8 ? utf8Of(sjis) : sjis;
}

}  // namespace converter
