// The telephone-number subcommands of keszip.
#pragma once

#include <cmdline/text_io.h>

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

struct TelephoneCommands {
    CLI::App* renumber = nullptr;
    CLI::App* tel = nullptr;
    CLI::App* telDecide = nullptr;
    CLI::App* addressTel = nullptr;
    CLI::App* areaCodes = nullptr;
    std::string baseDate;
    std::string number;
    std::string address;
    bool hyphen = false;
};

// Adds the telephone subcommands to `app`; their options land in `commands`.
void addTelephoneCommands(CLI::App& app, TelephoneCommands& commands);

// Runs the telephone subcommand that was chosen, if any: true with its exit
// status in `status`, false when none of them was.
bool runTelephoneCommands(cmdline::TextIo& io, const TelephoneCommands& commands, int& status);

}  // namespace cli
