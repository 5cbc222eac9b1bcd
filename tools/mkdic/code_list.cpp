#include "code_list.h"

#include <string>

#include "build_error.h"
#include "text_lines.h"

namespace mkdic {

std::vector<std::uint32_t> parseCodeList(std::string_view text, std::string_view sourceName) {
    std::vector<std::uint32_t> codes;
    forEachLine(text, [&](std::string_view line, std::size_t lineNumber) {
        line = line.substr(0, line.find('#'));
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        if (line.empty()) return true;
        std::string digits(line);
        if (digits.size() == 8 && digits[3] == '-') digits.erase(3, 1);
        bool ok = digits.size() == 7;
        std::uint32_t code = 0;
        for (char c : digits) {
            ok = ok && c >= '0' && c <= '9';
            code = code * 10 + static_cast<std::uint32_t>(c - '0');
        }
        if (!ok) {
            throw BuildError(std::string(sourceName) + " line " + std::to_string(lineNumber) +
                             ": \"" + std::string(line) + "\" is not a 7-digit postal code");
        }
        codes.push_back(code);
        return true;
    });
    return codes;
}

}  // namespace mkdic
