// The run path of a copied program or library: a copy in one folder finds
// its libraries beside itself and nowhere else, so no library planted in a
// folder around it (such as "../lib") is ever loaded.
#pragma once

#include <filesystem>
#include <string>

namespace setup {

// Rewrites the RUNPATH (or RPATH) of the 64-bit little-endian ELF file
// `file` in place to "$ORIGIN". Files that are not such ELF files, or have
// no run path, are left as they are (true). False with `error` set when the
// file cannot be read or written, or its dynamic section is malformed.
bool keepRunPathBeside(const std::filesystem::path& file, std::string& error);

}  // namespace setup
