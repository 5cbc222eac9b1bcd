#include "argument_checks.h"

#include <cstdio>

namespace cli {
namespace {

constexpr int kMisuse = 2;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

CLI::Validator postalCodeArgument() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            std::size_t digits = 0;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (isDigit(text[i])) {
                    ++digits;
                } else if (!(text[i] == '-' && i == 3 && i + 1 < text.size())) {
                    return "a postal code is 3, 5 or 7 digits (123-4567 allowed), not '" + text +
                           "'";
                }
            }
            if (digits != 3 && digits != 5 && digits != 7)
                return "a postal code is 3, 5 or 7 digits, not " + std::to_string(digits) + ": '" +
                       text + "'";
            return {};
        },
        "3, 5 or 7 digits");
}

CLI::Validator telephoneNumberArgument() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            bool digit = false;
            for (char c : text) {
                if (isDigit(c))
                    digit = true;
                else if (c != '-')
                    return "a telephone number is written with digits and hyphens (0273-12), "
                           "not '" +
                           text + "'";
            }
            if (!digit) return "a telephone number needs at least one digit: '" + text + "'";
            return {};
        },
        "digits and hyphens");
}

void useOneLineErrors(CLI::App& app) {
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return "keszip: " + std::string(e.what()) + " (see keszip --help)\n";
    });
}

int refuseUnknownCommand(const CLI::App& app, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--version" || word == "-V" || word == "-v") {
            std::fprintf(stderr,
                         "keszip: there is no %s option; the version is printed by "
                         "'keszip version'\n",
                         word.c_str());
            return kMisuse;
        }
        if (word.empty() || word[0] == '-') continue;  // --sjis, --help and the like
        const auto named =
            app.get_subcommands([&word](const CLI::App* sub) { return sub->get_name() == word; });
        if (!named.empty()) return -1;
        std::fprintf(stderr, "keszip: unknown subcommand '%s' (see keszip --help)\n", word.c_str());
        return kMisuse;
    }
    return -1;
}

}  // namespace cli
