#include "xlsx_calc_parts.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>

#include "xlsx_package.h"

namespace workbooks {

namespace {

// An element of a small XML part: where its text starts and ends, its name
// as written and its attributes.
struct Element {
    int depth = 0;
    std::string name;  // qualified, as written
    std::size_t start = 0, tagEnd = 0, end = 0;
    bool empty = false;  // written as <x .../>
    std::vector<std::pair<std::string, std::string>> attributes;
};

struct Scan {
    XML_Parser parser = nullptr;
    std::vector<Element> elements;
    std::vector<std::size_t> open;
};

void XMLCALL scanStart(void* data, const char* name, const char** attributes) {
    Scan& scan = *static_cast<Scan*>(data);
    Element element;
    element.depth = static_cast<int>(scan.open.size());
    element.name = name;
    element.start = static_cast<std::size_t>(XML_GetCurrentByteIndex(scan.parser));
    element.tagEnd = element.start + static_cast<std::size_t>(XML_GetCurrentByteCount(scan.parser));
    for (const char** a = attributes; a[0]; a += 2) element.attributes.emplace_back(a[0], a[1]);
    scan.open.push_back(scan.elements.size());
    scan.elements.push_back(std::move(element));
}

void XMLCALL scanEnd(void* data, const char*) {
    Scan& scan = *static_cast<Scan*>(data);
    Element& element = scan.elements[scan.open.back()];
    scan.open.pop_back();
    const int count = XML_GetCurrentByteCount(scan.parser);
    // An empty-element tag ends where its start tag ends.
    element.empty = count == 0;
    element.end = element.empty ? element.tagEnd
                                : static_cast<std::size_t>(XML_GetCurrentByteIndex(scan.parser)) +
                                      static_cast<std::size_t>(count);
}

std::optional<std::vector<Element>> scanElements(std::string_view text) {
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr),
                                                                   XML_ParserFree);
    if (!parser) return std::nullopt;
    Scan scan;
    scan.parser = parser.get();
    XML_SetUserData(parser.get(), &scan);
    XML_SetElementHandler(parser.get(), scanStart, scanEnd);
    if (text.size() > static_cast<std::size_t>(INT_MAX) ||
        XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), 1) != XML_STATUS_OK ||
        scan.elements.empty())
        return std::nullopt;
    return std::move(scan.elements);
}

std::string escapeAttribute(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

const std::string* attributeOf(const Element& element, std::string_view name) {
    for (const auto& [key, value] : element.attributes)
        if (localName(key.c_str()) == name) return &value;
    return nullptr;
}

// The text without the children of its root element named `name` (local
// name) for which `drop` is true; nullopt when the text is not well-formed.
template <typename Drop>
std::optional<std::string> withoutChildren(std::string_view text, std::string_view name,
                                           Drop drop) {
    const auto elements = scanElements(text);
    if (!elements) return std::nullopt;
    std::string out;
    std::size_t at = 0;
    for (const Element& element : *elements) {
        if (element.depth != 1 || localName(element.name.c_str()) != name || !drop(element))
            continue;
        out.append(text.substr(at, element.start - at));
        at = element.end;
    }
    out.append(text.substr(at));
    return out;
}

}  // namespace

std::optional<std::string> withFullCalcOnLoad(std::string_view workbookXml) {
    const auto elements = scanElements(workbookXml);
    if (!elements || localName(elements->front().name.c_str()) != "workbook") return std::nullopt;
    const std::string& root = elements->front().name;
    const std::string prefix = root.substr(0, root.size() - std::string_view("workbook").size());
    // calcPr follows these in the workbook's schema order.
    const std::string_view before[] = {"sheets", "functionGroups", "externalReferences",
                                       "definedNames"};
    std::size_t insertAt = 0;
    for (const Element& element : *elements) {
        if (element.depth != 1) continue;
        const std::string_view name = localName(element.name.c_str());
        if (name == "calcPr") {
            const std::string* full = attributeOf(element, "fullCalcOnLoad");
            if (full && (*full == "1" || *full == "true")) return std::string(workbookXml);
            std::string tag = "<" + element.name;
            for (const auto& [key, value] : element.attributes)
                if (localName(key.c_str()) != "fullCalcOnLoad")
                    tag += " " + key + "=\"" + escapeAttribute(value) + "\"";
            tag += " fullCalcOnLoad=\"1\"";
            tag += element.empty ? "/>" : ">";
            std::string out(workbookXml.substr(0, element.start));
            out += tag;
            out.append(workbookXml.substr(element.tagEnd));
            return out;
        }
        if (std::find(std::begin(before), std::end(before), name) != std::end(before))
            insertAt = element.end;
    }
    if (insertAt == 0) return std::nullopt;  // no sheet list: not a workbook part
    std::string out(workbookXml.substr(0, insertAt));
    out += "<" + prefix + "calcPr fullCalcOnLoad=\"1\"/>";
    out.append(workbookXml.substr(insertAt));
    return out;
}

std::optional<std::string> withoutRelationships(std::string_view relsXml, std::string_view kind,
                                                std::vector<std::string>& targets) {
    return withoutChildren(relsXml, "Relationship", [&](const Element& element) {
        const std::string* type = attributeOf(element, "Type");
        if (!type || !relationshipIs({"", *type, ""}, kind)) return false;
        if (const std::string* target = attributeOf(element, "Target")) targets.push_back(*target);
        return true;
    });
}

std::optional<std::string> withoutOverride(std::string_view typesXml, std::string_view partName) {
    return withoutChildren(typesXml, "Override", [&](const Element& element) {
        const std::string* part = attributeOf(element, "PartName");
        return part && *part == partName;
    });
}

}  // namespace workbooks
