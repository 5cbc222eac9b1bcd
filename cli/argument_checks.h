// Checks of the command line before any work: malformed codes and numbers,
// an unknown subcommand, options the tool does not have. Each misuse gets one
// line on standard error and a non-zero exit status.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

// CLI11 transformers: a postal code of 3, 5 or 7 digits (a hyphen allowed
// after the third), and a telephone number of digits and hyphens. Full-width
// digits and hyphens are accepted and handed on as ASCII.
CLI::Validator postalCodeArgument();
CLI::Validator telephoneNumberArgument();

// Looks at the words before the subcommand: an unknown subcommand or
// "--version" is explained on standard error. Returns the exit status to end
// with, or -1 when the command line is left to the parser.
int refuseUnknownCommand(const CLI::App& app, int argc, char** argv);

}  // namespace cli
