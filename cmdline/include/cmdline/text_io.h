// Text at the edges of the command lines: arguments and standard input
// arrive in UTF-8 (or raw Shift-JIS with --sjis) and results leave the same way.
// Addresses to look up take the engine's own UTF-8 lookup instead.
#pragma once

#include <platform/sjis.h>

#include <string>
#include <string_view>

namespace cmdline {

class TextIo {
  public:
    explicit TextIo(bool sjis) : sjis_(sjis) {}
    // True when texts are raw Shift-JIS (--sjis), false for UTF-8.
    bool raw() const { return sjis_; }
    // The engine's Shift-JIS form of a user's text into `out`; false when it has none.
    bool toEngine(std::string_view text, std::string& out);
    // The user's form of an engine text.
    std::string fromEngine(std::string_view text);
    void fromEngine(std::string_view text, std::string& out);

  private:
    bool sjis_;
    platform::SjisConverter converter_;
};

}  // namespace cmdline
