#include "lookup_output.h"

#include <cstdio>

#include "code_search.h"
#include "code_text.h"
#include "hyphen.h"
#include "lookup.h"
#include "search_output.h"
#include "shift_jis_text.h"

namespace keszip {
namespace {

void clearText(char* buffer) {
    if (buffer) buffer[0] = '\0';
}

}  // namespace

int lookupCodes(ZipEngine& engine, const char* address, bool hyphen, const CodeOutputs& out) {
    for (char* text : {out.oldCode, out.code7, out.addressNumber, out.jisCode}) clearText(text);
    // The lookup writes into private buffers with room for anything it
    // writes; the caller's receive at most what leaves room for the hyphen,
    // so that they never take more than their documented sizes.
    char code7[16] = {};
    char oldCode[16] = {};
    char number[16] = {};
    // When the dictionary cannot be opened the lookup writes "ERR-001".
    if (!engine.isOpen()) engine.open();
    const int flags = lookupAddress(engine, address ? address : "",
                                    {code7, out.oldCode ? oldCode : nullptr, number});
    copyText(out.code7, KESZIP_CODE7_SIZE - 1, code7);
    copyText(out.oldCode, KESZIP_OLD_CODE_SIZE - 1, oldCode);
    if (out.jisCode) writeJisCode(engine, out.jisCode);
    if (out.addressNumber && flags != 0 && number[0] != '\0')
        copyText(out.addressNumber, KESZIP_ADDRESS_NUMBER_SIZE, number);
    if (hyphen) {
        insertOldCodeHyphen(out.oldCode);
        insertCode7Hyphen(out.code7);
    }
    return flags;
}

int writeJisCode(const ZipEngine& engine, char* out) {
    int code = engine.currentJisCode;
    if (code < 0 || code > 99999) code = 0;
    writeZeroPadded(out, static_cast<unsigned>(code), 5);
    return 5;
}

int searchCodeAddress(ZipEngine& engine, bool first, const char* code, bool hyphen,
                      const AddressOutputs& out) {
    for (char* text :
         {out.oldCode, out.code7, out.prefecture, out.city, out.ward, out.town, out.townNote})
        clearText(text);
    if (!engine.isOpen() && !engine.open()) return 0;
    TownCandidate found;
    AddressParts parts;
    const int flags = nextCodeAddress(engine, first, code ? code : "", found, parts);
    if (flags != 0) {
        writeCodes(found.oldCode, found.code7, out.oldCode, out.code7);
        writeAddressParts(parts, out.prefecture, out.city, out.ward, out.town, out.townNote);
    }
    if (hyphen) {
        insertOldCodeHyphen(out.oldCode);
        insertCode7Hyphen(out.code7);
    }
    return flags;
}

}  // namespace keszip
