// The message of a dictionary that could not be opened: which files, the
// engine's error, and every folder the engine looked in for them.
#pragma once

namespace cli {

// `files` names the dictionary files ("KESZIP.DIC"); one line on standard
// error, then one line per folder.
void reportNoDictionary(const char* files, int error);

}  // namespace cli
