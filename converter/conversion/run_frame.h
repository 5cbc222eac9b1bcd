// The frame shared by the text, SDF and CSV runs (internal to the runs).
#pragma once

#include <cstdint>
#include <string>

#include "address_engine.h"
#include "conversion_job.h"
#include "run_host.h"
#include "text_file.h"

namespace converter {

class RunFrame {
  public:
    // `bareNameFolder` is where an error file name without a folder goes
    // ("" for the current folder).
    RunFrame(const ConversionJob& job, AddressEngine& engine, RunHost& host,
             std::string bareNameFolder);

    // Opens source, destination, error file and engine; 0 or the end code.
    // The destination and the error file are written beside their names and
    // take their places in `finish`.
    int open();
    // Pumps events and reads the next record to convert, skipping records
    // before a partial range; false at the end of the source or of the range.
    bool next(std::size_t maxBytes, std::string& record, bool lineRecords = true);
    // A failed record: its error-file entry, the error count shown.
    void recordFailure(const std::string& address, std::int32_t flags);
    // Writes to the destination; on failure shows message 6 once and returns false.
    bool write(std::string_view text);
    // The processed count + 1 shown on the counter.
    void countProcessed();
    std::uint32_t processed() const { return processed_; }
    void showProcessed(std::uint32_t value);
    std::int32_t errorCount() const { return errors_; }
    // The error maximum reached (message 13 shown): the loop ends.
    bool maximumReached();
    // The user's stop request, confirmed: the loop ends.
    bool stopConfirmed();
    // Closes the destination alone (CSV closes it before the rest).
    void closeDestination();
    // Counter, files put in place, elapsed-time message; returns end code 0.
    int finish();

    ConversionMode mode() const { return mode_; }
    const ConversionJob& job() const { return job_; }
    AddressEngine& engine() { return engine_; }

  private:
    const ConversionJob& job_;
    AddressEngine& engine_;
    RunHost& host_;
    void showWriteError();

    std::string bareNameFolder_;
    ConversionMode mode_;
    TextSource source_;
    TextSink destination_;
    TextSink errorFile_;
    std::uint32_t recordNumber_ = 0;
    std::uint32_t processed_ = 0;
    std::uint32_t shown_ = 0;  // the counter's last value
    std::int32_t errors_ = 0;
    std::uint32_t startTick_ = 0;
    bool writeErrorShown_ = false;
    bool destinationClosed_ = false;
};

// The record's line end (a last byte below 32 that is not a tab) removed.
void cutLineEnd(std::string& record);

}  // namespace converter
