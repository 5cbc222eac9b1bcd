// Giving every file of a folder tree one date and time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace custom {

// What a SetDate parameter asks for, in the file system's own terms.
struct DateStampRequest {
    std::string folder;        // native path of the folder the walk starts in
    std::string pattern;       // file-name pattern with "*" and "?"
    std::int64_t unixSeconds;  // the date and time, local time converted to UTC
};

// Reads "FOLDER\PATTERN/YYYY?MM?DD?hh?mm?ss/". nullopt when the text lacks a
// "/" after the path part (a missing one after the date part is supplied),
// when the path part has no "\" before its pattern, or when the date part is
// shorter than 19 characters, has a field that is not all digits or names a
// date and time that does not exist.
std::optional<DateStampRequest> parseDateStampRequest(std::string_view parameter);

// True when `name` matches `pattern`: "*" stands for any run of characters,
// "?" for one character, letters match either case, and "*.*" matches every
// name, with or without a dot.
bool matchesFilePattern(std::string_view name, std::string_view pattern);

// Walks the tree breadth-first from the request's folder and stamps every
// matching entry whose name does not begin with "."; subfolders whose names
// begin with "." are not entered, links to folders are not followed, and
// entries or folders that cannot be opened are passed over. Returns the
// number of entries stamped.
std::size_t stampTree(const DateStampRequest& request);

// The whole of SetDate: 1 when the parameter was well formed and the tree
// walked, 0 otherwise.
int setDate(std::string_view parameter);

}  // namespace custom
