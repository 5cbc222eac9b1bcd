#include "terminal_host.h"

#include <platform/terminal.h>

#include <csignal>
#include <cstdio>
#include <iostream>

#include "conversion/messages.h"

namespace converter {
namespace {

volatile std::sig_atomic_t g_stopRequest = 0;
volatile std::sig_atomic_t g_abandonSignal = 0;

extern "C" void onInterrupt(int) { g_stopRequest = 1; }

extern "C" void onTermination(int signal) { g_abandonSignal = signal; }

}  // namespace

int abandoningSignal() { return g_abandonSignal; }

TerminalHost::TerminalHost(bool assumeYes, bool sjis)
    : assumeYes_(assumeYes), io_(sjis), terminal_(platform::stderrIsTerminal()) {}

void TerminalHost::catchInterrupt() {
    catching_ = true;
    std::signal(SIGINT, onInterrupt);
    platform::catchEndingSignals(onTermination);
}

TerminalHost::~TerminalHost() {
    if (!catching_) return;
    std::signal(SIGINT, SIG_DFL);
    platform::catchEndingSignals(nullptr);
}

bool TerminalHost::abandonRequested() { return g_abandonSignal != 0; }

std::string TerminalHost::display(std::string_view sjis) const { return io_.fromEngine(sjis); }

void TerminalHost::clearProgressLine() {
    if (progressShown_) {
        std::fputs("\r\033[K", stderr);
        progressShown_ = false;
    }
}

void TerminalHost::showProgress(std::uint32_t processed, bool final, double fraction) {
    if (!terminal_) return;
    auto now = std::chrono::steady_clock::now();
    // Redrawn at most five times a second; the final value always.
    if (!final && progressShown_ && now - lastDraw_ < std::chrono::milliseconds(200)) return;
    lastDraw_ = now;
    if (fraction < 0) fraction = 0;
    if (fraction > 1) fraction = 1;
    const int width = 30;
    const int filled = static_cast<int>(fraction * width);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(width, '-');
    std::fprintf(stderr, "\r[%s] %3d%%  %lu records  %ld errors", bar.c_str(),
                 static_cast<int>(fraction * 100), static_cast<unsigned long>(processed),
                 static_cast<long>(errors_));
    progressShown_ = true;
    if (final) {
        std::fputc('\n', stderr);
        progressShown_ = false;
    }
    std::fflush(stderr);
}

void TerminalHost::showMessage(int code) {
    clearProgressLine();
    std::cerr << display(messageCaption(code)) << ": " << display(messageText(code)) << '\n';
}

bool TerminalHost::ask(std::string_view text, std::string_view caption) {
    clearProgressLine();
    std::cerr << display(caption) << ": " << display(text);
    if (assumeYes_) {
        std::cerr << " [y/N] y\n";
        return true;
    }
    if (!platform::stdinIsTerminal()) {
        std::cerr << " [y/N] n (no terminal to answer on; pass --yes)\n";
        return false;
    }
    std::cerr << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::cin.clear();
        return false;
    }
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

void TerminalHost::inform(std::string_view text, std::string_view caption, MessageIcon) {
    clearProgressLine();
    std::cout << display(caption) << ": " << display(text) << std::endl;
}

bool TerminalHost::stopRequested() { return g_stopRequest != 0; }

void TerminalHost::clearStopRequest() { g_stopRequest = 0; }

std::uint32_t TerminalHost::tickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace converter
