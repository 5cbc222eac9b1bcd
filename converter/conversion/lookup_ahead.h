// Parallel lookups for the text, SDF and CSV runs. The records are read in
// order ahead of the run, their addresses looked up on several engines at
// once, and handed to the run one at a time in their original order; the
// run's own lookups are then answered from what was looked up ahead. The run
// loop, its counts, error file, error maximum and stop stay exactly as with
// one engine, so its output is the same byte for byte.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "address_engine.h"
#include "conversion_job.h"
#include "text_records.h"

namespace converter {

class LookupAhead {
  public:
    // The address of a record whose line end is cut.
    using AddressOf = std::function<std::string(const std::string& record)>;

    // `job.threads` engines look up ahead; with one thread (or an engine
    // without workers) source() and engine() are the run's own.
    LookupAhead(const ConversionJob& job, TextRecordSource& source, AddressEngine& engine,
                AddressOf addressOf);
    ~LookupAhead();
    LookupAhead(const LookupAhead&) = delete;
    LookupAhead& operator=(const LookupAhead&) = delete;

    // What the run frame reads; the current record is in the text source's
    // record() as without read-ahead.
    RecordSource& source();
    // What the run looks up with.
    AddressEngine& engine();
    // The address of the current record (its line end cut), computed once.
    std::string address(const std::string& record) const;

  private:
    class Pipeline;
    TextRecordSource& source_;
    AddressEngine& engine_;
    AddressOf addressOf_;
    std::unique_ptr<Pipeline> pipeline_;  // last: it uses addressOf_
};

}  // namespace converter
