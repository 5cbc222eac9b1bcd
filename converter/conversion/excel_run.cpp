#include "excel_run.h"

#include <platform/files.h>

#include <cstring>
#include <fstream>

#include "conversion_run.h"
#include "record_conversion.h"
#include "run_frame.h"
#include "sheet_records.h"
#include "sjis_literal.h"

namespace converter {

std::string columnName(int number, int columns) {
    if (number <= 0 || number > columns) return {};
    std::string name;
    for (int n = number; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

int columnNumber(std::string_view name, int columns) {
    if (name.empty() || name.size() > 3) return 0;
    int number = 0;
    for (char c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') return 0;
        number = number * 26 + (c - 'A' + 1);
    }
    return number <= columns ? number : 0;
}

bool isZipPackage(const std::string& path) {
    std::ifstream file(platform::fsPath(path), std::ios::binary);
    char magic[4] = {};
    return file.read(magic, 4) && std::memcmp(magic, "PK\3\4", 4) == 0;
}

std::string copyExtensionFor(const std::string& source) {
    return isZipPackage(source) ? ".xlsx" : ".xls";
}

bool destinationFitsCopy(const std::string& source, const std::string& destination) {
    const std::string extension = copyExtensionFor(source);
    if (destination.size() <= extension.size()) return false;
    const std::string tail = destination.substr(destination.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i]) return false;
    }
    return true;
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
        if (source.unconvertible()) {
            // Looking up an address with characters replaced could place it
            // wrongly: the row is reported instead.
            static const std::string why =
                sjisLiteral("住所にShift-JISで表せない文字があります（?で表示）") + "\n";
            frame.recordFailure(frame.recordNumber(), address, why);
            if (frame.maximumReached() || frame.stopConfirmed()) break;
            continue;
        }
        RecordOutcome outcome = ConvertRecordAddress(engine, address, frame.mode(), job.checks);
        frame.showProcessed(frame.recordNumber());
        if (outcome.failed) {
            // The destination cell keeps what the source had there.
            frame.recordFailure(address, outcome.flags);
            if (frame.maximumReached()) break;
        } else if (const int put = destination.putText(column, source.row(), outcome.result);
                   put == kWorkbookCellInFormulaBlock) {
            // The array formula or data table stays whole; the row is reported.
            static const std::string why =
                sjisLiteral(
                    "変換先のセルが配列数式またはデータテーブルの範囲にあるため、"
                    "書き込めませんでした。") +
                "\n";
            frame.recordFailure(frame.recordNumber(), address, why);
            if (frame.maximumReached()) break;
        } else if (!frame.written(put == 0)) {
            break;
        }
        if (frame.stopConfirmed()) break;
    }
    // The copy is saved with the rows converted so far; a save that fails is
    // reported (message 6), since the output on disk would be incomplete.
    return frame.finish();
}

}  // namespace converter
