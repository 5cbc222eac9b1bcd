// The code-to-address, drill-down and address-splitting subcommands: one
// TAB-separated line per result, in the order the engine gives them.
#pragma once

#include <cmdline/text_io.h>

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

struct CodeCommands {
    CLI::App* code = nullptr;
    CLI::App* decide = nullptr;
    CLI::App* search = nullptr;
    CLI::App* split = nullptr;
    std::string codeText, decideText, searchText, splitText;
    bool hyphen = false;
};

// Adds the subcommands "code", "decide", "search" and "split" to `app`.
void addCodeCommands(CLI::App& app, CodeCommands& commands);

// Runs whichever of them was given; returns its exit status, or -1 when
// none of them was.
int runCodeCommands(cmdline::TextIo& io, const CodeCommands& commands);

}  // namespace cli
