#include "lookup_command.h"

#include <platform/files.h>
#include <platform/ordered_batches.h>
#include <platform/terminal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <thread>

#include "keszip.h"
#include "no_dictionary.h"

namespace cli {
namespace {

// Lines handed to a worker at a time: large enough that the hand-over costs
// little, small enough that the output starts soon.
constexpr std::size_t kBatchLines = 256;

struct HandleCloser {
    void operator()(KesZipHandle* handle) const { KesZipDestroy(handle); }
};
using Handle = std::unique_ptr<KesZipHandle, HandleCloser>;

// One worker's engine and text conversion.
struct Worker {
    Worker(bool sjis, Handle engine) : io(sjis), handle(std::move(engine)) {}
    cmdline::TextIo io;
    Handle handle;
};

// A diagnostic for the line whose output starts at `offset` of the output.
struct Diagnostic {
    std::size_t offset;
    std::string text;
};

// Appends a lookup's result line to `out`.
void appendLine(int flags, std::initializer_list<const char*> fields, std::string& out) {
    out += std::to_string(flags);
    for (const char* text : fields) {
        out += '\t';
        out += text;
    }
    out += '\n';
}

constexpr const char* kCodeDiffers =
    "a postal code before the address other than the code it is placed at";

// Looks one address up and appends its result line to `out`. A text that
// cannot be what the user meant, or that was looked up with placeholders, is
// named by `where` ("line", "argument") and `number` in a diagnostic, and
// still gets its line.
void lookupOne(Worker& w, int options, const std::string& address, const char* where,
               std::size_t number, std::string& out, std::vector<Diagnostic>& diagnostics) {
    auto diagnose = [&](const char* what) {
        diagnostics.push_back({out.size(), "keszip: " + std::string(where) + " " +
                                               std::to_string(number) + " has " + what + "\n"});
    };
    if (!w.io.raw()) {
        // UTF-8 goes through the engine's own UTF-8 edge.
        KesZipUtf8Answer answer;
        KesZipLookupUtf8(w.handle.get(), address.data(), address.size(), options, &answer);
        if (answer.status == KESZIP_UTF8_INVALID)
            diagnose("bytes that are not UTF-8; it is not looked up");
        else if (answer.status == KESZIP_UTF8_NUL_BYTE)
            diagnose("a NUL byte; it is not looked up");
        else if (answer.status == KESZIP_UTF8_REPLACED)
            diagnose(
                "characters that have no Shift-JIS form; each was looked up as \xE3\x80\x93");  // 〓
        if (answer.flags & KESZIP_CODE_DIFFERS) diagnose(kCodeDiffers);
        appendLine(answer.flags,
                   {answer.code7, answer.oldCode, answer.addressNumber, answer.jisCode}, out);
        return;
    }
    KesZipAnswer answer{};
    if (address.find('\0') != std::string::npos) {
        diagnose("a NUL byte; it is not looked up");
        std::strcpy(answer.code7, "ERR-003");
    } else {
        KesZipLookup(w.handle.get(), address.c_str(), options, &answer);
    }
    if (answer.flags & KESZIP_CODE_DIFFERS) diagnose(kCodeDiffers);
    if (answer.flags == 0) {
        // Not placed: a refused candidate's old code and the municipality the
        // lookup passed through say nothing about this address.
        answer.oldCode[0] = answer.addressNumber[0] = answer.jisCode[0] = '\0';
    }
    appendLine(answer.flags, {answer.code7, answer.oldCode, answer.addressNumber, answer.jisCode},
               out);
}

// Writes result lines with their diagnostics on standard error beside them.
void writeOut(const std::string& out, const std::vector<Diagnostic>& diagnostics) {
    std::size_t written = 0;
    for (const Diagnostic& d : diagnostics) {
        std::fwrite(out.data() + written, 1, d.offset - written, stdout);
        written = d.offset;
        std::fflush(stdout);  // keeps the diagnostic beside its line on a shared terminal
        std::fputs(d.text.c_str(), stderr);
    }
    std::fwrite(out.data() + written, 1, out.size() - written, stdout);
}

struct Batch {
    std::size_t firstLine = 0;  // number of the batch's first line
    std::vector<std::string> lines;
    std::string out;
    std::vector<Diagnostic> diagnostics;
};

// Reads up to kBatchLines lines of standard input, line ends removed.
class BatchReader {
  public:
    explicit BatchReader(bool sjis) : sjis_(sjis) { platform::useBinaryInput(); }
    bool operator()(Batch& batch) {
        batch.firstLine = lineNumber_ + 1;
        while (batch.lines.size() < kBatchLines && platform::readLine(stdin, line_)) {
            ++lineNumber_;
            std::size_t length = line_.size();
            while (length > 0 && (line_[length - 1] == '\n' || line_[length - 1] == '\r')) --length;
            const char* text = line_.data();
            // A UTF-8 file saved by a Windows editor begins with a byte order
            // mark; it is not part of the first address.
            if (lineNumber_ == 1 && !sjis_ && length >= 3 &&
                std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) {
                text += 3;
                length -= 3;
            }
            batch.lines.emplace_back(text, static_cast<std::size_t>(length));
        }
        return !batch.lines.empty();
    }

  private:
    bool sjis_;
    std::string line_;
    std::size_t lineNumber_ = 0;
};

}  // namespace

int runLookup(bool sjis, bool hyphen, unsigned threads, const std::vector<std::string>& addresses) {
    if (threads == 0) {
        threads = addresses.empty() && !platform::stdinIsTerminal()
                      ? std::max(1u, std::thread::hardware_concurrency())
                      : 1;
    }
    // Every engine shares the dictionary data of the first.
    std::vector<std::unique_ptr<Worker>> workers;
    for (unsigned i = 0; i < threads; ++i) {
        int error = 0;
        Handle handle(KesZipCreate(nullptr, &error));
        if (!handle) {
            reportNoDictionary("the dictionary KESZIP.DIC", error);
            return 1;
        }
        workers.push_back(std::make_unique<Worker>(sjis, std::move(handle)));
    }
    const int options = hyphen ? KESZIP_HYPHEN : 0;
    if (!addresses.empty()) {
        std::string out;
        std::vector<Diagnostic> diagnostics;
        std::size_t n = 0;
        for (const auto& address : addresses)
            lookupOne(*workers[0], options, address, "argument", ++n, out, diagnostics);
        writeOut(out, diagnostics);
        return 0;
    }
    // Streams: batches of lines in, their result lines out in the same order,
    // with memory bounded by the batches in flight.
    static char inBuffer[1 << 16], outBuffer[1 << 16];
    std::setvbuf(stdin, inBuffer, _IOFBF, sizeof inBuffer);
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    BatchReader reader(sjis);
    platform::runOrderedBatches<Batch>(
        threads, [&](Batch& batch) { return reader(batch); },
        [&](unsigned worker, Batch& batch) {
            std::size_t number = batch.firstLine;
            for (const auto& address : batch.lines)
                lookupOne(*workers[worker], options, address, "line", number++, batch.out,
                          batch.diagnostics);
        },
        [](Batch& batch) {
            writeOut(batch.out, batch.diagnostics);
            return true;
        });
    std::fflush(stdout);
    return 0;
}

}  // namespace cli
