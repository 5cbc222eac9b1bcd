#include "set_date.h"

#include <platform/file_times.h>
#include <platform/files.h>
#include <platform/sjis.h>

#include <ctime>
#include <deque>
#include <filesystem>
#include <system_error>

namespace custom {

namespace {

namespace fs = std::filesystem;

// The path part written with "\" as on Windows, as a native path: each "\"
// that is not the trail byte of a Shift-JIS character becomes "/", and the
// text becomes UTF-8 when it is valid Shift-JIS (otherwise its bytes are used
// as they are).
std::string nativePath(std::string_view windowsPath) {
    std::string path;
    for (std::size_t i = 0; i < windowsPath.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(windowsPath[i]);
        if (platform::isSjisLead(c) && i + 1 < windowsPath.size()) {
            path += windowsPath.substr(i, 2);
            ++i;
        } else {
            path += c == '\\' ? '/' : static_cast<char>(c);
        }
    }
    if (auto utf8 = platform::sjisToUtf8(path)) return *utf8;
    return path;
}

// Position of the last "\" of a Shift-JIS text, stepping over double-byte
// characters so that a trail byte 0x5C never counts.
std::optional<std::size_t> lastBackslash(std::string_view text) {
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (platform::isSjisLead(c)) {
            ++i;
        } else if (c == '\\') {
            last = i;
        }
    }
    return last;
}

std::optional<int> digitsAt(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "YYYY?MM?DD?hh?mm?ss" as local time, in seconds since 1970 UTC.
std::optional<std::int64_t> localDateTime(std::string_view date) {
    if (date.size() < 19) return std::nullopt;
    const auto year = digitsAt(date, 0, 4), month = digitsAt(date, 5, 2),
               day = digitsAt(date, 8, 2), hour = digitsAt(date, 11, 2),
               minute = digitsAt(date, 14, 2), second = digitsAt(date, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    std::tm fields{};
    fields.tm_year = *year - 1900;
    fields.tm_mon = *month - 1;
    fields.tm_mday = *day;
    fields.tm_hour = *hour;
    fields.tm_min = *minute;
    fields.tm_sec = *second;
    fields.tm_isdst = -1;
    std::tm normalised = fields;
    const std::time_t time = std::mktime(&normalised);
    if (time == static_cast<std::time_t>(-1)) return std::nullopt;
    // mktime carries out-of-range fields over (31 April becomes 1 May); such
    // a date is refused rather than stamped on every file.
    if (normalised.tm_year != fields.tm_year || normalised.tm_mon != fields.tm_mon ||
        normalised.tm_mday != fields.tm_mday || normalised.tm_min != fields.tm_min ||
        normalised.tm_sec != fields.tm_sec)
        return std::nullopt;
    return static_cast<std::int64_t>(time);
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of the character starting at `text[i]` (UTF-8 on POSIX systems).
std::size_t characterLength(std::string_view text, std::size_t i) {
    std::size_t n = 1;
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    return n;
}

// Wildcard matching that backs up only to the last "*" seen: the time is
// bounded by name length times pattern length, whatever the pattern holds.
bool wildcardMatch(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n += characterLength(name, n);
            ++p;
        } else if (p < pattern.size() && lowerAscii(pattern[p]) == lowerAscii(name[n])) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            // Let the last "*" take one more character and try again from there.
            starName += characterLength(name, starName);
            n = starName;
            p = starPattern;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool hiddenName(const fs::path& path) {
    const std::string name = platform::utf8Of(path.filename());
    return name.empty() || name[0] == '.';
}

}  // namespace

std::optional<DateStampRequest> parseDateStampRequest(std::string_view parameter) {
    std::string text(parameter);
    text.push_back('/');
    const std::size_t firstSlash = text.find('/');
    if (firstSlash == std::string::npos) return std::nullopt;
    const std::size_t secondSlash = text.find('/', firstSlash + 1);
    if (secondSlash == std::string::npos) return std::nullopt;
    const std::string_view pathPart = std::string_view(text).substr(0, firstSlash);
    const std::string_view datePart =
        std::string_view(text).substr(firstSlash + 1, secondSlash - firstSlash - 1);

    const auto time = localDateTime(datePart);
    const auto backslash = lastBackslash(pathPart);
    if (!time || !backslash) return std::nullopt;
    // A path part that starts with its only "\" names the root folder.
    std::string folder =
        *backslash == 0 ? std::string(1, '/') : nativePath(pathPart.substr(0, *backslash));
    return DateStampRequest{std::move(folder), nativePath(pathPart.substr(*backslash + 1)), *time};
}

bool matchesFilePattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") return true;
    return wildcardMatch(name, pattern);
}

std::size_t stampTree(const DateStampRequest& request) {
    std::size_t stamped = 0;
    std::deque<fs::path> folders{platform::fsPath(request.folder)};
    while (!folders.empty()) {
        const fs::path folder = folders.front();
        std::error_code error;
        // First the subfolders go to the end of the list, then the entries
        // of this folder are stamped.
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code typeError;
            if (!hiddenName(it->path()) && it->is_directory(typeError) &&
                !it->is_symlink(typeError))
                folders.push_back(it->path());
        }
        error.clear();
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (hiddenName(it->path())) continue;
            if (!matchesFilePattern(platform::utf8Of(it->path().filename()), request.pattern))
                continue;
            if (platform::stampFileTimes(platform::utf8Of(it->path()), request.unixSeconds))
                ++stamped;
        }
        folders.pop_front();
    }
    return stamped;
}

int setDate(std::string_view parameter) {
    const auto request = parseDateStampRequest(parameter);
    if (!request) return 0;
    stampTree(*request);
    return 1;
}

}  // namespace custom
