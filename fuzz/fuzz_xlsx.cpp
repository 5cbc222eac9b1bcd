// The .xlsx reader and copy writer on damaged packages. The first byte picks
// the form: 0 takes the rest as a whole zip file; otherwise the rest, split at
// its first NUL, becomes the sheet part and the shared-string table of an
// otherwise sound package, so the mutations reach the XML parsing.
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "workbooks/xlsx/xlsx_calc_parts.h"
#include "workbooks/xlsx/xlsx_copy.h"
#include "workbooks/xlsx/xlsx_reader.h"

namespace {

const char* kWorkbook =
    "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/>"
    "<sheet name=\"T\" sheetId=\"2\" r:id=\"rId3\"/></sheets></workbook>";
const char* kRelationships =
    "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"x/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/><Relationship Id=\"rId3\" Type=\"x/worksheet\" "
    "Target=\"../xl/worksheets/sheet1.xml\"/></Relationships>";

void add(zip_t* archive, const char* name, const std::string& text) {
    zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
    if (source && zip_file_add(archive, name, source, ZIP_FL_OVERWRITE) < 0)
        zip_source_free(source);
}

void writePackage(const std::string& path, const std::string& sheet, const std::string& shared) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return;
    std::string workbook = kWorkbook, relationships = kRelationships;
    add(archive, "xl/workbook.xml", workbook);
    add(archive, "xl/_rels/workbook.xml.rels", relationships);
    add(archive, "xl/worksheets/sheet1.xml", sheet);
    add(archive, "xl/sharedStrings.xml", shared);
    if (zip_close(archive) != 0) zip_discard(archive);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const std::string dir = [] {
        char folder[] = "/tmp/fuzz-xlsx-XXXXXX";
        return std::string(mkdtemp(folder));
    }();
    std::string source = dir + "/source.xlsx";
    std::string destination = dir + "/copy.xlsx";
    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] == 0) {
        std::FILE* file = std::fopen(source.c_str(), "wb");
        if (!file) return 0;
        std::fwrite(rest.data(), 1, rest.size(), file);
        std::fclose(file);
    } else {
        std::size_t split = rest.find('\0');
        writePackage(source, rest.substr(0, split),
                     split == std::string::npos ? std::string() : rest.substr(split + 1));
    }

    // The edits of the copy's calculation parts, on the raw text.
    std::vector<std::string> targets;
    workbooks::withFullCalcOnLoad(rest);
    workbooks::withoutRelationships(rest, "calcChain", targets);
    workbooks::withoutOverride(rest, "/xl/calcChain.xml");

    workbooks::XlsxReader reader;
    if (reader.open(source)) {
        for (std::size_t i = 0; i < reader.sheets().size(); ++i) {
            reader.sheetHasCells(i);
            reader.selectSheet(i);
            workbooks::XlsxCell cell;
            for (int n = 0; n < 100000 && reader.nextCell(cell) == 1; ++n) {
            }
        }
    }
    workbooks::XlsxCopy copy;
    if (copy.open(destination, source) == workbooks::kXlsxOk) {
        copy.putText(2, 0, "1000013");
        copy.putText(0, 3, "100  ");
        copy.putText(5, 70000, "x");
        // Shared formulas' masters and array formulas' cells of the corpus.
        copy.putText(5, 2, "x");
        copy.putText(6, 2, "x");
        copy.putText(8, 3, "x");
        copy.putText(0, 0, "x");
        copy.putText(2, 1, "x");
        if (copy.save() != workbooks::kXlsxOk && std::filesystem::exists(destination))
            __builtin_trap();
    }
    std::filesystem::remove(destination);
    // No temporary may be left beside the destination.
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().filename() != "source.xlsx") __builtin_trap();
    return 0;
}
