#include "argument_checks.h"

#include <cmdline/arguments.h>

#include <cstdio>

namespace cli {
namespace {

constexpr int kMisuse = 2;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The full-width digits (U+FF10-FF19) and hyphens (U+FF0D, U+2212) of a
// Japanese input method as their ASCII forms; other bytes stay as they are.
std::string halfWidthDigits(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(text[i]);
        if (i + 2 < text.size()) {
            const unsigned char b = static_cast<unsigned char>(text[i + 1]);
            const unsigned char c = static_cast<unsigned char>(text[i + 2]);
            if (a == 0xEF && b == 0xBC && c >= 0x90 && c <= 0x99) {
                out += static_cast<char>('0' + (c - 0x90));
                i += 2;
                continue;
            }
            if ((a == 0xEF && b == 0xBC && c == 0x8D) || (a == 0xE2 && b == 0x88 && c == 0x92)) {
                out += '-';
                i += 2;
                continue;
            }
        }
        out += static_cast<char>(a);
    }
    return out;
}

}  // namespace

CLI::Validator postalCodeArgument() {
    return CLI::Validator(
        [](std::string& typed) -> std::string {
            const std::string text = halfWidthDigits(typed);
            std::size_t digits = 0;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (isDigit(text[i])) {
                    ++digits;
                } else if (!(text[i] == '-' && i == 3 && i + 1 < text.size())) {
                    return "a postal code is 3, 5 or 7 digits (123-4567 allowed), not '" + typed +
                           "'";
                }
            }
            if (digits != 3 && digits != 5 && digits != 7)
                return "a postal code is 3, 5 or 7 digits, not " + std::to_string(digits) + ": '" +
                       typed + "'";
            typed = text;
            return {};
        },
        "3, 5 or 7 digits");
}

CLI::Validator telephoneNumberArgument() {
    return CLI::Validator(
        [](std::string& typed) -> std::string {
            const std::string text = halfWidthDigits(typed);
            bool digit = false;
            for (char c : text) {
                if (isDigit(c))
                    digit = true;
                else if (c != '-')
                    return "a telephone number is written with digits and hyphens (0273-12), "
                           "not '" +
                           typed + "'";
            }
            if (!digit) return "a telephone number needs at least one digit: '" + typed + "'";
            typed = text;
            return {};
        },
        "digits and hyphens");
}

int refuseUnknownCommand(const CLI::App& app, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (cmdline::refuseVersionOption(word, "keszip",
                                         "the version is printed by 'keszip version'"))
            return kMisuse;
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
