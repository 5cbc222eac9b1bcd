// zelko7 convert table: converts the addresses of a database table in place,
// writing each record's result into a field of the same record.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "conversion/settings.h"
#include "convert_command.h"
#include "terminal_host.h"

namespace converter {

// Adds the subcommand with its own options (the common ones are added by
// the caller); `selected` receives "table".
CLI::App* addTableCommand(CLI::App& convert, ConvertArguments& args, std::string& selected);

// Runs it with the options already collected; the exit status as runConvert.
int runTableConvert(const CLI::App& sub, const ConvertArguments& args, TerminalHost& host,
                    OptionsBlock& options, const CnvParamBlock& params);

}  // namespace converter
