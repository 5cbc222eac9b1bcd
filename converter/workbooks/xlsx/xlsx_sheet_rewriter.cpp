#include "xlsx_sheet_rewriter.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "xlsx_cell_reference.h"
#include "xlsx_formula_shift.h"
#include "xlsx_package.h"

namespace workbooks {

struct SheetRewriterEvents {
    static void XMLCALL start(void* data, const char* name, const char** attributes);
    static void XMLCALL end(void* data, const char* name);
    static void XMLCALL text(void* data, const char* text, int length);
};

namespace {

std::string prefixOf(const char* qualifiedName) {
    std::string_view name(qualifiedName);
    std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

bool isSelfClosing(const std::string& tag) {
    return tag.size() >= 2 && tag.compare(tag.size() - 2, 2, "/>") == 0;
}

// "<x:row r="3"/>" → "<x:row r="3">".
std::string openedTag(const std::string& tag) {
    std::string opened = tag.substr(0, tag.size() - 2);
    while (!opened.empty() && (opened.back() == ' ' || opened.back() == '\t' ||
                               opened.back() == '\n' || opened.back() == '\r'))
        opened.pop_back();
    return opened + ">";
}

// The union of a dimension reference ("A1:C10" or "A1") and the cells put.
std::string widenedDimension(const char* reference, const XlsxCellTexts& cells) {
    std::uint32_t firstRow = UINT32_MAX, lastRow = 0, firstColumn = UINT32_MAX, lastColumn = 0;
    auto include = [&](std::uint32_t row, std::uint32_t column) {
        firstRow = std::min(firstRow, row);
        lastRow = std::max(lastRow, row);
        firstColumn = std::min(firstColumn, column);
        lastColumn = std::max(lastColumn, column);
    };
    if (reference) {
        std::string text(reference);
        std::size_t colon = text.find(':');
        std::string first = text.substr(0, colon);
        std::string last = colon == std::string::npos ? first : text.substr(colon + 1);
        CellReference a, b;
        if (parseCellReference(first.c_str(), a) && parseCellReference(last.c_str(), b)) {
            include(static_cast<std::uint32_t>(a.row), static_cast<std::uint32_t>(a.column));
            include(static_cast<std::uint32_t>(b.row), static_cast<std::uint32_t>(b.column));
        }
    }
    for (const auto& [position, text] : cells) include(position.first, position.second);
    return cellName(firstColumn, firstRow) + ":" + cellName(lastColumn, lastRow);
}

}  // namespace

std::string escapeXmlText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else if (u < 0x20 && c != '\t' && c != '\n' && c != '\r')
            continue;
        else
            escaped += c;
    }
    return escaped;
}

SheetRewriter::SheetRewriter(const XlsxCellTexts& cells, std::FILE* out)
    : cells_(cells), next_(cells.begin()), out_(out), parser_(XML_ParserCreate(nullptr)) {
    if (!parser_) {
        failed_ = true;
        return;
    }
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, SheetRewriterEvents::start, SheetRewriterEvents::end);
}

SheetRewriter::~SheetRewriter() {
    if (parser_) XML_ParserFree(parser_);
}

bool SheetRewriter::feed(const char* data, std::size_t size, bool last) {
    if (failed_) return false;
    pending_.erase(0, pendingOffset_);
    pendingOffset_ = 0;
    pending_.append(data, size);
    if (XML_Parse(parser_, data, static_cast<int>(size), last) != XML_STATUS_OK) failed_ = true;
    if (last && !failed_) {
        if (next_ != cells_.end()) failed_ = true;  // the sheet had no sheetData
        copyTo(pendingStart_ + static_cast<long long>(pending_.size() - pendingOffset_));
    }
    return !failed_;
}

void SheetRewriter::write(const std::string& text) {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), out_) != text.size())
        failed_ = true;
}

void SheetRewriter::copyTo(long long position) {
    if (position <= pendingStart_) return;
    std::size_t count = static_cast<std::size_t>(position - pendingStart_);
    std::size_t available = pending_.size() - pendingOffset_;
    if (count > available) count = available;
    if (!skipping_ && count > 0 &&
        std::fwrite(pending_.data() + pendingOffset_, 1, count, out_) != count)
        failed_ = true;
    pendingOffset_ += count;
    pendingStart_ += static_cast<long long>(count);
}

void SheetRewriter::dropTo(long long position) {
    bool wasSkipping = skipping_;
    skipping_ = true;
    copyTo(position);
    skipping_ = wasSkipping;
}

std::string SheetRewriter::sourceText(long long position, int count) const {
    if (position < pendingStart_) return {};
    std::size_t offset = pendingOffset_ + static_cast<std::size_t>(position - pendingStart_);
    if (offset >= pending_.size()) return {};
    return pending_.substr(offset, static_cast<std::size_t>(count));
}

void SheetRewriter::writeCell(std::uint32_t row, std::uint32_t column, const std::string& style,
                              const std::string& text) {
    std::string cell = "<" + prefix_ + "c r=\"" + cellName(column, row) + "\"";
    if (!style.empty()) cell += " s=\"" + escapeXmlText(style) + "\"";
    cell += " t=\"inlineStr\"><" + prefix_ + "is><" + prefix_ + "t xml:space=\"preserve\">" +
            escapeXmlText(text) + "</" + prefix_ + "t></" + prefix_ + "is></" + prefix_ + "c>";
    write(cell);
}

void SheetRewriter::writeRowsBefore(std::int64_t row) {
    while (next_ != cells_.end() && static_cast<std::int64_t>(next_->first.first) < row) {
        std::uint32_t current = next_->first.first;
        write("<" + prefix_ + "row r=\"" + std::to_string(current + 1) + "\">");
        for (; next_ != cells_.end() && next_->first.first == current; ++next_)
            writeCell(current, next_->first.second, {}, next_->second);
        write("</" + prefix_ + "row>");
    }
}

void SheetRewriter::writeCellsOfRowBefore(std::int64_t row, std::int64_t column) {
    for (; next_ != cells_.end() && static_cast<std::int64_t>(next_->first.first) == row &&
           static_cast<std::int64_t>(next_->first.second) < column;
         ++next_)
        writeCell(next_->first.first, next_->first.second, {}, next_->second);
}

void XMLCALL SheetRewriterEvents::start(void* data, const char* name, const char** attributes) {
    auto& self = *static_cast<SheetRewriter*>(data);
    long long position = XML_GetCurrentByteIndex(self.parser_);
    int count = XML_GetCurrentByteCount(self.parser_);
    self.copyTo(position);
    std::string_view local = localName(name);
    if (local == "dimension" && self.sheetDataDepth_ == 0) {
        if (self.cells_.empty()) return;
        std::string tag = self.sourceText(position, count);
        if (!isSelfClosing(tag)) return;
        self.write("<" + prefixOf(name) + "dimension ref=\"" +
                   widenedDimension(findAttribute(attributes, "ref"), self.cells_) + "\"/>");
        self.dropTo(position + count);
        return;
    }
    if (local == "sheetData") {
        ++self.sheetDataDepth_;
        self.prefix_ = prefixOf(name);
        std::string tag = self.sourceText(position, count);
        if (isSelfClosing(tag)) {
            self.write(openedTag(tag));
            self.writeRowsBefore(INT64_MAX);
            self.write("</" + self.prefix_ + "sheetData>");
            self.dropTo(position + count);
        }
        return;
    }
    if (self.sheetDataDepth_ == 0) return;
    if (self.skippingCell_) {
        // A replaced cell's formula: a shared formula's master is kept for
        // the cells that use it.
        const char* type = findAttribute(attributes, "t");
        const char* index = findAttribute(attributes, "si");
        if (local == "f" && type && std::string_view(type) == "shared" && index &&
            findAttribute(attributes, "ref")) {
            self.capturing_ = true;
            self.capturedIndex_ = index;
            self.captured_.clear();
            XML_SetCharacterDataHandler(self.parser_, SheetRewriterEvents::text);
        }
        return;
    }
    if (local == "f" && !self.dissolved_.empty()) {
        const char* type = findAttribute(attributes, "t");
        const char* index = findAttribute(attributes, "si");
        auto master = index && type && std::string_view(type) == "shared"
                          ? self.dissolved_.find(index)
                          : self.dissolved_.end();
        if (master == self.dissolved_.end() || findAttribute(attributes, "ref")) return;
        // A cell that used a replaced master: its formula is written out.
        const std::string prefix = prefixOf(name);
        self.write("<" + prefix + "f>" +
                   escapeXmlText(shiftFormula(master->second.text, self.row_ - master->second.row,
                                              self.column_ - master->second.column)) +
                   "</" + prefix + "f>");
        if (isSelfClosing(self.sourceText(position, count))) {
            self.dropTo(position + count);
        } else {
            self.skipping_ = true;
            self.skippingFormula_ = true;
        }
        return;
    }
    if (local == "row") {
        const char* r = findAttribute(attributes, "r");
        std::int64_t number = 0;
        self.row_ = r && parseRowNumber(r, number) ? number - 1 : self.row_ + 1;
        self.column_ = -1;
        self.writeRowsBefore(self.row_);
        self.rowWritten_ = false;
        std::string tag = self.sourceText(position, count);
        bool target = self.next_ != self.cells_.end() &&
                      static_cast<std::int64_t>(self.next_->first.first) == self.row_;
        if (target && isSelfClosing(tag)) {
            self.write(openedTag(tag));
            self.writeCellsOfRowBefore(self.row_, INT64_MAX);
            self.write("</" + self.prefix_ + "row>");
            self.dropTo(position + count);
            self.rowWritten_ = true;
        }
        return;
    }
    if (local == "c" && !self.skippingCell_) {
        const char* r = findAttribute(attributes, "r");
        CellReference reference;
        if (r && parseCellReference(r, reference)) {
            self.column_ = reference.column;
        } else {
            ++self.column_;
        }
        self.writeCellsOfRowBefore(self.row_, self.column_);
        if (self.next_ == self.cells_.end() ||
            static_cast<std::int64_t>(self.next_->first.first) != self.row_ ||
            static_cast<std::int64_t>(self.next_->first.second) != self.column_)
            return;
        // This cell is replaced; its style stays.
        const char* style = findAttribute(attributes, "s");
        self.writeCell(self.next_->first.first, self.next_->first.second, style ? style : "",
                       self.next_->second);
        ++self.next_;
        std::string tag = self.sourceText(position, count);
        if (isSelfClosing(tag)) {
            self.dropTo(position + count);
        } else {
            self.skipping_ = true;
            self.skippingCell_ = true;
        }
    }
}

void XMLCALL SheetRewriterEvents::text(void* data, const char* text, int length) {
    auto& self = *static_cast<SheetRewriter*>(data);
    if (self.capturing_) self.captured_.append(text, static_cast<std::size_t>(length));
}

void XMLCALL SheetRewriterEvents::end(void* data, const char* name) {
    auto& self = *static_cast<SheetRewriter*>(data);
    long long position = XML_GetCurrentByteIndex(self.parser_);
    int count = XML_GetCurrentByteCount(self.parser_);
    self.copyTo(position);
    std::string_view local = localName(name);
    if (self.skippingFormula_) {
        if (local == "f") {
            self.dropTo(position + count);
            self.skipping_ = false;
            self.skippingFormula_ = false;
        }
        return;
    }
    if (self.skippingCell_) {
        if (local == "f" && self.capturing_) {
            self.capturing_ = false;
            XML_SetCharacterDataHandler(self.parser_, nullptr);
            self.dissolved_[self.capturedIndex_] = {self.row_, self.column_, self.captured_};
        }
        if (local == "c") {
            self.dropTo(position + count);
            self.skipping_ = false;
            self.skippingCell_ = false;
        }
        return;
    }
    if (local == "row" && self.sheetDataDepth_ > 0 && !self.rowWritten_) {
        self.writeCellsOfRowBefore(self.row_, INT64_MAX);
    } else if (local == "sheetData" && self.sheetDataDepth_ > 0) {
        --self.sheetDataDepth_;
        self.writeRowsBefore(INT64_MAX);
    }
}

}  // namespace workbooks
