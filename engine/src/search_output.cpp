#include "search_output.h"

#include <cstdio>
#include <cstring>

#include "shift_jis_text.h"

namespace keszip {

void copyWhole(char* out, std::size_t size, std::string_view text) {
    if (!out || size == 0) return;
    std::size_t n = 0;
    while (n < text.size()) {
        std::size_t step = isLeadByte(static_cast<unsigned char>(text[n])) ? 2 : 1;
        if (n + step > text.size() || n + step > size - 1) break;
        n += step;
    }
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

void writeAddressParts(const AddressParts& parts, char* prefecture, char* city, char* ward,
                       char* town, char* note) {
    copyWhole(prefecture, kNameBufferSize, parts.prefecture);
    copyWhole(city, kNameBufferSize, parts.city);
    copyWhole(ward, kNameBufferSize, parts.ward);
    copyWhole(town, kTownBufferSize, parts.town);
    copyWhole(note, kNoteBufferSize, parts.note);
}

void writeCodes(std::uint32_t oldCode, std::uint32_t code7, char* oldOut, char* code7Out) {
    if (oldOut)
        std::snprintf(oldOut, KESZIP_OLD_CODE_SIZE, "%05u",
                      static_cast<unsigned>(oldCode % 100000));
    if (code7Out)
        std::snprintf(code7Out, KESZIP_CODE7_SIZE, "%07u", static_cast<unsigned>(code7 % 10000000));
}

}  // namespace keszip

#include "office_search.h"

namespace keszip {

void writeOffice(const ZipEngine& engine, const OfficeRecord& office, const OfficeOutputs& out) {
    AddressParts parts;
    jisCodeNames(engine, office.jisCode, parts);
    writeCodes(office.oldCode, office.code7, out.oldCode, out.code7);
    if (out.jisCode)
        std::snprintf(out.jisCode, KESZIP_JIS_CODE_SIZE, "%05u",
                      static_cast<unsigned>(office.jisCode));
    writeAddressParts(parts, out.prefecture, out.city, out.ward, nullptr, nullptr);
    copyWhole(out.town, kTownBufferSize, office.town);
    copyWhole(out.remark, KESZIP_REMARK_SIZE, office.remark);
    copyWhole(out.name, KESZIP_OFFICE_NAME_SIZE, office.name);
}

}  // namespace keszip
