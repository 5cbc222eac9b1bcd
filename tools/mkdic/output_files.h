// Writes the built files so that a reader never sees a half-written one.
#pragma once

#include <string>
#include <string_view>

namespace mkdic {

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path`. Throws BuildError naming the file when writing fails.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace mkdic
