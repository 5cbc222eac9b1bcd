#include "conversion_run.h"
#include "lookup_ahead.h"
#include "record_pieces.h"
#include "run_frame.h"
#include "text_records.h"

namespace converter {

// Fixed-position records, one per line or of a fixed length; a failed record
// gets a blank result field.
int SdfRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
           const std::string& bareNameFolder) {
    const bool lines = job.layoutMode == 1;
    const std::size_t recordSize = lines ? 32767 : static_cast<std::size_t>(job.recordLength);
    TextRecordSource source(recordSize, lines);
    TextRecordSink destination;
    applyEncoding(job, source, destination);
    LookupAhead ahead(job, source, engine, [&job](const std::string& record) {
        return engineAddress(job, joinPieces(record, job.pieceStart, job.pieceSize));
    });
    RunFrame frame(job, ahead.engine(), host, bareNameFolder, ahead.source(), destination);
    if (int code = frame.open()) return code;
    const int width = fieldWidth(frame.mode(), engine.hyphenMode());
    // Positions below 1 (refused by the page checks) insert at the start.
    const std::size_t insert =
        job.insertPosition > 0 ? static_cast<std::size_t>(job.insertPosition) : 1;
    std::string& record = source.record();
    std::string output;
    while (frame.next()) {
        cutLineEnd(record);
        const std::string address = ahead.address(record);
        RecordOutcome outcome =
            ConvertRecordAddress(frame.engine(), address, frame.mode(), job.checks);
        const bool inside = record.size() >= insert;
        const std::size_t n = inside ? insert - 1 : record.size();
        output.assign(record, 0, n);
        output += outcome.failed ? std::string(static_cast<std::size_t>(width), ' ')
                                 : fitField(outcome.result, width);
        if (inside) output += ' ';
        if (outcome.failed)
            frame.recordFailure(
                job.utf8 ? listedAddress(job, joinPieces(record, job.pieceStart, job.pieceSize))
                         : address,
                outcome.flags);
        output.append(record, n);
        if (lines) output += '\n';
        frame.countProcessed();
        if (!frame.written(destination.write(output))) break;
        if (frame.maximumReached() || frame.stopConfirmed()) break;
    }
    return frame.finish();
}

}  // namespace converter
