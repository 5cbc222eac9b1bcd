#include "conversion_run.h"
#include "piece_run.h"

namespace converter {

// Fixed-column text: the result is inserted at a byte position of each line;
// a failed line is copied unchanged, optionally after the error marker.
int TextRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
            const std::string& bareNameFolder) {
    PieceRun run(job, engine, host, bareNameFolder, 32766, true);
    if (int code = run.open()) return code;
    RunFrame& frame = run.frame();
    const std::size_t insert = run.insert();
    const std::string marker = outputText(job, job.marker);
    std::string line;
    while (run.next()) {
        const std::string& record = run.record();
        const RecordOutcome& outcome = run.outcome();
        line.clear();
        if (!outcome.failed) {
            const std::size_t n = record.size() < insert ? record.size() : insert - 1;
            line.append(record, 0, n);
            line += fitField(outcome.result, run.width());
            line += ' ';
            line.append(record, n);
        } else {
            if (job.markerFlag) line += marker + " ";
            line += record;
            run.recordFailure();
        }
        line += '\n';
        if (!run.write(line)) break;
        frame.countProcessed();
        if (frame.maximumReached() || frame.stopConfirmed()) break;
    }
    return frame.finish();
}

}  // namespace converter
