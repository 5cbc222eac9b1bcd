// Blocks of CSV rows with the engine's answers appended: the splitting and
// writing of Engine.lookup_csv, apart from the interpreter so that it can be
// fuzzed on its own.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "keszip.h"

namespace keszip_python {

// Looks `count` UTF-8 addresses up into `answers`, as KesZipLookupUtf8Batch.
using BatchLookup = std::function<void(const char* const* addresses, const std::size_t* lengths,
                                       std::size_t count, KesZipUtf8Answer* answers)>;

// Appends the rows of `block` to `out`, each with the five answer fields
// (flags, code, old code, address number, local-government code) after its
// last field: the row as it was read otherwise, with its own line ending
// ("\n" after a last row without one), blank lines left out. The field
// `column` (from 1) is the address, read as RFC 4180 writes fields: a quoted
// field may hold commas, doubled quotes and line breaks; a row with fewer
// fields has the empty address. Rows go to `lookup` in batches of
// `batchSize`. Returns the number of rows, or 0 with `error` set when the
// block ends inside a quoted field (then `out` may hold some of the rows).
std::size_t appendCsvAnswers(std::string_view block, std::size_t column, std::size_t batchSize,
                             const BatchLookup& lookup, std::string& out, std::string& error);

// A field as CSV writes it: quoted when it holds a comma, a quote or a line
// break.
void appendCsvField(std::string& out, const char* field);

}  // namespace keszip_python
