#include "platform/terminal.h"

#include <csignal>
#include <initializer_list>

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

void catchEndingSignals(void (*handler)(int)) {
#ifdef _WIN32
    std::signal(SIGTERM, handler ? handler : SIG_DFL);
#else
    // Without SA_RESTART, so that a waiting read is cut short.
    struct sigaction action {};
    action.sa_handler = handler ? handler : SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    // A file grown past the process's size limit is a failed write, which the
    // program reports and cleans up after, not an end.
    std::signal(SIGXFSZ, handler ? SIG_IGN : SIG_DFL);
#endif
}

}  // namespace platform
