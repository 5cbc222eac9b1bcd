// zelko7: the batch converter. Without arguments it starts the desktop
// program (when built with it); `zelko7 convert ...` runs headless and
// never creates a GUI application object.
#include <cmdline/arguments.h>
#include <platform/program_arguments.h>

#include <CLI/CLI.hpp>
#include <csignal>

#include "convert_command.h"
#include "exit_status.h"
#include "terminal_host.h"
#ifdef ZELKO7_DESKTOP
#include "gui/desktop_program.h"
#endif

int main(int argc, char** argv) {
    platform::ProgramArguments arguments(argc, argv);
    argc = arguments.count();
    argv = arguments.values();
#ifdef ZELKO7_DESKTOP
    if (argc == 1) return gui::runDesktopProgram(argc, argv);
#endif
    CLI::App app{"zelko7: postal codes for address lists"};
    app.require_subcommand(1);
    app.fallthrough();
    converter::ConvertArguments args;
    app.add_flag("--sjis", args.sjis, "Read and write raw Shift-JIS instead of UTF-8");
    auto* convert = app.add_subcommand(
        "convert",
        "Convert one list: a text, SDF or CSV file, an Excel workbook (.xls, .xlsx) or a table "
        "of an SQLite file or an ODBC database (all columns and fields can be read)");
    std::string kind;
    converter::addConvertCommands(*convert, args, kind);
    // One line on standard error for every parse error; a misused command
    // line ends like any run that was not started.
    cmdline::useOneLineErrors(app, "zelko7");
    if (int status = converter::refuseUnknownWords(*convert, argc, argv); status >= 0)
        return status;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help ends with 0; a misused command line is a run not started.
        return app.exit(e) == 0 ? 0 : converter::kNotStarted;
    }
    const int status = converter::runConvert(*convert, args, kind);
    // A run abandoned on SIGTERM or SIGHUP has cleaned up; the program ends
    // by that signal, as its sender expects.
    if (const int signal = converter::abandoningSignal()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    return status;
}
