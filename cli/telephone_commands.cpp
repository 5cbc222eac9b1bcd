#include "telephone_commands.h"

#include <cstdio>
#include <ctime>
#include <iostream>
#include <vector>

#include "keszip.h"

namespace cli {
namespace {

// Today's date as YYYYMMDD: without --date every renumbering applies.
std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

int runRenumber(TextIo& io, const TelephoneCommands& commands) {
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
    std::vector<char> out(sjis.size() + 3);
    if (ConvNewTelNo(out.data(), sjis.c_str())) std::cout << io.fromEngine(out.data()) << '\n';
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
}

bool runTelephoneCommands(TextIo& io, const TelephoneCommands& commands, int& status) {
    if (commands.renumber && *commands.renumber) {
        status = runRenumber(io, commands);
        return true;
    }
    return false;
}

}  // namespace cli
