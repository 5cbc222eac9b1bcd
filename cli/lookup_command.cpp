#include "lookup_command.h"

#include <cstdio>
#include <cstring>

#include "keszip.h"

namespace cli {
namespace {

// Looks one address up and appends its result line to `out`. A text that
// cannot be what the user meant is named on standard error by `where`
// ("line", "argument") and `number`, and still gets its line.
void lookupOne(TextIo& io, const std::string& address, const char* where, std::size_t number,
               std::string& sjis, std::string& field, std::string& out) {
    char oldCode[8] = {}, code7[12] = {}, addressNumber[16] = {}, jis[8] = {};
    int flags = 0;
    if (const char* why = io.toEngineOrWhy(address, sjis)) {
        std::fflush(stdout);  // keeps the diagnostic beside its line on a shared terminal
        std::fprintf(stderr, "keszip: %s %zu has %s; it is not looked up\n", where, number, why);
        std::strcpy(code7, "ERR-003");
    } else {
        flags = zelko57(sjis.c_str(), oldCode, code7, addressNumber);
    }
    if (flags != 0) {
        GetJisCodeNow(jis);
    } else {
        // Not placed: the engine may have left a refused candidate's old code
        // behind, and its local-government code is an earlier line's.
        oldCode[0] = addressNumber[0] = '\0';
    }
    out += std::to_string(flags);
    for (const char* text :
         {static_cast<const char*>(code7), static_cast<const char*>(oldCode),
          static_cast<const char*>(addressNumber), static_cast<const char*>(jis)}) {
        out += '\t';
        io.fromEngine(text, field);
        out += field;
    }
    out += '\n';
}

}  // namespace

int runLookup(TextIo& io, bool hyphen, const std::vector<std::string>& addresses) {
    SetHyphenMode(hyphen ? 1 : 0);
    if (!KesZipOpen()) {
        std::fprintf(stderr, "keszip: the dictionary KESZIP.DIC could not be opened (error %d)\n",
                     GetZe7Err());
        return 1;
    }
    std::string sjis, field, out;
    if (!addresses.empty()) {
        std::size_t n = 0;
        for (const auto& address : addresses)
            lookupOne(io, address, "argument", ++n, sjis, field, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }
    // Streams: one line in, one line out, with memory bounded by the longest line.
    static char inBuffer[1 << 16], outBuffer[1 << 16];
    std::setvbuf(stdin, inBuffer, _IOFBF, sizeof inBuffer);
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    char* line = nullptr;
    std::size_t capacity = 0;
    ssize_t length;
    std::string address;
    std::size_t lineNumber = 0;
    while ((length = getline(&line, &capacity, stdin)) >= 0) {
        ++lineNumber;
        while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) --length;
        address.assign(line, static_cast<std::size_t>(length));
        out.clear();
        lookupOne(io, address, "line", lineNumber, sjis, field, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    std::free(line);
    std::fflush(stdout);
    return 0;
}

}  // namespace cli
