// Japan Post's data of all addresses in either of its formats, as the
// dictionaries are built from it: ken_all.zip (KEN_ALL.CSV, Shift-JIS, long
// town names continued on following rows) or utf_ken_all.zip
// (utf_ken_all.csv, UTF-8, one row per town). The format is told by the
// content, not by the name. Both give the same rows: one per town, then cut
// into records where a name or reading is too long for one record.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "ken_all.h"

namespace mkdic {

enum class KenAllFormat { ShiftJis, Utf8 };

struct KenAllSource {
    std::string name;  // entry or file name without its folder, for messages and descriptions
    std::time_t modified = 0;
    KenAllFormat format = KenAllFormat::ShiftJis;
    std::size_t sourceRows = 0;    // rows of the file
    std::vector<KenAllRow> towns;  // one per town, continuation rows joined
    // The rows as the dictionaries store them (recordRows of towns).
    std::vector<KenAllRow> records() const;
};

// Reads a .zip holding KEN_ALL.CSV or utf_ken_all.csv, or either file itself.
// Throws BuildError naming the file and line.
KenAllSource readKenAllSource(const std::string& path);

// Parses the bytes of either file; `name` is used in messages.
KenAllSource parseKenAllSource(std::string_view bytes, const std::string& name);

// Joins the rows that continue a town's name (same local-government code and
// postal code, parentheses still open) to the row they continue. A
// continuation row's reading is appended unless it repeats the reading of the
// town's first row, as KEN_ALL.CSV does for some towns.
std::vector<KenAllRow> joinContinuationRows(const std::vector<KenAllRow>& rows);

// Cuts each town whose name or reading is longer than a record holds (255
// bytes) into records that the engine joins again: the name is cut inside
// its parentheses, after a "、" where one is near the limit; the first record
// holds as much of the reading as fits, the following ones the rest
// (or nothing).
// Throws BuildError when a long name cannot be cut inside parentheses.
std::vector<KenAllRow> recordRows(const std::vector<KenAllRow>& towns);

}  // namespace mkdic
