// A program's command line as UTF-8 texts: on Windows taken from the
// system's UTF-16 command line (the ANSI one loses what the machine's code
// page cannot write), elsewhere the arguments as given.
#pragma once

#include <string>
#include <vector>

namespace platform {

class ProgramArguments {
  public:
    ProgramArguments(int argc, char** argv);
    int count() const { return static_cast<int>(texts_.size()); }
    // argv-style pointers into the texts, valid while this object lives.
    char** values() { return pointers_.data(); }

  private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

}  // namespace platform
