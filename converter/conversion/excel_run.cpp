#include "excel_run.h"

#include "conversion_run.h"
#include "record_conversion.h"
#include "run_frame.h"
#include "sheet_records.h"

namespace converter {

std::string columnName(int number) {
    if (number <= 0 || number > 256) return {};
    if (number <= 26) return std::string(1, static_cast<char>('A' + number - 1));
    return {static_cast<char>('A' + (number - 27) / 26),
            static_cast<char>('A' + (number - 1) % 26)};
}

int columnNumber(std::string_view name) {
    for (int n = 1; n <= 256; ++n) {
        const std::string candidate = columnName(n);
        if (candidate.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size(); ++i) {
            char c = name[i];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            same = same && c == candidate[i];
        }
        if (same) return n;
    }
    return 0;
}

int ExcelRun(const ConversionJob& job, WorkbookKind& kind, AddressEngine& engine, RunHost& host,
             const std::string& bareNameFolder) {
    std::unique_ptr<WorkbookReader> reader = kind.reader();
    std::unique_ptr<WorkbookWriter> writer = kind.writer();
    SheetRowSource source(*reader, job.sheetName, job.pieceStart);
    WorkbookCopySink destination(*writer, source, job.sourceName);
    RunFrame frame(job, engine, host, bareNameFolder, source, destination);
    if (int code = frame.open()) return code;
    const std::uint32_t column =
        job.insertPosition > 0 ? static_cast<std::uint32_t>(job.insertPosition - 1) : 0;
    while (frame.next()) {
        const std::string address = source.address();
        RecordOutcome outcome = ConvertRecordAddress(engine, address, frame.mode(), job.checks);
        frame.showProcessed(frame.recordNumber());
        if (outcome.failed) {
            // The destination cell keeps what the source had there.
            frame.recordFailure(address, outcome.flags);
            if (frame.maximumReached()) break;
        } else if (!frame.written(destination.putText(column, source.row(), outcome.result) == 0)) {
            break;
        }
        if (frame.stopConfirmed()) break;
    }
    // The copy is saved with the rows converted so far; a save that fails is
    // reported (message 6), since the output on disk would be incomplete.
    return frame.finish();
}

}  // namespace converter
