#include "field_value.h"

#include <platform/sjis.h>

#include <cmath>
#include <cstdio>

namespace converter {
namespace {

void civilFromDays(std::int64_t z, DateTime& out) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    out.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
    out.month = static_cast<int>(m);
    out.day = static_cast<int>(d);
}

constexpr std::int64_t kSerialEpoch = -25569;  // 1899-12-30 in days from 1970-01-01

bool validDate(const DateTime& d) {
    if (d.year < 100 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    const int length = lengths[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
    return d.day <= length && d.hour >= 0 && d.hour < 24 && d.minute >= 0 && d.minute < 60 &&
           d.second >= 0 && d.second < 60;
}

// Reads exactly `count` digits at `pos`.
bool digits(std::string_view text, std::size_t& pos, std::size_t count, int& out) {
    if (pos + count > text.size()) return false;
    out = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    pos += count;
    return true;
}

bool timeOfDay(std::string_view text, std::size_t& pos, DateTime& out) {
    if (!digits(text, pos, 2, out.hour) || pos >= text.size() || text[pos++] != ':' ||
        !digits(text, pos, 2, out.minute))
        return false;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        if (!digits(text, pos, 2, out.second)) return false;
        // Fractions of a second are dropped, as the text form has none.
        if (pos < text.size() && text[pos] == '.') {
            ++pos;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        }
    }
    return true;
}

}  // namespace

FieldValue FieldValue::text(std::string sjis) {
    FieldValue v;
    v.kind = ValueKind::Text;
    v.bytes = std::move(sjis);
    return v;
}

FieldValue FieldValue::integerOf(ValueKind kind, std::int64_t value) {
    FieldValue v;
    v.kind = kind;
    v.integer = value;
    return v;
}

FieldValue FieldValue::realOf(ValueKind kind, double value) {
    FieldValue v;
    v.kind = kind;
    v.real = value;
    return v;
}

FieldValue FieldValue::dateOf(const DateTime& date) {
    FieldValue v;
    v.kind = ValueKind::Date;
    v.date = date;
    return v;
}

std::optional<std::string> valueText(const FieldValue& value) {
    char buffer[400];
    switch (value.kind) {
        case ValueKind::Int16:
        case ValueKind::Int32:
        case ValueKind::Int64:
        case ValueKind::Boolean:
        case ValueKind::Byte:
            std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value.integer));
            return std::string(buffer);
        case ValueKind::Single:
        case ValueKind::Double: {
            // "%f" of a very large number runs past the limit; it is cut like a text.
            std::snprintf(buffer, sizeof buffer, "%f", value.real);
            std::string text = buffer;
            if (text.size() > kValueTextLimit) text.resize(kValueTextLimit);
            return text;
        }
        case ValueKind::Currency: {
            // Six decimals, as for the other decimal numbers, made from the
            // exact ten-thousandths rather than from a rounded double.
            const std::int64_t v = value.integer;
            const bool negative = v < 0;
            const std::uint64_t magnitude =
                negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            std::snprintf(buffer, sizeof buffer, "%s%llu.%04u00", negative ? "-" : "",
                          static_cast<unsigned long long>(magnitude / 10000),
                          static_cast<unsigned>(magnitude % 10000));
            return std::string(buffer);
        }
        case ValueKind::Date: {
            const DateTime& d = value.date;
            std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d %02d:%02d:%02d",
                          ((d.year % 100) + 100) % 100, d.month, d.day, d.hour, d.minute, d.second);
            return std::string(buffer);
        }
        case ValueKind::Text:
            return std::string(platform::cutSjis(value.bytes, kValueTextLimit));
        case ValueKind::Empty:
        case ValueKind::Null:
        case ValueKind::Decimal:
        case ValueKind::Binary:
            break;
    }
    return std::nullopt;
}

bool dateFromSerial(double days, DateTime& out) {
    if (!std::isfinite(days) || days < -657434.0 || days >= 2958466.0) return false;
    // The whole part counts days; the fraction is the time of day even for
    // dates before 1899-12-30 (-1.25 is 1899-12-29 06:00).
    double whole = std::trunc(days);
    long long seconds = std::llround(std::fabs(days - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += days < 0 ? -1 : 1;
    }
    DateTime d;
    civilFromDays(kSerialEpoch + static_cast<std::int64_t>(whole), d);
    d.hour = static_cast<int>(seconds / 3600);
    d.minute = static_cast<int>((seconds / 60) % 60);
    d.second = static_cast<int>(seconds % 60);
    if (!validDate(d)) return false;
    out = d;
    return true;
}

bool dateFromJulianDay(double julian, DateTime& out) {
    // Julian day 2440587.5 is 1970-01-01 00:00; years 100 to 9999 only.
    if (!std::isfinite(julian) || julian < 1757583.5 || julian > 5373484.5) return false;
    const long long seconds = std::llround((julian - 2440587.5) * 86400.0);
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateTime d;
    civilFromDays(days, d);
    d.hour = static_cast<int>(rest / 3600);
    d.minute = static_cast<int>((rest / 60) % 60);
    d.second = static_cast<int>(rest % 60);
    if (!validDate(d)) return false;
    out = d;
    return true;
}

bool dateFromText(std::string_view text, DateTime& out) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    DateTime d;
    std::size_t pos = 0;
    if (text.size() >= 5 && text[2] == ':') {
        if (!timeOfDay(text, pos, d) || pos != text.size() || !validDate(d)) return false;
        out = d;
        return true;
    }
    if (!digits(text, pos, 4, d.year) || pos >= text.size()) return false;
    const char separator = text[pos++];
    if ((separator != '-' && separator != '/') || !digits(text, pos, 2, d.month) ||
        pos >= text.size() || text[pos++] != separator || !digits(text, pos, 2, d.day))
        return false;
    if (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != 'T') return false;
        ++pos;
        if (!timeOfDay(text, pos, d)) return false;
    }
    if (pos != text.size() || !validDate(d)) return false;
    out = d;
    return true;
}

std::string dateToIso(const DateTime& d) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                  d.hour, d.minute, d.second);
    return buffer;
}

}  // namespace converter
