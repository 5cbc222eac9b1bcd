#pragma once

#include <cmdline/text_io.h>

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

struct BarcodeOptions {
    std::string source;
    std::string bmpFile;
    int height = 30;
    int widthPercent = 100;
    bool rotate = false;
};

// Adds the "barcode" subcommand, filling `options` when it is parsed.
CLI::App* addBarcodeCommand(CLI::App& app, BarcodeOptions& options);

// Prints the symbol names of the customer barcode of an address or of ready
// barcode data, and writes its bitmap when asked to. Returns the barcode
// library's result code (0 on success).
int runBarcode(cmdline::TextIo& io, const BarcodeOptions& options);

}  // namespace cli
