#include "platform/terminal.h"

#ifdef _WIN32
#include <io.h>
#define KESZIP_ISATTY _isatty
#else
#include <unistd.h>
#define KESZIP_ISATTY isatty
#endif

namespace platform {

bool stdinIsTerminal() { return KESZIP_ISATTY(0) != 0; }
bool stderrIsTerminal() { return KESZIP_ISATTY(2) != 0; }

}  // namespace platform
