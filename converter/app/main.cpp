// zelko7: the batch converter. Without arguments it starts the desktop
// program (when built with it); `zelko7 convert ...` runs headless and
// never creates a GUI application object.
#include <CLI/CLI.hpp>

#include "convert_command.h"
#ifdef ZELKO7_DESKTOP
#include "desktop_program.h"
#endif

int main(int argc, char** argv) {
#ifdef ZELKO7_DESKTOP
    if (argc == 1) return gui::runDesktopProgram(argc, argv);
#endif
    CLI::App app{"zelko7: postal codes for address lists"};
    app.require_subcommand(1);
    app.fallthrough();
    converter::ConvertArguments args;
    app.add_flag("--sjis", args.sjis, "Read and write raw Shift-JIS instead of UTF-8");
    auto* convert = app.add_subcommand("convert", "Convert one text, SDF, CSV or Excel file");
    std::string kind;
    converter::addConvertCommands(*convert, args, kind);
    CLI11_PARSE(app, argc, argv);
    return converter::runConvert(*convert, args, kind);
}
