#include "csv_line.h"

#include <platform/sjis.h>

namespace converter {
namespace {

bool isTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

}  // namespace

bool CsvLine::lead(unsigned char c) const { return !utf8_ && platform::isSjisLead(c); }

std::size_t CsvLine::fullWidthSpace(std::string_view text, std::size_t i) const {
    const std::string_view space = utf8_ ? "\xE3\x80\x80" : "\x81\x40";
    return text.substr(i, space.size()) == space ? space.size() : 0;
}

std::size_t CsvLine::Split(std::string_view line) {
    line_ = line;
    count_ = 0;
    bool inQuotes = false;  // kept across fields, as the line is one text
    std::size_t pos = 0;
    while (count_ < kMaxFields) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        Span& field = fields_[count_++];
        field.start = pos;
        field.length = 0;
        bool afterLead = false;
        bool afterBackslash = false;
        bool lineEnds = true;
        while (pos < line.size()) {
            const unsigned char c = static_cast<unsigned char>(line[pos]);
            if (c == '\0' || c == '\n' || c == '\r') break;
            if (afterLead && isTrailByte(c)) {
                afterLead = false;
                ++field.length;
                ++pos;
                continue;
            }
            afterLead = false;
            if (afterBackslash) {
                afterBackslash = false;
                afterLead = lead(c);
                ++field.length;
                ++pos;
                continue;
            }
            if (c == ',' && !inQuotes) {
                ++pos;
                lineEnds = false;
                break;
            }
            if (c == '"') inQuotes = !inQuotes;
            afterBackslash = c == '\\';
            afterLead = lead(c);
            ++field.length;
            ++pos;
        }
        if (lineEnds) break;
    }
    return count_;
}

long CsvLine::Field(std::size_t index, std::string& out) const {
    out.clear();
    if (index >= count_) return -1;
    std::string_view raw = line_.substr(fields_[index].start, fields_[index].length);
    if (!raw.empty() && raw.front() == '"') raw.remove_prefix(1);
    // Walk the characters to know where the last one begins.
    std::size_t lastStart = std::string_view::npos;
    std::size_t beforeLast = std::string_view::npos;
    for (std::size_t i = 0; i < raw.size();) {
        beforeLast = lastStart;
        lastStart = i;
        i += lead(static_cast<unsigned char>(raw[i])) && i + 1 < raw.size() ? 2 : 1;
    }
    if (lastStart != std::string_view::npos && lastStart == raw.size() - 1 && raw.back() == '"') {
        bool escaped = beforeLast != std::string_view::npos && beforeLast == lastStart - 1 &&
                       raw[beforeLast] == '\\';
        if (!escaped) raw.remove_suffix(1);
    }
    // Trailing half-width and full-width spaces go.
    std::size_t keep = 0;
    for (std::size_t i = 0; i < raw.size();) {
        const unsigned char c = static_cast<unsigned char>(raw[i]);
        if (const std::size_t n = fullWidthSpace(raw, i)) {
            i += n;
        } else if (lead(c) && i + 1 < raw.size()) {
            keep = i + 2;
            i += 2;
        } else {
            if (c != ' ') keep = i + 1;
            ++i;
        }
    }
    out.assign(raw.substr(0, keep));
    return static_cast<long>(out.size());
}

}  // namespace converter
