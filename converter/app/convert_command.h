// zelko7 convert {text|sdf|csv|excel|table}: one conversion run without a window. The
// page's fields and the options come from the command line where given and
// from the program's settings file otherwise; the file is never written.
// Relative file names are taken from the current folder.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace converter {

struct ConvertArguments {
    std::string source, dest;
    std::string pieces;  // START:SIZE[,START:SIZE...]
    int insert = 0;
    std::string layout;  // lines | fixed
    int recordLength = 0;
    std::string fields;  // N[,N...]
    bool quote = false, noQuote = false;
    std::string marker;
    bool noMarker = false;
    std::string sheet;       // Excel: sheet name
    std::string columns;     // Excel: address columns, letters L[,L...] (up to 4)
    std::string destColumn;  // Excel: destination column letter
    std::string range;       // FIRST-LAST
    std::string mode;        // 5 | 7 | barcode | jis
    bool hyphen = false, noHyphen = false;
    std::string strict;  // kyoto,ikanashi,ken,city (or none)
    std::string errorFile;
    bool noErrorFile = false;
    int maxErrors = 0;
    bool noMaxErrors = false;
    bool yes = false;
    bool sjis = false;
    unsigned threads = 1;  // text, SDF and CSV: engines that look up at once
    std::string encoding;  // text, SDF and CSV: sjis | utf-8 | auto
    // convert table
    std::string database, table, tableFields, destField;
    bool backup = false, noBackup = false;
};

// Adds the subcommands to `convert`; `selected` receives the kind.
void addConvertCommands(CLI::App& convert, ConvertArguments& args, std::string& selected);

// Looks at the words before the options of a conversion: an unknown
// subcommand or kind (one that `convert` was not given), or "--version", is explained on one line
// of standard error. Returns the exit status to end with (10), or -1 when the command line is left
// to the parser.
int refuseUnknownWords(const CLI::App& convert, int argc, char** argv);

// Runs the selected conversion; the exit status is the run's end code (1 to
// 4), 0 when the whole source or range was converted, 5, 6 or 7 when the run
// stopped at the error maximum, was stopped by the user or could not write
// its output, or 10 when a check of the fields failed or a question was
// answered No. After the run its counts are printed.
int runConvert(const CLI::App& convert, const ConvertArguments& args, const std::string& kind);

}  // namespace converter
