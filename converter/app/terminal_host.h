// The run host of the headless converter: progress on a terminal, messages
// on standard error, Ctrl+C as the stop button, questions on the terminal or
// answered Yes with --yes.
#pragma once

#include <cmdline/text_io.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "conversion/run_host.h"

namespace converter {

class TerminalHost : public RunHost {
  public:
    // `sjis`: print texts as raw Shift-JIS instead of UTF-8.
    TerminalHost(bool assumeYes, bool sjis);
    ~TerminalHost() override;
    // From here on Ctrl+C is the stop button (asked to confirm) instead of
    // ending the program, and SIGTERM and SIGHUP (the terminal closed)
    // abandon the run: it ends at once and leaves the old files in place.
    void catchInterrupt();
    TerminalHost(const TerminalHost&) = delete;
    TerminalHost& operator=(const TerminalHost&) = delete;

    void pumpEvents() override {}
    void showProgress(std::uint32_t processed, bool final, double fraction) override;
    void showErrorCount(std::int32_t count) override { errors_ = count; }
    void showMessage(int code) override;
    bool ask(std::string_view text, std::string_view caption) override;
    void inform(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool stopRequested() override;
    void clearStopRequest() override;
    std::uint32_t tickCount() override;
    bool abandonRequested() override;
    void runEnded(const RunSummary& summary) override { summary_ = summary; }

    // The outcome and counts of the run, once it got past its start.
    const std::optional<RunSummary>& summary() const { return summary_; }

    // A user-facing text (Shift-JIS) in the terminal's form.
    std::string display(std::string_view sjis) const;

  private:
    void clearProgressLine();
    bool assumeYes_;
    mutable cmdline::TextIo io_;
    bool progressShown_ = false;
    bool terminal_;
    bool catching_ = false;
    std::int32_t errors_ = 0;
    std::optional<RunSummary> summary_;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// The signal (SIGTERM or SIGHUP) that abandoned a run, 0 when none came; the
// program ends by it once the run has cleaned up.
int abandoningSignal();

}  // namespace converter
