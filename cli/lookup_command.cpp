#include "lookup_command.h"

#include <cstdio>
#include <cstring>

#include "keszip.h"

namespace cli {
namespace {

// Looks one address up and appends its result line to `out`.
void lookupOne(TextIo& io, const std::string& address, std::string& sjis, std::string& field,
               std::string& out) {
    char oldCode[8] = {}, code7[12] = {}, number[16] = {}, jis[8] = {};
    int flags = 0;
    if (!io.toEngine(address, sjis)) {
        // A text without a Shift-JIS form cannot name any place.
        std::strcpy(code7, "ERR-003");
    } else {
        flags = zelko57(sjis.c_str(), oldCode, code7, number);
    }
    if (flags != 0) {
        GetJisCodeNow(jis);
    } else {
        // Not placed: the engine may have left a refused candidate's old code
        // behind, and its local-government code is an earlier line's.
        oldCode[0] = number[0] = '\0';
    }
    out += std::to_string(flags);
    for (const char* text : {static_cast<const char*>(code7), static_cast<const char*>(oldCode),
                             static_cast<const char*>(number), static_cast<const char*>(jis)}) {
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
        for (const auto& address : addresses) lookupOne(io, address, sjis, field, out);
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
    while ((length = getline(&line, &capacity, stdin)) >= 0) {
        while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) --length;
        address.assign(line, static_cast<std::size_t>(length));
        out.clear();
        lookupOne(io, address, sjis, field, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    std::free(line);
    std::fflush(stdout);
    return 0;
}

}  // namespace cli
