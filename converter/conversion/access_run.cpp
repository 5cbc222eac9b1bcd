#include "access_run.h"

#include <platform/file_identity.h>

#include <cstdio>
#include <map>
#include <vector>

#include "conversion_run.h"
#include "sjis_literal.h"
#include "text_file.h"

namespace converter {
namespace {

// The address of the current record: the text forms of the address fields
// in order, without separators, at most 1,023 bytes.
std::string recordAddress(DaoTable& table, const TableJob& tableJob) {
    std::string address;
    for (const std::string& field : tableJob.addressFields) {
        if (field.empty()) continue;
        if (auto text = valueText(table.GetValue(field))) address += *text;
    }
    return std::string(cutSjis(address, kTableAddressLimit));
}

class TableRun {
  public:
    TableRun(const ConversionJob& job, const TableJob& tableJob, DaoTable& table,
             AddressEngine& engine, RunHost& host, const std::string& programDirectory)
        : job_(job),
          tableJob_(tableJob),
          table_(table),
          engine_(engine),
          host_(host),
          programDirectory_(programDirectory),
          mode_(modeOf(job.cnvKbn)) {}

    int run() {
        host_.clearStopRequest();
        if (!engine_.open()) return kEngineNotOpened;
        if (job_.errorFile) {
            // Putting the error file in place of the database would destroy it.
            const std::string errorPath = errorFilePath(job_.errorFileName, programDirectory_);
            if ((!table_.databaseFile().empty() &&
                 platform::sameFile(errorPath, table_.databaseFile())) ||
                !errorFile_.open(errorPath))
                return kErrorFileNotOpened;
        }
        startTick_ = host_.tickCount();
        const long start = job_.partial ? static_cast<long>(job_.firstRecord) - 1 : 0;
        beginBatch();
        for (long position = table_.Move(start, true); position != 0;
             position = table_.Move(1, false)) {
            if (job_.partial && position > static_cast<long>(job_.lastRecord)) break;
            host_.pumpEvents();
            if (!convert(position)) break;
            ++processed_;
            showProcessed(processed_);
            if (batchFull() && !commitBatch(true)) break;
            if (host_.stopRequested()) {
                // Nothing stays uncommitted while the question waits for an answer.
                if (!commitBatch(false)) break;
                if (stopConfirmed()) break;
                beginBatch();
            }
        }
        commitBatch(false);
        return finish();
    }

  private:
    // One record; false when the run ends with it (the error maximum).
    bool convert(long position) {
        const std::string address = recordAddress(table_, tableJob_);
        RecordOutcome outcome = ConvertRecordAddress(engine_, address, mode_, job_.checks);
        if (outcome.failed) return fail(position, address, BuildCheckText(outcome.flags));
        // An empty result (barcode data) leaves the record as it was.
        bool written =
            table_.edit() &&
            (outcome.result.empty() ||
             table_.SetValue(tableJob_.destinationField, FieldValue::text(outcome.result))) &&
            table_.update();
        if (!written) return fail(position, address, writeFailedText());
        if (table_.inBatch()) batchAddresses_[position] = address;
        return true;
    }

    // A failed record: its error-file entry and the error count; false when
    // the error maximum is reached.
    bool fail(long position, const std::string& address, const std::string& check) {
        recordFailure(position, address, check);
        if (job_.maxErrors && errors_ >= job_.maxErrorCount) {
            showProcessed(processed_ + 1);
            commitBatch(false);
            showNumberedMessage(host_, 13);
            return false;
        }
        return true;
    }

    void recordFailure(long position, const std::string& address, const std::string& check) {
        if (errorFile_.isOpen()) {
            char number[32];
            std::snprintf(number, sizeof number, "%ld", position);
            static const std::string head = sjisLiteral("ﾚｺｰﾄﾞNo：[");
            static const std::string middle = sjisLiteral("],住所文字列：[");
            errorFile_.write(head + number + middle + address + "]\n");
            errorFile_.write("  " + check + "\n");
        }
        ++errors_;
        host_.showErrorCount(errors_);
    }

    void beginBatch() {
        batchAddresses_.clear();
        batchTick_ = host_.tickCount();
        table_.beginBatch();
    }
    bool batchFull() {
        return batchAddresses_.size() >= kTableBatchRecords ||
               host_.tickCount() - batchTick_ >= kTableBatchMilliseconds;
    }
    // Commits the batch; records whose writes were lost are counted and
    // listed as failures. False when that reached the error maximum.
    bool commitBatch(bool startNext) {
        std::vector<long> lost;
        table_.commitBatch(lost);
        bool goOn = true;
        for (long position : lost) {
            recordFailure(position, batchAddresses_[position], writeFailedText());
            if (goOn && job_.maxErrors && errors_ >= job_.maxErrorCount) {
                showNumberedMessage(host_, 13);
                goOn = false;
            }
        }
        if (startNext && goOn) beginBatch();
        return goOn;
    }

    void showProcessed(std::uint32_t value) {
        shown_ = value;
        host_.showProgress(value, false, fraction());
    }
    double fraction() const {
        const long count = table_.recordCount();
        return count > 0 ? static_cast<double>(shown_) / static_cast<double>(count) : 1.0;
    }

    bool stopConfirmed() {
        if (host_.ask(sjisLiteral("変換を中止しますか？"), sjisLiteral("中止確認"))) return true;
        host_.clearStopRequest();
        return false;
    }

    int finish() {
        host_.showProgress(shown_, true, fraction());
        if (!errorFile_.commit()) showNumberedMessage(host_, 9);
        const std::uint32_t elapsed = host_.tickCount() - startTick_;
        const unsigned long s = elapsed / 1000;
        char clock[64];
        std::snprintf(clock, sizeof clock, "%02lu:%02lu:%02lu", s / 3600, (s / 60) % 60, s % 60);
        if (host_.stopRequested()) {
            host_.inform(sjisLiteral("変換を中止しました。\nちなみにタイムは ") + clock +
                             sjisLiteral(" でした。"),
                         sjisLiteral("終了確認"), MessageIcon::Stop);
        } else {
            host_.inform(
                sjisLiteral("変換が終了しました。\n変換時間は ") + clock + sjisLiteral(" でした。"),
                sjisLiteral("終了確認"), MessageIcon::Information);
        }
        return kRunEnded;
    }

    const ConversionJob& job_;
    const TableJob& tableJob_;
    DaoTable& table_;
    AddressEngine& engine_;
    RunHost& host_;
    const std::string& programDirectory_;
    ConversionMode mode_;
    TextSink errorFile_;
    std::uint32_t startTick_ = 0;
    std::uint32_t processed_ = 0;
    std::uint32_t shown_ = 0;
    std::int32_t errors_ = 0;
    std::uint32_t batchTick_ = 0;
    std::map<long, std::string> batchAddresses_;  // written in this batch
};

}  // namespace

std::string writeFailedText() { return sjisLiteral("変換結果を書き込めませんでした。") + "\n"; }

int AccessRun(const ConversionJob& job, const TableJob& tableJob, DaoTable& table,
              AddressEngine& engine, RunHost& host, const std::string& programDirectory) {
    return TableRun(job, tableJob, table, engine, host, programDirectory).run();
}

}  // namespace converter
