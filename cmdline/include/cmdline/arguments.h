// What the command lines of keszip and zelko7 share before any work: one line
// for every misuse, the refusal of a version option, whether an option was
// given, and the lists of comma-separated values their options take.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace cmdline {

// One line on standard error for every parse error:
// "<program>: <what is wrong> (see <program> --help)".
void useOneLineErrors(CLI::App& app, const std::string& program);

// True when `word` asks for a version option (--version, -V, -v), which
// neither program has; then "<program>: there is no <word> option; <instead>"
// is written on standard error.
bool refuseVersionOption(std::string_view word, std::string_view program, std::string_view instead);

// True when the option `name` of `app` was given; an option the command does
// not have counts as not given.
bool optionGiven(const CLI::App& app, const char* name);

// The parts of `text` between `separator`s, empty ones included; an empty
// text is one empty part.
std::vector<std::string> splitList(std::string_view text, char separator);

// The whole numbers of a `separator`-separated list into `out`; false when a
// part is not a number, or not only one.
bool parseNumbers(std::string_view text, char separator, std::vector<long long>& out);

}  // namespace cmdline
