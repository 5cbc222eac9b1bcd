#pragma once

#include <cmdline/text_io.h>

#include <string>
#include <vector>

namespace cli {

// Looks each address up (the arguments, or the lines of standard input when
// there are none) and prints
// flags TAB code7 TAB oldcode TAB addressnumber TAB jiscode per address.
// `threads` engines look up at once (0: one per core when standard input is
// not a terminal, else one); the output is the same for any number.
int runLookup(bool sjis, bool hyphen, unsigned threads, const std::vector<std::string>& addresses);

}  // namespace cli
