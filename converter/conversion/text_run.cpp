#include "conversion_run.h"
#include "lookup_ahead.h"
#include "record_pieces.h"
#include "run_frame.h"
#include "text_records.h"

namespace converter {

// Fixed-column text: the result is inserted at a byte position of each line;
// a failed line is copied unchanged, optionally after the error marker.
int TextRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
            const std::string& bareNameFolder) {
    TextRecordSource source(32766, true);
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
    const std::string marker = outputText(job, job.marker);
    std::string& record = source.record();
    std::string line;
    while (frame.next()) {
        cutLineEnd(record);
        const std::string address = ahead.address(record);
        RecordOutcome outcome =
            ConvertRecordAddress(frame.engine(), address, frame.mode(), job.checks);
        line.clear();
        if (!outcome.failed) {
            const std::size_t n = record.size() < insert ? record.size() : insert - 1;
            line.append(record, 0, n);
            line += fitField(outcome.result, width);
            line += ' ';
            line.append(record, n);
        } else {
            if (job.markerFlag) line += marker + " ";
            line += record;
            frame.recordFailure(
                job.utf8 ? listedAddress(job, joinPieces(record, job.pieceStart, job.pieceSize))
                         : address,
                outcome.flags);
        }
        line += '\n';
        if (!frame.written(destination.write(line))) break;
        frame.countProcessed();
        if (frame.maximumReached() || frame.stopConfirmed()) break;
    }
    return frame.finish();
}

}  // namespace converter
