#include "telephone_codes.h"

#include <platform/sjis.h>

#include "build_error.h"

namespace mkdic {
namespace {

constexpr std::uint32_t kMaxNumber = 0xFFFFF;

void appendCodes(const NumberBand& band, const std::string& prefix, std::vector<std::string>& out) {
    if (!band.eliminate.empty() && band.eliminate.compare(0, prefix.size(), prefix) == 0) {
        if (band.eliminate == prefix) return;  // belongs to another area
        for (char d = '0'; d <= '9'; ++d) appendCodes(band, prefix + d, out);
        return;
    }
    const std::size_t area = band.areaCode.size();
    out.push_back(prefix.size() == area ? prefix
                                        : prefix.substr(0, area) + "-" + prefix.substr(area));
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Splits the list at "、", "及び" and "並びに".
std::vector<std::string> splitNames(std::string_view list) {
    std::vector<std::string> names;
    std::string current;
    for (std::size_t i = 0; i < list.size();) {
        bool separator = false;
        for (std::string_view sep : {"、", "及び", "並びに"}) {
            if (startsWith(list.substr(i), sep)) {
                names.push_back(current);
                current.clear();
                i += sep.size();
                separator = true;
                break;
            }
        }
        if (!separator) current += list[i++];
    }
    names.push_back(current);
    return names;
}

// The start of a district part ("一丁目", "三丁目から五丁目まで") in a UTF-8
// name, or npos.
std::size_t districtStart(const std::string& name) {
    const std::size_t chome = name.find("丁目");
    if (chome == std::string::npos) return std::string::npos;
    static constexpr std::string_view kNumerals[] = {"一", "二", "三", "四", "五",
                                                     "六", "七", "八", "九", "十"};
    std::size_t start = chome;
    for (bool more = true; more && start >= 3;) {
        more = false;
        for (std::string_view n : kNumerals) {
            if (name.compare(start - 3, 3, n) == 0) {
                start -= 3;
                more = true;
                break;
            }
        }
    }
    return start;
}

}  // namespace

std::vector<std::string> bandCodes(const NumberBand& band) {
    std::vector<std::string> out;
    const std::uint32_t first = static_cast<std::uint32_t>(std::stoul(band.start));
    const std::uint32_t last = static_cast<std::uint32_t>(std::stoul(band.end));
    for (std::uint32_t v = first; v <= last; ++v) {
        std::string prefix = std::to_string(v);
        prefix.insert(0, band.start.size() - prefix.size(), '0');
        appendCodes(band, prefix, out);
    }
    return out;
}

std::uint32_t encodeTelCode(std::string_view written) {
    std::uint32_t number = 0;
    std::uint32_t hyphen = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c == '-' && hyphen == 0 && digits > 0) {
            hyphen = static_cast<std::uint32_t>(digits + 1);
        } else if (c >= '0' && c <= '9') {
            number = number * 10 + static_cast<std::uint32_t>(c - '0');
            ++digits;
            if (number > kMaxNumber) break;
        } else {
            throw BuildError("telephone code \"" + std::string(written) + "\" is not digits");
        }
    }
    if (written.empty() || written[0] != '0' || number > kMaxNumber || hyphen > 15) {
        throw BuildError("telephone code \"" + std::string(written) +
                         "\" does not fit its 24-bit field");
    }
    return number | (hyphen << 20);
}

ZoneRule ZoneRule::parse(std::string_view noteUtf8) {
    ZoneRule rule;
    std::string_view list = noteUtf8;
    // "。" and the half-width "｡" are both three bytes in UTF-8.
    while (endsWith(list, "。") || endsWith(list, "｡")) list.remove_suffix(3);
    if (list.empty()) return rule;
    rule.kind_ = Kind::Only;
    if (endsWith(list, "を除く")) {
        rule.kind_ = Kind::Except;
        list.remove_suffix(std::string_view("を除く").size());
    } else if (endsWith(list, "に限る")) {
        list.remove_suffix(std::string_view("に限る").size());
    }
    for (std::string& name : splitNames(list)) {
        Name entry;
        if (const std::size_t d = districtStart(name); d != std::string::npos) {
            name.resize(d);
            entry.partial = true;
        }
        if (name.empty()) continue;  // "三丁目から五丁目まで" of the name before
        const auto sjis = platform::utf8ToSjis(name);
        if (!sjis)
            throw BuildError("zone note \"" + std::string(noteUtf8) + "\" has no Shift-JIS form");
        entry.sjis = *sjis;
        rule.names_.push_back(std::move(entry));
    }
    return rule;
}

bool ZoneRule::serves(std::string_view townSjis) const {
    if (kind_ == Kind::All) return true;
    for (const Name& name : names_) {
        if (!startsWith(townSjis, name.sjis)) continue;
        // A town named only in part is served by both the rule that names it
        // and the one that excludes it.
        return kind_ == Kind::Only || name.partial;
    }
    return kind_ == Kind::Except;
}

}  // namespace mkdic
