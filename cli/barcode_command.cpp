#include "barcode_command.h"

#include <cstdio>

#include "kesbar.h"

namespace cli {
namespace {

const char* resultText(int result) {
    switch (result) {
        case 1:
            return "the barcode data may hold only 0-9, '-' and A-Z";
        case 2:
            return "the output cannot be made (file not created, or height out of range)";
        case 3:
            return "the bitmap file was not written completely";
        case 4:
            return "the barcode data are too short";
        case 5:
            return "the postal-code engine library cannot be loaded";
        case 6:
            return "the address was not placed on its own postal code";
        default:
            return "unexpected result";
    }
}

int fail(int result) {
    std::fprintf(stderr, "keszip barcode: %s (result %d)\n", resultText(result), result);
    return result;
}

}  // namespace

CLI::App* addBarcodeCommand(CLI::App& app, BarcodeOptions& options) {
    auto* command = app.add_subcommand(
        "barcode", "Customer barcode of an address or of ready barcode data: the symbol names");
    command->add_option("--bmp", options.bmpFile, "Also write the barcode as a BMP file");
    command->add_option("--height", options.height, "Bar height in pixels")->capture_default_str();
    command
        ->add_option("--width-percent", options.widthPercent,
                     "Bar width in percent of a sixth of the height (1-200; wider bars "
                     "would run into each other)")
        ->capture_default_str()
        ->check(CLI::Range(1, 200));
    command->add_flag("--rotate", options.rotate,
                      "Turn the barcode a quarter turn counter-clockwise");
    command->add_option("SOURCE", options.source, "Address, or ready barcode data (0-9, -, A-Z)")
        ->required();
    return command;
}

int runBarcode(cmdline::TextIo& io, const BarcodeOptions& options) {
    std::string source;
    if (!io.toEngine(options.source, source)) {
        std::fprintf(stderr, "keszip barcode: the text has no Shift-JIS form\n");
        return 6;
    }
    char text[KESBAR_TEXT_SIZE] = {};
    int result = KesBarStr(source.c_str(), text);
    if (result != 0) return fail(result);
    if (!options.bmpFile.empty()) {
        result = KesBar(source.c_str(), options.bmpFile.c_str(), options.height,
                        options.widthPercent, options.rotate ? 1 : 0);
        if (result != 0) return fail(result);
    }
    std::printf("%s\n", text);
    return 0;
}

}  // namespace cli
