// What a conversion run needs of the window (or terminal) that hosts it.
// Texts are Shift-JIS. The run calls these on its own thread, between records.
#pragma once

#include <cstdint>
#include <string_view>

namespace converter {

enum class MessageIcon { Information, Stop, Warning, Question };

// How a run that got past its start ended.
enum class RunOutcome {
    Complete,      // the whole source, or the whole partial range, went through
    ErrorMaximum,  // stopped at the error maximum
    Stopped,       // stopped by the user
    WriteError,    // the output could not be written: the old files stay as they were
    Abandoned,     // ended from outside (the terminal closed): the old files stay as they were
};

// The counts of a run, handed to the host before the end message.
struct RunSummary {
    RunOutcome outcome = RunOutcome::Complete;
    std::uint32_t read = 0;       // records of the range that the run went through
    std::uint32_t converted = 0;  // of those, records that got a result
    std::int32_t errors = 0;      // failed records (also those whose result was lost)
};

class RunHost {
  public:
    virtual ~RunHost() = default;
    // Handles pending events (repaint, the stop button); called once per record.
    virtual void pumpEvents() = 0;
    // Processed-record counter; `final` is set once, for the last value.
    // `fraction` is the share of the source read so far (0 to 1).
    virtual void showProgress(std::uint32_t processed, bool final, double fraction) = 0;
    virtual void showErrorCount(std::int32_t count) = 0;
    // A numbered message (warning box with the caption "エラー ( nnn )").
    virtual void showMessage(int code) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool ask(std::string_view text, std::string_view caption) = 0;
    // A message with an OK button.
    virtual void inform(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // True while the user's stop request stands; cleared by the run.
    virtual bool stopRequested() = 0;
    virtual void clearStopRequest() = 0;
    // Milliseconds of a monotonic clock (32-bit, wrapping).
    virtual std::uint32_t tickCount() = 0;
    // True once the run must end at once without asking and without putting
    // its output in place (the process is being ended).
    virtual bool abandonRequested() { return false; }
    // The run's outcome and counts, given once before its end message.
    virtual void runEnded(const RunSummary&) {}
};

// The host's message for a numbered message code, as a warning box would show it.
void showNumberedMessage(RunHost& host, int code);

}  // namespace converter
