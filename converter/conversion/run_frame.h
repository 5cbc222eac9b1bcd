// The frame shared by every conversion run (internal to the runs): it opens
// the run's record source and sink (see run_records.h), the error file and
// the engine, hands out the records inside the partial range, and keeps the
// counter, the error file, the error maximum, the stop and the timing.
#pragma once

#include <cstdint>
#include <string>

#include "address_engine.h"
#include "conversion_job.h"
#include "run_host.h"
#include "run_records.h"
#include "text_file.h"

namespace converter {

class RunFrame {
  public:
    // `bareNameFolder` is where an error file name without a folder goes
    // ("" for the current folder).
    // The source and the sink must outlive the frame.
    RunFrame(const ConversionJob& job, AddressEngine& engine, RunHost& host,
             std::string bareNameFolder, RecordSource& source, RecordSink& sink);

    // Opens source, destination, error file and engine; 0 or the end code.
    // The destination and the error file are written beside their names and
    // take their places in `finish`; an early end discards the destination.
    int open();
    // Pumps events and moves the source to the next record to convert,
    // skipping records before a partial range; false at the end of the
    // source or of the range, or when the host abandons the run.
    bool next();
    // The current record's number.
    std::uint32_t recordNumber() const { return recordNumber_; }
    // A failed record: its error-file entry, the error count shown. The
    // address is in the source's encoding.
    void recordFailure(const std::string& address, std::int32_t flags);
    // A failed record given by number, with its own explanation (Shift-JIS
    // lines, each ending with a line feed).
    void recordFailure(std::uint32_t number, const std::string& address,
                       const std::string& explanation);
    // The result of a write to the sink: on failure message 6 is shown (once)
    // and false comes back.
    bool written(bool ok);
    // The sink cannot be written for a reason of its own, told by `text`
    // (Shift-JIS) instead of message 6: the run ends as after a write error.
    void endWithWriteError(const std::string& text);
    // The processed count + 1 shown on the counter.
    void countProcessed();
    std::uint32_t processed() const { return processed_; }
    void showProcessed(std::uint32_t value);
    std::int32_t errorCount() const { return errors_; }
    // The error maximum reached (message 13 shown): the loop ends.
    bool maximumReached();
    // For runs that judge the maximum themselves: message 13, and the run
    // counts as stopped at the maximum.
    void stopAtMaximum();
    // The user's stop request, confirmed: the loop ends.
    bool stopConfirmed();
    // Counter, files put in place, the host told the outcome and counts,
    // elapsed-time message; returns end code 0. After a write error, or when
    // the host abandoned the run, the destination and the error file are
    // dropped and the old files stay as they were.
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
    RecordSource& source_;
    RecordSink& destination_;
    TextSink errorFile_;
    std::uint32_t recordNumber_ = 0;
    std::uint32_t processed_ = 0;
    std::uint32_t read_ = 0;   // records handed out inside the range
    std::uint32_t shown_ = 0;  // the counter's last value
    std::int32_t errors_ = 0;
    std::uint32_t startTick_ = 0;
    bool writeErrorShown_ = false;
    bool maximumStop_ = false;
    bool userStop_ = false;
    bool abandoned_ = false;
};

// The record's line end (a last byte below 32 that is not a tab) removed.
void cutLineEnd(std::string& record);

}  // namespace converter
