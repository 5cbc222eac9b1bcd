#include "search_choices.h"

#include <platform/sjis.h>

#include "conversion/sjis_literal.h"

namespace converter::search {

std::string limitBytes(std::string_view text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t step = platform::isSjisLead(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + step > limit || end + step > text.size()) break;
        end += step;
    }
    return std::string(text.substr(0, end));
}

std::string codeText(std::string_view typed) {
    std::string ascii;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(typed[i]);
        if (!platform::isSjisLead(lead) || i + 1 == typed.size()) {
            ascii += typed[i];
            continue;
        }
        const unsigned char trail = static_cast<unsigned char>(typed[i + 1]);
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) {
            ascii += static_cast<char>('0' + (trail - 0x4F));  // ０ to ９
        } else if (lead == 0x81 && trail == 0x7C) {
            ascii += '-';  // －
        } else {
            ascii.append(typed.substr(i, 2));
        }
        ++i;
    }
    return limitBytes(ascii, kCodeTextLimit);
}

std::string wildcardText(std::string_view typed) {
    std::string text;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(typed[i]);
        if (!platform::isSjisLead(lead) || i + 1 == typed.size()) {
            text += typed[i];
        } else if (lead == 0x81 && static_cast<unsigned char>(typed[i + 1]) == 0x96) {
            text += '*';  // ＊
            ++i;
        } else {
            text.append(typed.substr(i, 2));
            ++i;
        }
    }
    return text;
}

std::string blankParentheses(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '(' || c == ')') c = ' ';
    }
    return out;
}

std::optional<std::string> chosenCodeAddress(std::string_view line) {
    std::string blanked = blankParentheses(line);
    std::size_t colon = blanked.find(':');
    if (colon == std::string::npos) return std::nullopt;
    return blanked.substr(colon + 1);
}

std::string pickedSearchText(std::string_view line, bool listIsPartial) {
    std::string text(line);
    if (listIsPartial && !text.empty() && text.back() != '*') text += '*';
    return text;
}

std::optional<std::string> confirmedSearchText(std::string_view text) {
    std::string blanked = blankParentheses(wildcardText(text));
    if (blanked.empty()) return std::nullopt;
    if (blanked.back() == '*') blanked.pop_back();
    return blanked;
}

std::string withoutBuildingExclusion(std::string_view address) {
    static const std::string marker = sjisLiteral(" 次のビルを除く");
    return std::string(address.substr(0, address.find(marker)));
}

}  // namespace converter::search
