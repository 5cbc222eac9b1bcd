// What a conversion run needs of the window (or terminal) that hosts it.
// Texts are Shift-JIS. The run calls these on its own thread, between records.
#pragma once

#include <cstdint>
#include <string_view>

namespace converter {

enum class MessageIcon { Information, Stop, Warning, Question };

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
};

// The host's message for a numbered message code, as a warning box would show it.
void showNumberedMessage(RunHost& host, int code);

}  // namespace converter
