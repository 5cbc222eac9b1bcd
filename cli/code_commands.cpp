#include "code_commands.h"

#include <cstdio>
#include <initializer_list>

#include "argument_checks.h"
#include "keszip.h"
#include "no_dictionary.h"
#include "old_code_form.h"

namespace cli {
namespace {

struct Buffers {
    char oldCode[KESZIP_OLD_CODE_SIZE] = {}, code7[KESZIP_CODE7_SIZE] = {};
    char prefecture[KESZIP_NAME_SIZE] = {}, city[KESZIP_NAME_SIZE] = {},
         ward[KESZIP_NAME_SIZE] = {};
    char town[KESZIP_TOWN_SIZE] = {}, note[KESZIP_NOTE_SIZE] = {};
};

void printLine(cmdline::TextIo& io, int flags, std::initializer_list<const char*> fields,
               bool withFlags) {
    std::string line = withFlags ? std::to_string(flags) : std::string();
    bool first = !withFlags;
    for (const char* field : fields) {
        if (!first) line += '\t';
        first = false;
        line += io.fromEngine(field);
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

bool openDictionary() {
    if (KesZipOpen()) return true;
    reportNoDictionary("the dictionary KESZIP.DIC", GetZe7Err());
    return false;
}

bool toEngine(cmdline::TextIo& io, const std::string& text, std::string& sjis) {
    if (io.toEngine(text, sjis)) return true;
    std::fprintf(stderr, "keszip: the text has no Shift-JIS form: %s\n", text.c_str());
    return false;
}

int runCode(cmdline::TextIo& io, const std::string& code) {
    Buffers b;
    for (int first = 1;; first = 0) {
        int flags = GetZipAddress(first, code.c_str(), b.oldCode, b.code7, b.prefecture, b.city,
                                  b.ward, b.town, b.note);
        if (flags == 0) break;
        useLookupOldCodeForm(b.oldCode);
        printLine(io, flags, {b.oldCode, b.code7, b.prefecture, b.city, b.ward, b.town, b.note},
                  true);
    }
    return 0;
}

int runDecide(cmdline::TextIo& io, const std::string& code) {
    Buffers b;
    int flags = GetZipDecision(code.c_str(), b.prefecture, b.city, b.ward, b.town, b.note);
    if (flags != 0) printLine(io, flags, {b.prefecture, b.city, b.ward, b.town, b.note}, true);
    return 0;
}

int runSearch(cmdline::TextIo& io, const std::string& text) {
    std::string sjis;
    if (!toEngine(io, text, sjis)) return 2;
    Buffers b;
    for (int first = 1;
         GetIncAddress(first, sjis.c_str(), b.prefecture, b.city, b.ward, b.town, b.note) != 0;
         first = 0) {
        printLine(io, 0, {b.prefecture, b.city, b.ward, b.town, b.note}, false);
    }
    return 0;
}

int runSplit(cmdline::TextIo& io, const std::string& address) {
    std::string sjis;
    if (!toEngine(io, address, sjis)) return 2;
    Buffers b;
    int flags = SeparateAddress(sjis.c_str(), b.oldCode, b.code7, b.prefecture, b.city, b.ward,
                                b.town, b.note);
    printLine(io, flags, {b.oldCode, b.code7, b.prefecture, b.city, b.ward, b.town, b.note}, true);
    return 0;
}

}  // namespace

void addCodeCommands(CLI::App& app, CodeCommands& c) {
    c.code = app.add_subcommand(
        "code",
        "Addresses of a postal code: flags, old code, 7-digit code, prefecture, city, "
        "ward, town, note");
    c.code->add_option("CODE", c.codeText, "3, 5 or 7 digits (123-4567 allowed)")
        ->required()
        ->transform(postalCodeArgument());
    c.code->add_flag("--hyphen", c.hyphen, "Write codes with a hyphen after the third digit");
    c.decide = app.add_subcommand(
        "decide",
        "The part of the address every town of a code shares: flags, prefecture, city, "
        "ward, town, note");
    c.decide->add_option("CODE", c.decideText, "3, 5 or 7 digits")
        ->required()
        ->transform(postalCodeArgument());
    c.search = app.add_subcommand(
        "search",
        "Entries beginning with a partial address (\"*\" at the end lists the level "
        "below): prefecture, city, municipality, town, note");
    c.search->add_option("TEXT", c.searchText, "Partial address or reading")->required();
    c.split = app.add_subcommand(
        "split",
        "An address split as written: flags, old code, 7-digit code, prefecture, city, "
        "ward, town, rest");
    c.split->add_option("ADDRESS", c.splitText, "The address")->required();
    c.split->add_flag("--hyphen", c.hyphen, "Write codes with a hyphen after the third digit");
}

int runCodeCommands(cmdline::TextIo& io, const CodeCommands& c) {
    bool given = (c.code && *c.code) || (c.decide && *c.decide) || (c.search && *c.search) ||
                 (c.split && *c.split);
    if (!given) return -1;
    SetHyphenMode(c.hyphen ? 1 : 0);
    if (!openDictionary()) return 1;
    if (*c.code) return runCode(io, c.codeText);
    if (*c.decide) return runDecide(io, c.decideText);
    if (*c.search) return runSearch(io, c.searchText);
    return runSplit(io, c.splitText);
}

}  // namespace cli
