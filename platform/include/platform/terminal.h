// Whether the program's standard streams are attached to a terminal.
#pragma once

namespace platform {

bool stdinIsTerminal();
bool stderrIsTerminal();

}  // namespace platform
