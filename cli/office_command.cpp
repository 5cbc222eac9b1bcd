#include "office_command.h"

#include <cstdio>

#include "argument_checks.h"
#include "keszip.h"
#include "no_dictionary.h"
#include "old_code_form.h"

namespace cli {
namespace {

struct Buffers {
    char oldCode[KESZIP_OLD_CODE_SIZE] = {}, code7[KESZIP_CODE7_SIZE] = {};
    char jis[KESZIP_JIS_CODE_SIZE] = {};
    char prefecture[KESZIP_NAME_SIZE] = {}, city[KESZIP_NAME_SIZE] = {},
         ward[KESZIP_NAME_SIZE] = {};
    char town[KESZIP_TOWN_SIZE] = {}, remark[KESZIP_REMARK_SIZE] = {};
    char name[KESZIP_OFFICE_NAME_SIZE] = {};
};

void printOffice(cmdline::TextIo& io, Buffers& b) {
    useLookupOldCodeForm(b.oldCode);
    std::string line;
    bool first = true;
    for (const char* field :
         {b.code7, b.oldCode, b.jis, b.prefecture, b.city, b.ward, b.town, b.remark, b.name}) {
        if (!first) line += '\t';
        first = false;
        line += io.fromEngine(field);
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

void addOfficeCommand(CLI::App& app, OfficeOptions& o) {
    o.command =
        app.add_subcommand("office",
                           "Large business offices: 7-digit code, old code, local-government code, "
                           "prefecture, city, ward, town, remark, office name");
    auto* code = o.command->add_option("--code", o.code, "3, 5 or 7 digits")
                     ->transform(postalCodeArgument());
    auto* name = o.command->add_option("--name", o.name, "Office name (or its reading)");
    code->excludes(name);
    o.command->add_option("--address", o.address, "Narrow the name search to this address")
        ->needs(name);
    o.command
        ->add_option("--match", o.match,
                     "0 contains, 1 equal (company words shortened), 2 equal (company words "
                     "ignored)")
        ->check(CLI::IsMember({0, 1, 2}))
        ->needs(name);
    o.command->add_flag("--hyphen", o.hyphen, "Write codes with a hyphen after the third digit");
    o.command->require_option(1, 4);
}

int runOfficeCommand(cmdline::TextIo& io, const OfficeOptions& o) {
    if (!o.command || !*o.command) return -1;
    if (o.code.empty() && o.name.empty()) {
        std::fprintf(stderr, "keszip office: give --code or --name\n");
        return 2;
    }
    SetHyphenMode(o.hyphen ? 1 : 0);
    if (!KesZipOpen() || !KesCmpOpen()) {
        reportNoDictionary("the dictionaries KESZIP.DIC and KESCMP.DIC", GetZe7Err());
        return 1;
    }
    Buffers b;
    if (!o.code.empty()) {
        // The search by code reports no local-government code: that field stays empty.
        for (int first = 1;
             GetZipAddressCmp(first, o.code.c_str(), b.oldCode, b.code7, b.prefecture, b.city,
                              b.ward, b.town, b.remark, b.name) != 0;
             first = 0) {
            printOffice(io, b);
        }
        return 0;
    }
    std::string name, address;
    if (!io.toEngine(o.name, name) || !io.toEngine(o.address, address)) {
        std::fprintf(stderr, "keszip: the text has no Shift-JIS form\n");
        return 2;
    }
    for (int first = 1;
         GetCmpCode(first, name.c_str(), address.c_str(), o.match, b.oldCode, b.code7, b.jis,
                    b.prefecture, b.city, b.ward, b.town, b.remark, b.name) != 0;
         first = 0) {
        printOffice(io, b);
    }
    return 0;
}

}  // namespace cli
