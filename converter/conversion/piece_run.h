// What the text and SDF runs share: a text file read record by record, each
// record's address its pieces at byte positions (looked up ahead on the
// job's threads), the run frame over them, and the width and position of the
// result field. The runs differ only in what they write for a record.
#pragma once

#include <cstddef>
#include <string>

#include "conversion_job.h"
#include "lookup_ahead.h"
#include "record_conversion.h"
#include "record_pieces.h"
#include "run_frame.h"
#include "text_records.h"

namespace converter {

class PieceRun {
  public:
    // Records of at most `recordBytes` bytes, ended by a line break when
    // `lineRecords` is set.
    PieceRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
             const std::string& bareNameFolder, std::size_t recordBytes, bool lineRecords)
        : job_(job),
          source_(recordBytes, lineRecords),
          ahead_(job, prepared(job, source_, destination_), engine,
                 [&job](const std::string& record) {
                     return engineAddress(job, piecesOf(job, record));
                 }),
          frame_(job, ahead_.engine(), host, bareNameFolder, ahead_.source(), destination_),
          engine_(engine) {}

    // Opens the run (see RunFrame::open); 0 or the end code.
    int open() {
        if (int code = frame_.open()) return code;
        width_ = fieldWidth(frame_.mode(), engine_.hyphenMode());
        return 0;
    }
    // The next record inside the range, its line end cut and its address
    // looked up; false at the end.
    bool next() {
        if (!frame_.next()) return false;
        cutLineEnd(source_.record());
        address_ = ahead_.address(source_.record());
        outcome_ = ConvertRecordAddress(frame_.engine(), address_, frame_.mode(), job_.checks);
        return true;
    }
    // The current record (its line end cut) and its lookup's outcome.
    const std::string& record() { return source_.record(); }
    const RecordOutcome& outcome() const { return outcome_; }
    // Lists the current record in the error file.
    void recordFailure() {
        frame_.recordFailure(job_.utf8 ? listedAddress(job_, piecesOf(job_, record())) : address_,
                             outcome_.flags);
    }
    // Writes to the destination; false once the frame ends the run for a
    // write error.
    bool write(const std::string& text) { return frame_.written(destination_.write(text)); }

    RunFrame& frame() { return frame_; }
    // The width of the result field (after open) and the 1-based byte
    // position it goes in at; positions below 1 (refused by the page checks)
    // insert at the start.
    int width() const { return width_; }
    std::size_t insert() const {
        return job_.insertPosition > 0 ? static_cast<std::size_t>(job_.insertPosition) : 1;
    }

  private:
    static std::string piecesOf(const ConversionJob& job, const std::string& record) {
        return joinPieces(record, job.pieceStart, job.pieceSize);
    }
    // The source with the job's encoding applied at both ends, before the
    // read-ahead takes it.
    static TextRecordSource& prepared(const ConversionJob& job, TextRecordSource& source,
                                      TextRecordSink& destination) {
        applyEncoding(job, source, destination);
        return source;
    }

    const ConversionJob& job_;
    TextRecordSource source_;
    TextRecordSink destination_;
    LookupAhead ahead_;
    RunFrame frame_;
    AddressEngine& engine_;
    int width_ = 0;
    std::string address_;
    RecordOutcome outcome_;
};

}  // namespace converter
