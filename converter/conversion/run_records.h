// The two ends of a conversion run as the run frame sees them. A run reads
// its records through a RecordSource and writes its output through a
// RecordSink; the frame opens both, counts records, keeps the error file,
// the partial range, the error maximum, the stop and the timing, and ends
// the output with commit() or discard(). What a record holds (a line, a
// sheet row, a table row) is known only to the run and its own source and
// sink classes, which offer their contents beside this interface.
//
//   frame.open()   source.open(sourceName); sink.open(destinationName)
//   frame.next()   source.next(number) until a record inside the range
//   frame.finish() sink.commit()  (message 6 when the output is incomplete)
//   early ends     sink.discard() (error file or engine not opened)
#pragma once

#include <cstdint>
#include <string>

namespace converter {

class RecordSource {
  public:
    virtual ~RecordSource() = default;
    // False when the source cannot be read: the run ends with code 1.
    virtual bool open(const std::string& path) = 0;
    // Moves to the next record; false at the end of the source (or when it
    // cannot be read further). `number` is the record's 1-based number, the
    // one partial ranges and the error file speak of.
    virtual bool next(std::uint32_t& number) = 0;
    // Share of the source read so far, 0 to 1, for the progress display.
    virtual double fraction() const = 0;
};

class RecordSink {
  public:
    virtual ~RecordSink() = default;
    // 0, or the run's end code: 2 when the output cannot be created, 1 when
    // the sink itself had to read the source and could not.
    virtual int open(const std::string& path) = 0;
    // Completes the output when the run ends (also after a stop or the error
    // maximum); false when it could not be completed.
    virtual bool commit() = 0;
    // Drops the output of a run that ends before converting; whatever was at
    // the destination stays as it was.
    virtual void discard() = 0;
};

}  // namespace converter
