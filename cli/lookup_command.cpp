#include "lookup_command.h"

#include <platform/ordered_batches.h>
#include <platform/terminal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "keszip.h"

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
    TextIo io;
    Handle handle;
    std::string sjis, field;
};

// Looks one address up and appends its result line to `out`.
void lookupOne(Worker& w, int options, const std::string& address, std::string& out) {
    KesZipAnswer answer{};
    if (!w.io.toEngine(address, w.sjis)) {
        // A text without a Shift-JIS form cannot name any place.
        std::strcpy(answer.code7, "ERR-003");
        std::strcpy(answer.jisCode, "00000");
    } else {
        KesZipLookup(w.handle.get(), w.sjis.c_str(), options, &answer);
    }
    out += std::to_string(answer.flags);
    for (const char* text : {answer.code7, answer.oldCode, answer.addressNumber, answer.jisCode}) {
        out += '\t';
        w.io.fromEngine(text, w.field);
        out += w.field;
    }
    out += '\n';
}

struct Batch {
    std::vector<std::string> lines;
    std::string out;
};

// Reads up to kBatchLines lines of standard input, line ends removed.
bool readBatch(Batch& batch) {
    static char* line = nullptr;
    static std::size_t capacity = 0;
    ssize_t length;
    while (batch.lines.size() < kBatchLines && (length = getline(&line, &capacity, stdin)) >= 0) {
        while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) --length;
        batch.lines.emplace_back(line, static_cast<std::size_t>(length));
    }
    return !batch.lines.empty();
}

}  // namespace

int runLookup(bool sjis, bool hyphen, unsigned threads, const std::vector<std::string>& addresses) {
    if (threads == 0) {
        threads = addresses.empty() && !platform::stdinIsTerminal()
                      ? std::max(1u, std::thread::hardware_concurrency())
                      : 1;
    }
    // Every engine shares the dictionary of the first.
    std::vector<std::unique_ptr<Worker>> workers;
    for (unsigned i = 0; i < threads; ++i) {
        int error = 0;
        Handle handle(KesZipCreate(nullptr, &error));
        if (!handle) {
            std::fprintf(stderr,
                         "keszip: the dictionary KESZIP.DIC could not be opened (error %d)\n",
                         error);
            return 1;
        }
        workers.push_back(std::make_unique<Worker>(sjis, std::move(handle)));
    }
    const int options = hyphen ? KESZIP_HYPHEN : 0;
    if (!addresses.empty()) {
        std::string out;
        for (const auto& address : addresses) lookupOne(*workers[0], options, address, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }
    static char inBuffer[1 << 16], outBuffer[1 << 16];
    std::setvbuf(stdin, inBuffer, _IOFBF, sizeof inBuffer);
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    platform::runOrderedBatches<Batch>(
        threads, readBatch,
        [&](unsigned worker, Batch& batch) {
            for (const auto& address : batch.lines)
                lookupOne(*workers[worker], options, address, batch.out);
        },
        [](Batch& batch) {
            std::fwrite(batch.out.data(), 1, batch.out.size(), stdout);
            return true;
        });
    std::fflush(stdout);
    return 0;
}

}  // namespace cli
