#pragma once

#include <string>
#include <vector>

#include "text_io.h"

namespace cli {

// Looks each address up (the arguments, or one line of standard input at a
// time when there are none) and prints
// flags TAB code7 TAB oldcode TAB addressnumber TAB jiscode per address.
int runLookup(TextIo& io, bool hyphen, const std::vector<std::string>& addresses);

}  // namespace cli
