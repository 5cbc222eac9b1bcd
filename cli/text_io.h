// Text at the edges of the command line tool: arguments and standard input
// arrive in UTF-8 (or raw Shift-JIS with --sjis) and results leave the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cli {

class TextIo {
  public:
    explicit TextIo(bool sjis) : sjis_(sjis) {}
    // The engine's Shift-JIS form of a user's text; nullopt when it has none.
    std::optional<std::string> toEngine(std::string_view text) const;
    // The user's form of an engine text.
    std::string fromEngine(std::string_view text) const;

  private:
    bool sjis_;
};

}  // namespace cli
