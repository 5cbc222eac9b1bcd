#include "xlsx_copy.h"

#include <expat.h>
#include <platform/files.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <list>
#include <memory>
#include <random>
#include <system_error>

#include "platform/file_identity.h"
#include "xlsx_calc_parts.h"
#include "xlsx_cell_reference.h"
#include "xlsx_package.h"

namespace workbooks {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void removeQuietly(const std::string& path) {
    if (path.empty()) return;
    std::error_code error;
    std::filesystem::remove(platform::fsPath(path), error);
}

constexpr std::uint64_t kSmallPartLimit = 64u << 20;

// Replaces entry `name` of the archive by `text`, kept alive in `kept` until
// the archive is closed; true when there is no such entry.
bool replaceEntry(zip_t* archive, const std::string& name, std::string text,
                  std::list<std::string>& kept) {
    const zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
    if (index < 0) return true;
    kept.push_back(std::move(text));
    zip_source_t* source = zip_source_buffer(archive, kept.back().data(), kept.back().size(), 0);
    if (!source) return false;
    if (zip_file_replace(archive, static_cast<zip_uint64_t>(index), source, 0) < 0) {
        zip_source_free(source);
        return false;
    }
    return true;
}

// Asks for a full calculation on opening and leaves out the calculation
// chain (see xlsx_calc_parts.h). Parts that are not well-formed are left as
// they are. False when an entry cannot be replaced.
bool markForRecalculation(zip_t* archive, const std::string& source,
                          const std::string& workbookPart, std::list<std::string>& kept) {
    XlsxPackage package;
    if (!package.open(source)) return false;
    std::string text;
    if (package.readEntry(workbookPart, text, kSmallPartLimit)) {
        if (auto edited = withFullCalcOnLoad(text))
            if (!replaceEntry(archive, workbookPart, std::move(*edited), kept)) return false;
    }
    const std::string rels = relationshipsPartOf(workbookPart);
    std::vector<std::string> chains;
    if (!package.readEntry(rels, text, kSmallPartLimit)) return true;
    auto edited = withoutRelationships(text, "calcChain", chains);
    if (!edited || chains.empty()) return true;
    if (!replaceEntry(archive, rels, std::move(*edited), kept)) return false;
    const std::string types = "[Content_Types].xml";
    std::string typesText;
    const bool haveTypes = package.readEntry(types, typesText, kSmallPartLimit);
    for (const std::string& target : chains) {
        const std::string part = resolvePartTarget(workbookPart, target);
        const zip_int64_t index = zip_name_locate(archive, part.c_str(), 0);
        if (index >= 0 && zip_delete(archive, static_cast<zip_uint64_t>(index)) < 0) return false;
        if (haveTypes)
            if (auto without = withoutOverride(typesText, "/" + part)) typesText = *without;
    }
    return !haveTypes || replaceEntry(archive, types, std::move(typesText), kept);
}

}  // namespace

std::string createTemporaryBeside(const std::string& path) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x~", static_cast<unsigned>(random()));
        std::string candidate = path + suffix;
        // "x": fails when the name exists, so no other file is ever overwritten.
        std::unique_ptr<std::FILE, FileCloser> file(platform::openFile(candidate, "wbx"));
        if (file) return candidate;
        if (errno != EEXIST) break;
    }
    return {};
}

XlsxCopy::~XlsxCopy() {
    if (open_) discard();
}

int XlsxCopy::open(const std::string& destination, const std::string& source) {
    if (open_) return kXlsxCreateFailed;
    if (!reader_.open(source)) return kXlsxSourceFailed;
    // A read-only destination is refused, as for every other kind of output;
    // so is a folder or a device, which the finished copy would replace.
    const platform::PathKind kind = platform::pathKind(destination);
    if (kind == platform::PathKind::Directory || kind == platform::PathKind::Other ||
        platform::isReadOnlyFile(destination)) {
        reader_.close();
        return kXlsxCreateFailed;
    }
    temporary_ = createTemporaryBeside(destination);
    if (temporary_.empty()) {
        reader_.close();
        return kXlsxCreateFailed;
    }
    destination_ = destination;
    source_ = source;
    sheet_ = 0;
    cells_.clear();
    blocks_.clear();
    blocksOf_ = -1;
    open_ = true;
    return kXlsxOk;
}

int XlsxCopy::selectSheet(int index) {
    if (!open_) return kXlsxNoWorkbook;
    if (index < 0 || static_cast<std::size_t>(index) >= reader_.sheets().size())
        return kXlsxBadSheet;
    sheet_ = index;
    return kXlsxOk;
}

int XlsxCopy::putText(std::uint32_t column, std::uint32_t row, std::string_view text) {
    if (!open_) return kXlsxNoWorkbook;
    if (column >= kXlsxMaxColumns || row >= kXlsxMaxRows) return kXlsxBadCell;
    if (!reader_.sheets()[static_cast<std::size_t>(sheet_)].worksheet) return kXlsxBadSheet;
    if (blocksOf_ != sheet_ && !scanFormulaBlocks()) return kXlsxSourceFailed;
    for (const Block& b : blocks_)
        if (b.firstRow <= row && row <= b.lastRow && b.firstColumn <= column &&
            column <= b.lastColumn)
            return kXlsxCellInFormulaBlock;
    cells_[{row, column}] = std::string(text);
    return kXlsxOk;
}

namespace {

struct BlockScan {
    std::vector<std::pair<CellReference, CellReference>> ranges;
};

void XMLCALL blockStart(void* data, const char* name, const char** attributes) {
    if (localName(name) != "f") return;
    const char* type = findAttribute(attributes, "t");
    const char* ref = findAttribute(attributes, "ref");
    if (!type || !ref) return;
    const std::string_view kind(type);
    if (kind != "array" && kind != "dataTable") return;
    const std::string text(ref);
    const std::size_t colon = text.find(':');
    CellReference first, last;
    if (!parseCellReference(text.substr(0, colon).c_str(), first)) return;
    if (colon == std::string::npos)
        last = first;
    else if (!parseCellReference(text.substr(colon + 1).c_str(), last))
        return;
    static_cast<BlockScan*>(data)->ranges.emplace_back(first, last);
}

}  // namespace

bool XlsxCopy::scanFormulaBlocks() {
    blocks_.clear();
    const XlsxSheet& sheet = reader_.sheets()[static_cast<std::size_t>(sheet_)];
    XlsxPackage package;
    if (!package.open(source_)) return false;
    // Most sheets have neither: a search of the bytes passes them over
    // without parsing them.
    bool mentioned = false;
    std::string edge;  // the end of the previous piece, for words split between pieces
    if (!package.streamEntry(sheet.part, [&](const char* data, std::size_t size) {
            if (mentioned) return true;
            std::string_view piece(data, size);
            const std::string joined = edge + std::string(piece.substr(0, 16));
            for (std::string_view word : {"array", "dataTable"})
                if (piece.find(word) != std::string_view::npos ||
                    joined.find(word) != std::string::npos)
                    mentioned = true;
            edge.assign(piece.substr(piece.size() > 16 ? piece.size() - 16 : 0));
            return true;
        }))
        return false;
    if (mentioned) {
        BlockScan scan;
        std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr),
                                                                       XML_ParserFree);
        if (!parser) return false;
        XML_SetUserData(parser.get(), &scan);
        XML_SetElementHandler(parser.get(), blockStart, nullptr);
        if (!package.streamEntry(sheet.part,
                                 [&](const char* data, std::size_t size) {
                                     return XML_Parse(parser.get(), data, static_cast<int>(size),
                                                      0) == XML_STATUS_OK;
                                 }) ||
            XML_Parse(parser.get(), "", 0, 1) != XML_STATUS_OK)
            return false;
        for (const auto& [first, last] : scan.ranges)
            blocks_.push_back({static_cast<std::uint32_t>(std::min(first.row, last.row)),
                               static_cast<std::uint32_t>(std::max(first.row, last.row)),
                               static_cast<std::uint32_t>(std::min(first.column, last.column)),
                               static_cast<std::uint32_t>(std::max(first.column, last.column))});
    }
    blocksOf_ = sheet_;
    return true;
}

int XlsxCopy::save() {
    if (!open_) return kXlsxNoWorkbook;
    std::error_code error;
    bool ok = !platform::copyFileOver(source_, temporary_);
    if (ok && !cells_.empty()) {
        const XlsxSheet& sheet = reader_.sheets()[static_cast<std::size_t>(sheet_)];
        sheetTemporary_ = createTemporaryBeside(destination_);
        std::unique_ptr<std::FILE, FileCloser> out(
            sheetTemporary_.empty() ? nullptr : platform::openFile(sheetTemporary_, "wb"));
        ok = out != nullptr;
        if (ok) {
            XlsxPackage package;
            SheetRewriter rewriter(cells_, out.get());
            ok = package.open(source_) &&
                 package.streamEntry(sheet.part,
                                     [&](const char* data, std::size_t size) {
                                         return rewriter.feed(data, size, false);
                                     }) &&
                 rewriter.feed("", 0, true);
            ok = (std::fclose(out.release()) == 0) && ok;
        }
        // The replaced parts' texts, until the archive closes (a list: they never move).
        std::list<std::string> keptParts;
        if (ok) {
            int zipError = 0;
            zip_t* archive = zip_open(temporary_.c_str(), 0, &zipError);
            zip_int64_t index =
                archive ? zip_name_locate(archive, sheet.part.c_str(), 0) : zip_int64_t(-1);
            // The sheet's entry is deleted and added anew: replacing it in
            // place keeps the library's strongest deflate level, which cost
            // as much as all the lookups of a run; the fastest level is set
            // on the new entry.
            zip_source_t* replacement =
                index >= 0 ? zip_source_file(archive, sheetTemporary_.c_str(), 0, -1) : nullptr;
            zip_int64_t added = -1;
            ok = replacement != nullptr &&
                 zip_delete(archive, static_cast<zip_uint64_t>(index)) == 0 &&
                 (added = zip_file_add(archive, sheet.part.c_str(), replacement, 0)) >= 0;
            if (!ok && replacement) zip_source_free(replacement);
            if (ok)
                zip_set_file_compression(archive, static_cast<zip_uint64_t>(added), ZIP_CM_DEFLATE,
                                         1);
            if (ok) ok = markForRecalculation(archive, source_, reader_.workbookPart(), keptParts);
            if (archive) {
                if (ok) ok = zip_close(archive) == 0;
                // A failed close leaves the archive open: it is discarded too.
                if (!ok) zip_discard(archive);
            }
        }
    }
    if (ok) {
        std::filesystem::rename(platform::fsPath(temporary_), platform::fsPath(destination_),
                                error);
        ok = !error;
    }
    removeQuietly(sheetTemporary_);
    sheetTemporary_.clear();
    if (!ok) {
        removeQuietly(temporary_);
        temporary_.clear();
    }
    temporary_.clear();
    reader_.close();
    cells_.clear();
    open_ = false;
    return ok ? kXlsxOk : kXlsxSaveFailed;
}

int XlsxCopy::discard() {
    if (!open_) return kXlsxNoWorkbook;
    removeQuietly(sheetTemporary_);
    removeQuietly(temporary_);
    sheetTemporary_.clear();
    temporary_.clear();
    reader_.close();
    cells_.clear();
    open_ = false;
    return kXlsxOk;
}

}  // namespace workbooks
