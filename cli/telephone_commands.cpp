#include "telephone_commands.h"

#include <platform/files.h>

#include <cstdio>
#include <ctime>
#include <iostream>
#include <vector>

#include "argument_checks.h"
#include "keszip.h"

namespace cli {
namespace {

// Today's date as YYYYMMDD: without --date every renumbering applies.
std::string today() {
    const std::tm local = platform::localTimeOf(std::time(nullptr));
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

int runRenumber(cmdline::TextIo& io, const TelephoneCommands& commands) {
    const std::string date = commands.baseDate.empty() ? today() : commands.baseDate;
    if (!SetTelBaseDate(date.c_str())) {
        std::cerr << "keszip: the base date must be YYYYMMDD (19000000-29999999) or 0: " << date
                  << '\n';
        return 2;
    }
    std::string sjis;
    if (!io.toEngine(commands.number, sjis)) {
        std::cerr << "keszip: the number has no Shift-JIS form: " << commands.number << '\n';
        return 2;
    }
    std::vector<char> out(sjis.size() + KESZIP_TEL_NUMBER_GROWTH);
    if (ConvNewTelNo(out.data(), sjis.c_str())) std::cout << io.fromEngine(out.data()) << '\n';
    return 0;
}

// The text in the engine's Shift-JIS, or false after telling the user.
bool engineText(cmdline::TextIo& io, const std::string& text, const char* what, std::string& sjis) {
    if (io.toEngine(text, sjis)) return true;
    std::cerr << "keszip: the " << what << " has no Shift-JIS form: " << text << '\n';
    return false;
}

bool engineNumber(cmdline::TextIo& io, const std::string& number, std::string& sjis) {
    return engineText(io, number, "number", sjis);
}

// Sets the base date given with --date, if any; false after telling the user.
bool applyBaseDate(const std::string& date) {
    if (date.empty() || SetTelBaseDate(date.c_str())) return true;
    std::cerr << "keszip: the base date must be YYYYMMDD (19000000-29999999) or 0: " << date
              << '\n';
    return false;
}

// Every town of the number, one per line: flags, 7-digit code, prefecture,
// city, ward, town, town note, code count and codes.
int runTel(cmdline::TextIo& io, const TelephoneCommands& commands) {
    if (!applyBaseDate(commands.baseDate)) return 2;
    std::string sjis;
    if (!engineNumber(io, commands.number, sjis)) return 2;
    SetHyphenMode(commands.hyphen ? 1 : 0);
    std::vector<char> code7(KESZIP_CODE7_SIZE), pref(KESZIP_NAME_SIZE), city(KESZIP_NAME_SIZE),
        ward(KESZIP_NAME_SIZE), town(KESZIP_TOWN_SIZE), note(KESZIP_NOTE_SIZE);
    // At most 200 codes of at most 11 characters each, with their commas.
    std::vector<char> codes(KESZIP_TEL_CODES_SIZE);
    int count = 0;
    for (int first = 1;; first = 0) {
        const int flags =
            GetTelAddress(first, sjis.c_str(), code7.data(), pref.data(), city.data(), ward.data(),
                          town.data(), note.data(), &count, codes.data());
        if (flags == 0) break;
        std::cout << flags << '\t' << code7.data() << '\t' << io.fromEngine(pref.data()) << '\t'
                  << io.fromEngine(city.data()) << '\t' << io.fromEngine(ward.data()) << '\t'
                  << io.fromEngine(town.data()) << '\t' << io.fromEngine(note.data()) << '\t'
                  << count << '\t' << codes.data() << '\n';
    }
    return 0;
}

// The shared part of the number's towns: flags, prefecture, city, ward, town, note.
int runTelDecide(cmdline::TextIo& io, const TelephoneCommands& commands) {
    std::string sjis;
    if (!engineNumber(io, commands.number, sjis)) return 2;
    std::vector<char> pref(KESZIP_NAME_SIZE), city(KESZIP_NAME_SIZE), ward(KESZIP_NAME_SIZE),
        town(KESZIP_TOWN_SIZE), note(KESZIP_NOTE_SIZE);
    const int flags = GetTelDecision(sjis.c_str(), pref.data(), city.data(), ward.data(),
                                     town.data(), note.data());
    std::cout << flags << '\t' << io.fromEngine(pref.data()) << '\t' << io.fromEngine(city.data())
              << '\t' << io.fromEngine(ward.data()) << '\t' << io.fromEngine(town.data()) << '\t'
              << io.fromEngine(note.data()) << '\n';
    return 0;
}

// The telephone codes of an address: flags, 7-digit code or error text,
// code count and codes.
int runAddressTel(cmdline::TextIo& io, const TelephoneCommands& commands) {
    if (!applyBaseDate(commands.baseDate)) return 2;
    std::string sjis;
    if (!engineText(io, commands.address, "address", sjis)) return 2;
    SetHyphenMode(commands.hyphen ? 1 : 0);
    std::vector<char> code7(KESZIP_CODE7_SIZE), codes(KESZIP_TEL_CODES_SIZE);
    int count = 0;
    const int flags = GetAddressTel(sjis.c_str(), code7.data(), &count, codes.data());
    std::cout << flags << '\t' << code7.data() << '\t' << count << '\t' << codes.data() << '\n';
    return 0;
}

// The codes serving a partial address: the count and the comma-separated list.
int runAreaCodes(cmdline::TextIo& io, const TelephoneCommands& commands) {
    if (!applyBaseDate(commands.baseDate)) return 2;
    std::string sjis;
    if (!engineText(io, commands.address, "address", sjis)) return 2;
    // The gathering stops at 64 KB.
    std::vector<char> codes(KESZIP_TEL_CODES_SIZE);
    int count = 0;
    GetDecisionTel(sjis.c_str(), &count, codes.data());
    std::cout << count << '\t' << codes.data() << '\n';
    return 0;
}

}  // namespace

void addTelephoneCommands(CLI::App& app, TelephoneCommands& commands) {
    commands.renumber = app.add_subcommand(
        "renumber",
        "Bring an old telephone number up to date; prints nothing when no renumbering applies");
    commands.renumber->add_option("--date", commands.baseDate,
                                  "Base date YYYYMMDD (default today; 0 renumbers nothing)");
    commands.renumber->add_option("NUMBER", commands.number, "The number as written")->required();

    commands.tel = app.add_subcommand(
        "tel", "The towns a telephone area code (optionally with exchange digits) serves");
    commands.tel->add_option("--date", commands.baseDate,
                             "Base date YYYYMMDD: list the codes renumbered as of it");
    commands.tel->add_flag("--hyphen", commands.hyphen, "Write the 7-digit code as 123-4567");
    commands.tel->add_option("NUMBER", commands.number, "e.g. 0273 or 0273-12")
        ->required()
        ->transform(telephoneNumberArgument());

    commands.telDecide = app.add_subcommand(
        "tel-decide", "The part of the address every town of a telephone number shares");
    commands.telDecide->add_option("NUMBER", commands.number, "e.g. 0273 or 0273-12")
        ->required()
        ->transform(telephoneNumberArgument());

    commands.addressTel = app.add_subcommand("address-tel", "The telephone codes of an address");
    commands.addressTel->add_option("--date", commands.baseDate,
                                    "Base date YYYYMMDD: list the codes renumbered as of it");
    commands.addressTel->add_flag("--hyphen", commands.hyphen,
                                  "Write the 7-digit code as 123-4567");
    commands.addressTel->add_option("ADDRESS", commands.address, "The address")->required();

    commands.areaCodes = app.add_subcommand(
        "area-codes", "The telephone codes serving a partial address (prefecture and more)");
    commands.areaCodes->add_option("--date", commands.baseDate,
                                   "Base date YYYYMMDD: list the codes renumbered as of it");
    commands.areaCodes->add_option("ADDRESS", commands.address, "The partial address")->required();
}

bool runTelephoneCommands(cmdline::TextIo& io, const TelephoneCommands& commands, int& status) {
    if (commands.renumber && *commands.renumber) {
        status = runRenumber(io, commands);
        return true;
    }
    if (commands.tel && *commands.tel) {
        status = runTel(io, commands);
        return true;
    }
    if (commands.telDecide && *commands.telDecide) {
        status = runTelDecide(io, commands);
        return true;
    }
    if (commands.addressTel && *commands.addressTel) {
        status = runAddressTel(io, commands);
        return true;
    }
    if (commands.areaCodes && *commands.areaCodes) {
        status = runAreaCodes(io, commands);
        return true;
    }
    return false;
}

}  // namespace cli
