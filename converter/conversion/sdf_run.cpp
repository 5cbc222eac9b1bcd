#include "conversion_run.h"
#include "piece_run.h"

namespace converter {

// Fixed-position records, one per line or of a fixed length; a failed record
// gets a blank result field.
int SdfRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
           const std::string& bareNameFolder) {
    const bool lines = job.layoutMode == 1;
    const std::size_t recordSize = lines ? 32767 : static_cast<std::size_t>(job.recordLength);
    PieceRun run(job, engine, host, bareNameFolder, recordSize, lines);
    if (int code = run.open()) return code;
    RunFrame& frame = run.frame();
    const int width = run.width();
    const std::size_t insert = run.insert();
    std::string output;
    while (run.next()) {
        const std::string& record = run.record();
        const RecordOutcome& outcome = run.outcome();
        const bool inside = record.size() >= insert;
        const std::size_t n = inside ? insert - 1 : record.size();
        output.assign(record, 0, n);
        output += outcome.failed ? std::string(static_cast<std::size_t>(width), ' ')
                                 : fitField(outcome.result, width);
        if (inside) output += ' ';
        if (outcome.failed) run.recordFailure();
        output.append(record, n);
        if (lines) output += '\n';
        frame.countProcessed();
        if (!run.write(output)) break;
        if (frame.maximumReached() || frame.stopConfirmed()) break;
    }
    return frame.finish();
}

}  // namespace converter
