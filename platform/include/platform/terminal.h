// Whether the program's standard streams are attached to a terminal, and the
// signals by which the system ends a program that runs in one.
#pragma once

namespace platform {

bool stdinIsTerminal();
bool stderrIsTerminal();

// Hands the signals that end a program from outside (SIGTERM, and SIGHUP
// when its terminal closes) to `handler`; a read that waits, for an answer
// on the terminal, returns when one comes. Meanwhile a write past the file
// size limit fails instead of ending the program. `handler` null restores
// the default actions.
void catchEndingSignals(void (*handler)(int));

}  // namespace platform
