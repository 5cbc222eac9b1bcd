#include "table_run.h"

#include <map>
#include <vector>

#include "conversion_run.h"
#include "platform/sjis_bytes.h"
#include "run_frame.h"
#include "sjis_literal.h"
#include "table_records.h"

namespace converter {
namespace {

// The address of the current record: the text forms of the address fields
// in order, without separators, at most 1,023 bytes.
std::string recordAddress(Table& table, const TableJob& tableJob) {
    std::string address;
    for (const std::string& field : tableJob.addressFields) {
        if (field.empty()) continue;
        if (auto text = table.fieldText(field)) address += *text;
    }
    return std::string(platform::cutSjis(address, kTableAddressLimit));
}

class TableRun {
  public:
    TableRun(const ConversionJob& job, const TableJob& tableJob, Table& table,
             AddressEngine& engine, RunHost& host, const std::string& bareNameFolder)
        : job_(job),
          tableJob_(tableJob),
          table_(table),
          engine_(engine),
          host_(host),
          source_(table),
          frame_(job, engine, host, bareNameFolder, source_, sink_) {}

    int run() {
        if (int code = frame_.open()) return code;
        if (!beginBatch()) return frame_.finish();
        while (frame_.next()) {
            if (!convert()) break;
            frame_.countProcessed();
            if (batchFull() && !commitBatch(true)) break;
            if (host_.stopRequested()) {
                // Nothing stays uncommitted while the question waits for an answer.
                if (!commitBatch(false)) break;
                if (frame_.stopConfirmed()) break;
                if (!beginBatch()) break;
            }
        }
        commitBatch(false);
        return frame_.finish();
    }

  private:
    // One record; false when the run ends with it (the error maximum).
    bool convert() {
        const std::string address = recordAddress(table_, tableJob_);
        RecordOutcome outcome = ConvertRecordAddress(engine_, address, frame_.mode(), job_.checks);
        if (outcome.failed) return failed(address, BuildCheckText(outcome.flags));
        // An empty result (barcode data) leaves the record as it was.
        const bool written = table_.edit() &&
                             (outcome.result.empty() ||
                              table_.setFieldText(tableJob_.destinationField, outcome.result)) &&
                             table_.update();
        if (!written) {
            if (table_.lockedByOther()) return lockedOut();
            return failed(address, writeFailedText());
        }
        if (table_.inBatch()) batchAddresses_[frame_.recordNumber()] = address;
        return true;
    }

    // A failed record; false when the error maximum is reached with it.
    bool failed(const std::string& address, const std::string& explanation) {
        frame_.recordFailure(frame_.recordNumber(), address, explanation);
        if (!maximumReached()) return true;
        frame_.showProcessed(frame_.processed() + 1);
        commitBatch(false);
        frame_.stopAtMaximum();
        return false;
    }
    bool maximumReached() const {
        // A maximum of 0 never stops a run, as in the other kinds of run.
        return job_.maxErrors && job_.maxErrorCount > 0 &&
               frame_.errorCount() >= job_.maxErrorCount;
    }

    // The run ends: another program holds the database locked. Its records
    // are not failed addresses, so none is counted; what was committed stays.
    bool lockedOut() {
        frame_.endWithWriteError(databaseInUseText());
        return false;
    }

    // False when the run ends because the database is locked by another program.
    bool beginBatch() {
        batchAddresses_.clear();
        batchTick_ = host_.tickCount();
        return table_.beginBatch() || !table_.lockedByOther() || lockedOut();
    }
    bool batchFull() {
        return batchAddresses_.size() >= kTableBatchRecords ||
               host_.tickCount() - batchTick_ >= kTableBatchMilliseconds;
    }
    // Commits the batch. Records whose writes were lost are counted and
    // listed as failures; false when that reached the error maximum.
    bool commitBatch(bool startNext) {
        std::vector<long> lost;
        if (!table_.commitBatch(lost) && table_.lockedByOther()) return lockedOut();
        const bool wasReached = maximumReached();
        for (long position : lost)
            frame_.recordFailure(static_cast<std::uint32_t>(position), batchAddresses_[position],
                                 writeFailedText());
        if (!lost.empty() && !wasReached && maximumReached()) {
            frame_.stopAtMaximum();
            return false;
        }
        return !startNext || beginBatch();
    }

    const ConversionJob& job_;
    const TableJob& tableJob_;
    Table& table_;
    AddressEngine& engine_;
    RunHost& host_;
    TableRecordSource source_;
    TableRecordSink sink_;
    RunFrame frame_;
    std::uint32_t batchTick_ = 0;
    std::map<long, std::string> batchAddresses_;  // records written in this batch
};

}  // namespace

std::string databaseInUseText() {
    return sjisLiteral(
        "データベースが他のプログラムで使用中のため、書き込めませんでした。\n"
        "処理を中止します。");
}

std::string writeFailedText() { return sjisLiteral("変換結果を書き込めませんでした。") + "\n"; }

int AccessRun(const ConversionJob& job, const TableJob& tableJob, Table& table,
              AddressEngine& engine, RunHost& host, const std::string& bareNameFolder) {
    return TableRun(job, tableJob, table, engine, host, bareNameFolder).run();
}

}  // namespace converter
