#include "office_writer.h"

#include <cstring>

#include "build_error.h"
#include "layout/dic_format.h"
#include "layout/office_format.h"
#include "output_files.h"
#include "zip_source.h"

namespace mkdic {
namespace {

namespace dic = keszip::dic;

void appendOffice(std::string& out, const OfficeRow& row) {
    unsigned char head[dic::kOfficeHead] = {};
    dic::putWord(head, static_cast<std::uint16_t>(row.localCode));
    dic::putDword(head + 2, row.oldCode);
    dic::putDword(head + 6, row.code7);
    head[10] = static_cast<unsigned char>(row.reading.size());
    head[11] = static_cast<unsigned char>(row.name.size());
    head[14] = static_cast<unsigned char>(row.town.size());
    head[15] = static_cast<unsigned char>(row.rest.size());
    out.append(reinterpret_cast<const char*>(head), sizeof head);
    out += row.reading;
    out += row.name;
    out += row.town;
    out += row.rest;
}

}  // namespace

std::string writeOfficeDictionary(const std::vector<OfficeRow>& rows, const DictionaryInfo& info) {
    std::string table;
    for (const OfficeRow& row : rows) appendOffice(table, row);
    std::string out(dic::kOfficeHeaderSize + dic::kInfoBlockSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(out.data());
    std::memcpy(h, dic::kOfficeSignature, sizeof dic::kOfficeSignature);
    dic::putWord(h + dic::kOfficeEdition, info.edition);
    dic::putWord(h + dic::kOfficeInfoFlag, 1);
    dic::putDword(h + dic::kOfficeCount, static_cast<std::uint32_t>(rows.size()));
    dic::putDword(h + dic::kOfficeBytes, static_cast<std::uint32_t>(table.size()));
    writeInfoBlock(h + dic::kOfficeHeaderSize, info);
    out += table;
    return out;
}

OfficeSummary buildOfficeFile(const std::string& jigyosyoPath, const std::string& outDir,
                              DictionaryInfo info) {
    SourceFile source = readSourceFile(jigyosyoPath, "JIGYOSYO.CSV");
    std::vector<OfficeRow> rows = parseJigyosyo(source.bytes);
    info.description = "JIGYOSYO.CSV " + std::to_string(rows.size()) + " rows";
    std::string bytes = writeOfficeDictionary(rows, info);
    writeFileAtomically(outDir + "/KESCMP.DIC", bytes);
    return {rows.size(), bytes.size()};
}

}  // namespace mkdic
