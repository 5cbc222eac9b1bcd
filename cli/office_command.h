// The "office" subcommand: large business offices by code or by name.
#pragma once

#include <cmdline/text_io.h>

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

struct OfficeOptions {
    CLI::App* command = nullptr;
    std::string code, name, address;
    int match = 0;
    bool hyphen = false;
};

void addOfficeCommand(CLI::App& app, OfficeOptions& options);

// Runs the command when it was given; returns its exit status, or -1 when
// it was not.
int runOfficeCommand(cmdline::TextIo& io, const OfficeOptions& options);

}  // namespace cli
