// The exit statuses of zelko7 beyond a run's own end codes (1 to 4), and the
// one line that says why a run was not started.
#pragma once

#include <iostream>
#include <string>

namespace converter {

// A misused command line, a field refused or a question answered No.
constexpr int kNotStarted = 10;

// Runs that went past their start without converting their whole range (0
// is kept for those that did).
constexpr int kStoppedAtErrorMaximum = 5;
constexpr int kStoppedByUser = 6;
constexpr int kWriteError = 7;

// "zelko7: <text>" on standard error; the run is not started.
inline int notStarted(const std::string& text) {
    std::cerr << "zelko7: " << text << '\n';
    return kNotStarted;
}

}  // namespace converter
