#include "xlsx_reader.h"

#include <expat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "xlsx_cell_reference.h"

namespace workbooks {

namespace {

constexpr std::uint64_t kWorkbookPartLimit = 64u << 20;
// Texts of the shared-string table kept in memory at most (a damaged or
// hostile package cannot make the reader take more).
constexpr std::size_t kSharedStringBytesLimit = 512u << 20;
// A single cell value or text longer than this is cut (a cell holds at most
// 32,767 characters).
constexpr std::size_t kCellTextLimit = 256u << 10;

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<XML_ParserStruct, ParserDeleter>;

void appendLimited(std::string& text, const char* data, int length) {
    std::size_t room = kCellTextLimit > text.size() ? kCellTextLimit - text.size() : 0;
    text.append(data, std::min(room, static_cast<std::size_t>(length)));
}

// workbook.xml: the <sheet> elements in order.
struct WorkbookParse {
    struct Entry {
        std::string name, relationshipId;
    };
    std::vector<Entry> sheets;
};

void XMLCALL workbookStart(void* data, const char* name, const char** attributes) {
    auto& parse = *static_cast<WorkbookParse*>(data);
    if (localName(name) != "sheet") return;
    const char* sheetName = findAttribute(attributes, "name");
    const char* id = findAttribute(attributes, "id");
    parse.sheets.push_back({sheetName ? sheetName : "", id ? id : ""});
}

// sharedStrings.xml: each <si> is the text of its <t> elements, phonetic
// runs (<rPh>) left out.
struct SharedStringParse {
    std::vector<std::string>* strings;
    std::string current;
    std::size_t totalBytes = 0;
    int phoneticDepth = 0;
    bool inItem = false;
    bool inText = false;
    bool overLimit = false;
};

void XMLCALL sharedStart(void* data, const char* name, const char**) {
    auto& parse = *static_cast<SharedStringParse*>(data);
    std::string_view local = localName(name);
    if (local == "si") {
        parse.inItem = true;
        parse.current.clear();
    } else if (local == "rPh") {
        ++parse.phoneticDepth;
    } else if (local == "t" && parse.inItem && parse.phoneticDepth == 0) {
        parse.inText = true;
    }
}

void XMLCALL sharedEnd(void* data, const char* name) {
    auto& parse = *static_cast<SharedStringParse*>(data);
    std::string_view local = localName(name);
    if (local == "si") {
        parse.totalBytes += parse.current.size() + 1;
        if (parse.totalBytes > kSharedStringBytesLimit) parse.overLimit = true;
        parse.strings->push_back(std::move(parse.current));
        parse.current.clear();
        parse.inItem = false;
    } else if (local == "rPh") {
        --parse.phoneticDepth;
    } else if (local == "t") {
        parse.inText = false;
    }
}

void XMLCALL sharedText(void* data, const char* text, int length) {
    auto& parse = *static_cast<SharedStringParse*>(data);
    if (parse.inText) appendLimited(parse.current, text, length);
}

}  // namespace

// The cells of a sheet, produced while its XML is fed to the parser.
struct SheetCellParse {
    const XlsxReader* reader = nullptr;
    std::vector<XlsxCell> queue;
    bool stopAtFirstCell = false;
    bool sawCell = false;
    bool badReference = false;
    int sheetDataDepth = 0;
    std::int64_t row = -1;  // 0-based row of the current <row>
    std::int64_t column = -1;
    // The current <c>.
    bool inCell = false;
    std::string type;
    bool hasFormula = false;
    bool inValue = false;
    bool inInline = false;
    bool inInlineText = false;
    int phoneticDepth = 0;
    std::string value;
    std::string inlineText;
    XML_ParserStruct* parser = nullptr;
};

namespace {

void XMLCALL cellStart(void* data, const char* name, const char** attributes) {
    auto& parse = *static_cast<SheetCellParse*>(data);
    std::string_view local = localName(name);
    if (local == "sheetData") {
        ++parse.sheetDataDepth;
        return;
    }
    if (parse.sheetDataDepth == 0) return;
    if (local == "row") {
        const char* r = findAttribute(attributes, "r");
        std::int64_t number = 0;
        if (r && parseRowNumber(r, number))
            parse.row = number - 1;
        else if (r)
            parse.badReference = true;
        else
            ++parse.row;
        parse.column = -1;
        if (parse.row < 0) parse.row = 0;
    } else if (local == "c") {
        const char* r = findAttribute(attributes, "r");
        CellReference reference;
        if (r && parseCellReference(r, reference)) {
            parse.column = reference.column;
            parse.row = reference.row;
        } else if (r) {
            parse.badReference = true;
        } else {
            ++parse.column;
        }
        if (parse.row < 0) parse.row = 0;
        const char* t = findAttribute(attributes, "t");
        parse.type = t ? t : "";
        parse.inCell = true;
        parse.hasFormula = false;
        parse.value.clear();
        parse.inlineText.clear();
        parse.phoneticDepth = 0;
    } else if (parse.inCell) {
        if (local == "f")
            parse.hasFormula = true;
        else if (local == "v")
            parse.inValue = true;
        else if (local == "is")
            parse.inInline = true;
        else if (local == "rPh")
            ++parse.phoneticDepth;
        else if (local == "t" && parse.inInline && parse.phoneticDepth == 0)
            parse.inInlineText = true;
    }
}

bool numberOf(const std::string& text, double& number) {
    if (text.empty()) return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    number = std::strtod(begin, &end);
    while (*end == ' ') ++end;
    return end != begin && *end == '\0' && errno != ERANGE;
}

void finishCell(SheetCellParse& parse) {
    parse.inCell = false;
    if (parse.row >= kXlsxMaxRows || parse.column >= kXlsxMaxColumns || parse.column < 0) {
        parse.badReference = true;
        return;
    }
    XlsxCell cell;
    cell.row = static_cast<std::uint32_t>(parse.row);
    cell.column = static_cast<std::uint32_t>(parse.column);
    parse.sawCell = true;
    // A formula cell gives its cached result (a string result has type
    // "str"); one without a result is empty.
    if (parse.hasFormula && parse.value.empty()) return;
    if (parse.type == "str") {
        cell.kind = XlsxCellKind::Text;
        cell.text = parse.value;
    } else if (parse.type == "s") {
        double index = 0;
        if (!numberOf(parse.value, index) || index < 0 || index >= 4294967296.0) return;
        const std::string* text = parse.reader->sharedString(static_cast<std::size_t>(index));
        if (!text) return;
        cell.kind = XlsxCellKind::Text;
        cell.text = *text;
    } else if (parse.type == "inlineStr") {
        cell.kind = XlsxCellKind::Text;
        cell.text = std::move(parse.inlineText);
    } else if (parse.type.empty() || parse.type == "n") {
        if (!numberOf(parse.value, cell.number)) return;
        cell.kind = XlsxCellKind::Number;
    } else {
        return;  // booleans, errors, dates written as text
    }
    parse.queue.push_back(std::move(cell));
}

void XMLCALL cellEnd(void* data, const char* name) {
    auto& parse = *static_cast<SheetCellParse*>(data);
    std::string_view local = localName(name);
    if (local == "sheetData") {
        --parse.sheetDataDepth;
        return;
    }
    if (!parse.inCell) return;
    if (local == "c") {
        finishCell(parse);
        if (parse.stopAtFirstCell && parse.sawCell) XML_StopParser(parse.parser, XML_FALSE);
    } else if (local == "v") {
        parse.inValue = false;
    } else if (local == "is") {
        parse.inInline = false;
    } else if (local == "rPh") {
        --parse.phoneticDepth;
    } else if (local == "t") {
        parse.inInlineText = false;
    }
}

void XMLCALL cellText(void* data, const char* text, int length) {
    auto& parse = *static_cast<SheetCellParse*>(data);
    if (parse.inValue)
        appendLimited(parse.value, text, length);
    else if (parse.inInlineText)
        appendLimited(parse.inlineText, text, length);
}

}  // namespace

XlsxReader::XlsxReader() = default;
XlsxReader::~XlsxReader() { close(); }

void XlsxReader::close() {
    if (parser_) XML_ParserFree(parser_);
    parser_ = nullptr;
    entry_.reset();
    parse_.reset();
    package_.close();
    sheets_.clear();
    sharedStrings_.clear();
}

bool XlsxReader::open(const std::string& path) {
    close();
    if (!package_.open(path) || !readWorkbook()) {
        close();
        return false;
    }
    return true;
}

bool XlsxReader::readWorkbook() {
    std::string& workbookPart = workbookPart_;
    workbookPart.clear();
    for (const auto& relationship : package_.relationships("")) {
        if (relationshipIs(relationship, "officeDocument")) workbookPart = relationship.target;
    }
    if (workbookPart.empty()) workbookPart = "xl/workbook.xml";
    std::string text;
    if (!package_.readEntry(workbookPart, text, kWorkbookPartLimit)) return false;
    WorkbookParse parse;
    Parser parser(XML_ParserCreate(nullptr));
    if (!parser) return false;
    XML_SetUserData(parser.get(), &parse);
    XML_SetStartElementHandler(parser.get(), workbookStart);
    if (XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), 1) != XML_STATUS_OK)
        return false;
    auto relationships = package_.relationships(workbookPart);
    for (const auto& entry : parse.sheets) {
        XlsxSheet sheet;
        sheet.name = entry.name;
        for (const auto& relationship : relationships) {
            if (relationship.id != entry.relationshipId) continue;
            sheet.part = relationship.target;
            sheet.worksheet = relationshipIs(relationship, "worksheet");
        }
        sheets_.push_back(std::move(sheet));
    }
    for (const auto& relationship : relationships) {
        if (relationshipIs(relationship, "sharedStrings") &&
            !readSharedStrings(relationship.target))
            return false;
    }
    return true;
}

bool XlsxReader::readSharedStrings(const std::string& part) {
    SharedStringParse parse;
    parse.strings = &sharedStrings_;
    Parser parser(XML_ParserCreate(nullptr));
    if (!parser) return false;
    XML_SetUserData(parser.get(), &parse);
    XML_SetElementHandler(parser.get(), sharedStart, sharedEnd);
    XML_SetCharacterDataHandler(parser.get(), sharedText);
    bool failed = false;
    bool read = package_.streamEntry(part, [&](const char* data, std::size_t size) {
        if (XML_Parse(parser.get(), data, static_cast<int>(size), 0) != XML_STATUS_OK ||
            parse.overLimit) {
            failed = true;
            return false;
        }
        return true;
    });
    if (!read || failed || XML_Parse(parser.get(), nullptr, 0, 1) != XML_STATUS_OK) return false;
    return true;
}

const std::string* XlsxReader::sharedString(std::size_t index) const {
    return index < sharedStrings_.size() ? &sharedStrings_[index] : nullptr;
}

int XlsxReader::selectSheet(std::string_view name) {
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (sheets_[i].name == name) return selectSheet(i);
    }
    return -1;
}

int XlsxReader::selectSheet(std::size_t index) {
    if (parser_) XML_ParserFree(parser_);
    parser_ = nullptr;
    entry_.reset();
    parse_.reset();
    ended_ = false;
    damaged_ = false;
    queueHead_ = 0;
    if (index >= sheets_.size()) return -1;
    parse_ = std::make_unique<SheetCellParse>();
    parse_->reader = this;
    const XlsxSheet& sheet = sheets_[index];
    if (!sheet.worksheet) {
        ended_ = true;  // a chart sheet has no cells
        return static_cast<int>(index);
    }
    entry_ = package_.openEntry(sheet.part);
    parser_ = XML_ParserCreate(nullptr);
    if (!entry_ || !parser_) {
        damaged_ = true;
        return static_cast<int>(index);
    }
    parse_->parser = parser_;
    XML_SetUserData(parser_, parse_.get());
    XML_SetElementHandler(parser_, cellStart, cellEnd);
    XML_SetCharacterDataHandler(parser_, cellText);
    buffer_.resize(1 << 16);
    return static_cast<int>(index);
}

// Parses the next piece of the sheet; false at its end or when it is damaged.
bool XlsxReader::feed() {
    if (ended_ || damaged_ || !entry_) return false;
    long long got = entry_->read(buffer_.data(), buffer_.size());
    if (got < 0) {
        damaged_ = true;
        return false;
    }
    bool last = got == 0;
    if (XML_Parse(parser_, buffer_.data(), static_cast<int>(got), last) != XML_STATUS_OK)
        damaged_ = true;
    if (parse_->badReference) damaged_ = true;
    if (last) ended_ = true;
    return !damaged_;
}

int XlsxReader::nextCell(XlsxCell& cell) {
    if (!parse_) return -1;
    for (;;) {
        if (queueHead_ < parse_->queue.size()) {
            cell = std::move(parse_->queue[queueHead_++]);
            return 1;
        }
        parse_->queue.clear();
        queueHead_ = 0;
        if (damaged_) return -1;
        if (ended_) return 0;
        feed();
    }
}

bool XlsxReader::sheetHasCells(std::size_t index) {
    if (index >= sheets_.size() || !sheets_[index].worksheet) return false;
    std::unique_ptr<XlsxEntry> entry = package_.openEntry(sheets_[index].part);
    Parser parser(XML_ParserCreate(nullptr));
    if (!entry || !parser) return false;
    SheetCellParse parse;
    parse.reader = this;
    parse.stopAtFirstCell = true;
    parse.parser = parser.get();
    XML_SetUserData(parser.get(), &parse);
    XML_SetElementHandler(parser.get(), cellStart, cellEnd);
    XML_SetCharacterDataHandler(parser.get(), cellText);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        long long got = entry->read(buffer.data(), buffer.size());
        if (got < 0) return false;
        XML_Status status = XML_Parse(parser.get(), buffer.data(), static_cast<int>(got), got == 0);
        if (parse.sawCell) return true;
        if (status != XML_STATUS_OK || got == 0) return false;
    }
}

}  // namespace workbooks
