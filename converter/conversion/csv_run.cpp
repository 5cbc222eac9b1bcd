#include "conversion_run.h"
#include "csv_line.h"
#include "excel_run.h"
#include "lookup_ahead.h"
#include "run_frame.h"
#include "text_records.h"
#include "text_rules.h"

namespace converter {
namespace {

// The address of a record whose line end is cut: its address fields joined.
std::string csvAddress(const std::string& record, const ConversionJob& job, CsvLine& split) {
    const std::size_t count = split.Split(record);
    std::string address, field;
    for (std::int32_t f : job.pieceStart) {
        if (f > 0 && static_cast<std::size_t>(f) <= count) {
            split.Field(static_cast<std::size_t>(f) - 1, field);
            address += field;
        }
    }
    return address;
}

}  // namespace

// CSV: one field with the result (or the marker, or nothing) is put in front
// of every line; the line itself follows unchanged.
int CsvRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
           const std::string& bareNameFolder) {
    TextRecordSource source(32766, true);
    TextRecordSink destination;
    applyEncoding(job, source, destination);
    CsvLine split(job.utf8), listing(job.utf8);
    LookupAhead ahead(job, source, engine, [&job, &split](const std::string& record) {
        return engineAddress(job, csvAddress(record, job, split));
    });
    RunFrame frame(job, ahead.engine(), host, bareNameFolder, ahead.source(), destination);
    auto write = [&](const std::string& text) { return frame.written(destination.write(text)); };
    if (int code = frame.open()) return code;
    const bool quoted = job.layoutMode == 1;
    auto resultField = [quoted](const std::string& text) {
        return quoted ? "\"" + text + "\"," : text + ",";
    };
    const std::string marker = outputText(job, job.marker);
    std::string& record = source.record();
    while (frame.next()) {
        cutLineEnd(record);
        const std::string address = ahead.address(record);
        RecordOutcome outcome =
            ConvertRecordAddress(frame.engine(), address, frame.mode(), job.checks);
        if (outcome.failed) {
            write(resultField(job.markerFlag ? marker : std::string()));
            frame.recordFailure(
                job.utf8 ? listedAddress(job, csvAddress(record, job, listing)) : address,
                outcome.flags);
            if (frame.job().maxErrors && frame.errorCount() == job.maxErrorCount) {
                write(record + "\n");
                frame.showProcessed(frame.processed() + 1);
                frame.maximumReached();
                break;
            }
        } else if (!write(resultField(trimTrailingSpaces(outcome.result)))) {
            frame.showProcessed(frame.processed() + 1);
            break;
        }
        frame.countProcessed();
        if (!write(record + "\n")) break;
        if (frame.stopConfirmed()) break;
    }
    // The destination is closed before the rest.
    frame.written(destination.close());
    return frame.finish();
}

int runConversion(SourceKind kind, const ConversionJob& job, AddressEngine& engine, RunHost& host,
                  const std::string& bareNameFolder, WorkbookKind* workbooks) {
    switch (kind) {
        case SourceKind::Text:
            return TextRun(job, engine, host, bareNameFolder);
        case SourceKind::Sdf:
            return SdfRun(job, engine, host, bareNameFolder);
        case SourceKind::Csv:
            return CsvRun(job, engine, host, bareNameFolder);
        case SourceKind::Excel:
            return workbooks ? ExcelRun(job, *workbooks, engine, host, bareNameFolder)
                             : kSourceNotOpened;
    }
    return kRunEnded;
}

}  // namespace converter
