// The one exception type of the dictionary builder: a message for the person
// running the build (file, line and what is wrong), never a crash.
#pragma once

#include <stdexcept>
#include <string>

namespace mkdic {

class BuildError : public std::runtime_error {
  public:
    explicit BuildError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace mkdic
