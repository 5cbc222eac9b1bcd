#include "cmdline/arguments.h"

#include <iostream>

namespace cmdline {

void useOneLineErrors(CLI::App& app, const std::string& program) {
    app.failure_message([program](const CLI::App*, const CLI::Error& e) {
        return program + ": " + std::string(e.what()) + " (see " + program + " --help)\n";
    });
}

bool refuseVersionOption(std::string_view word, std::string_view program,
                         std::string_view instead) {
    if (word != "--version" && word != "-V" && word != "-v") return false;
    std::cerr << program << ": there is no " << word << " option; " << instead << '\n';
    return true;
}

bool optionGiven(const CLI::App& app, const char* name) {
    const CLI::Option* option = app.get_option_no_throw(name);
    return option != nullptr && option->count() > 0;
}

std::vector<std::string> splitList(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(separator, pos);
        if (end == std::string_view::npos) end = text.size();
        parts.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

bool parseNumbers(std::string_view text, char separator, std::vector<long long>& out) {
    out.clear();
    for (const std::string& part : splitList(text, separator)) {
        try {
            std::size_t used = 0;
            out.push_back(std::stoll(part, &used));
            if (used != part.size()) return false;
        } catch (const std::exception&) {
            return false;
        }
    }
    return true;
}

}  // namespace cmdline
