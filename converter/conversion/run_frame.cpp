#include "run_frame.h"

#include <platform/file_identity.h>
#include <platform/files.h>

#include <cstdio>

#include "conversion_run.h"
#include "messages.h"
#include "record_conversion.h"
#include "sjis_literal.h"
#include "text_encoding.h"

namespace converter {

void showNumberedMessage(RunHost& host, int code) {
    if (isKnownMessage(code)) host.showMessage(code);
}

std::string errorFilePath(const std::string& name, const std::string& bareNameFolder) {
    if (!platform::isBareFileName(name)) return name;
    std::string path = bareNameFolder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    return path + name;
}

void cutLineEnd(std::string& record) {
    if (!record.empty()) {
        const unsigned char last = static_cast<unsigned char>(record.back());
        if (last < 32 && last != '\t') record.pop_back();
    }
}

RunFrame::RunFrame(const ConversionJob& job, AddressEngine& engine, RunHost& host,
                   std::string bareNameFolder, RecordSource& source, RecordSink& sink)
    : job_(job),
      engine_(engine),
      host_(host),
      bareNameFolder_(std::move(bareNameFolder)),
      mode_(modeOf(job.cnvKbn)),
      source_(source),
      destination_(sink) {}

int RunFrame::open() {
    host_.clearStopRequest();
    if (!source_.open(job_.sourceName)) return kSourceNotOpened;
    // Writing a file that is also read, whatever its spelling, would destroy it.
    if (platform::sameFile(job_.sourceName, job_.destinationName)) return kDestinationNotOpened;
    if (int code = destination_.open(job_.destinationName)) return code;
    if (job_.errorFile) {
        const std::string errorPath = errorFilePath(job_.errorFileName, bareNameFolder_);
        if (platform::sameFile(errorPath, job_.sourceName) ||
            platform::sameFile(errorPath, job_.destinationName) || !errorFile_.open(errorPath) ||
            (job_.byteOrderMark && !errorFile_.write(kUtf8ByteOrderMark))) {
            destination_.discard();
            return kErrorFileNotOpened;
        }
    }
    // Until the run ends the new files lie beside the old ones, which stay
    // as they are when the run goes no further.
    if (!engine_.open()) {
        destination_.discard();
        errorFile_.discard();
        return kEngineNotOpened;
    }
    startTick_ = host_.tickCount();
    return 0;
}

bool RunFrame::next() {
    for (;;) {
        host_.pumpEvents();
        if (host_.abandonRequested()) {
            abandoned_ = true;
            return false;
        }
        if (!source_.next(recordNumber_)) return false;
        if (job_.partial) {
            if (recordNumber_ < job_.firstRecord) continue;
            if (recordNumber_ > job_.lastRecord) return false;
        }
        ++read_;
        return true;
    }
}

void RunFrame::recordFailure(const std::string& address, std::int32_t flags) {
    recordFailure(recordNumber_, address, BuildCheckText(flags));
}

void RunFrame::recordFailure(std::uint32_t number, const std::string& address,
                             const std::string& explanation) {
    if (errorFile_.isOpen()) {
        char text[32];
        std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(number));
        static const std::string head = sjisLiteral("ﾚｺｰﾄﾞNo：[");
        static const std::string middle = sjisLiteral("],住所文字列：[");
        // A UTF-8 run's error file is UTF-8, its addresses as the source has them.
        if (job_.utf8) {
            static const std::string head8 = utf8Of(head), middle8 = utf8Of(middle);
            errorFile_.write(head8 + text + middle8 + address + "]\n");
            errorFile_.write("  " + utf8Of(explanation) + "\n");
        } else {
            errorFile_.write(head + text + middle + address + "]\n");
            errorFile_.write("  " + explanation + "\n");
        }
    }
    ++errors_;
    host_.showErrorCount(errors_);
}

bool RunFrame::written(bool ok) {
    if (!ok) showWriteError();
    return ok;
}

void RunFrame::endWithWriteError(const std::string& text) {
    if (writeErrorShown_) return;
    writeErrorShown_ = true;
    host_.inform(text, sjisLiteral("エラー"), MessageIcon::Stop);
}

void RunFrame::showProcessed(std::uint32_t value) {
    shown_ = value;
    host_.showProgress(value, false, source_.fraction());
}

void RunFrame::countProcessed() {
    ++processed_;
    showProcessed(processed_);
}

bool RunFrame::maximumReached() {
    if (job_.maxErrors && errors_ == job_.maxErrorCount) {
        stopAtMaximum();
        return true;
    }
    return false;
}

void RunFrame::stopAtMaximum() {
    maximumStop_ = true;
    showNumberedMessage(host_, 13);
}

bool RunFrame::stopConfirmed() {
    if (host_.abandonRequested()) {
        abandoned_ = true;
        return true;
    }
    if (!host_.stopRequested()) return false;
    if (host_.ask(sjisLiteral("変換を中止しますか？"), sjisLiteral("中止確認"))) {
        userStop_ = true;
        return true;
    }
    // A question cut short by the end of the process is no answer.
    if (host_.abandonRequested()) {
        abandoned_ = true;
        return true;
    }
    host_.clearStopRequest();
    return false;
}

void RunFrame::showWriteError() {
    if (!writeErrorShown_) {
        writeErrorShown_ = true;
        showNumberedMessage(host_, 6);
    }
}

int RunFrame::finish() {
    // The counter ends on the last value it was given.
    host_.showProgress(shown_, true, source_.fraction());
    if (host_.abandonRequested()) abandoned_ = true;
    // What was written replaces the old destination after a complete run, a
    // stop or the error maximum. A destination or error file that could not
    // be written whole never does: both are dropped and the old files stay,
    // so that a full disk cannot leave a destination cut mid-record.
    // The error file's data reach the disk before the destination changes.
    const bool errorFileLost = !abandoned_ && !errorFile_.close();
    if (errorFileLost) showNumberedMessage(host_, 9);
    bool lost = writeErrorShown_ || errorFileLost;
    if (!abandoned_ && !lost && !destination_.commit()) {
        showWriteError();
        lost = true;
    }
    if (abandoned_ || lost) {
        destination_.discard();
        errorFile_.discard();
    } else if (!errorFile_.commit()) {
        showNumberedMessage(host_, 9);
        lost = true;
    }
    RunSummary summary;
    summary.outcome = abandoned_     ? RunOutcome::Abandoned
                      : lost         ? RunOutcome::WriteError
                      : userStop_    ? RunOutcome::Stopped
                      : maximumStop_ ? RunOutcome::ErrorMaximum
                                     : RunOutcome::Complete;
    summary.read = read_;
    summary.errors = errors_;
    const auto failed = static_cast<std::uint32_t>(errors_ > 0 ? errors_ : 0);
    summary.converted = read_ > failed ? read_ - failed : 0;
    host_.runEnded(summary);
    // A run ended from outside shows nothing more.
    if (abandoned_) return kRunEnded;
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

}  // namespace converter
