#include "xlsx_package.h"

#include <expat.h>
#include <zip.h>

#include <cstring>

namespace workbooks {

namespace {

constexpr std::uint64_t kRelationshipLimit = 16u << 20;

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

struct RelationshipParse {
    std::string partName;
    std::vector<PackageRelationship> list;
};

void XMLCALL relationshipStart(void* data, const char* name, const char** attributes) {
    auto& parse = *static_cast<RelationshipParse*>(data);
    if (localName(name) != "Relationship") return;
    PackageRelationship relationship;
    const char* id = findAttribute(attributes, "Id");
    const char* type = findAttribute(attributes, "Type");
    const char* target = findAttribute(attributes, "Target");
    const char* mode = findAttribute(attributes, "TargetMode");
    if (!id || !type || !target) return;
    relationship.id = id;
    relationship.type = type;
    if (!mode || std::strcmp(mode, "External") != 0)
        relationship.target = resolvePartTarget(parse.partName, target);
    parse.list.push_back(std::move(relationship));
}

}  // namespace

XlsxEntry::~XlsxEntry() { zip_fclose(file_); }

long long XlsxEntry::read(char* buffer, std::size_t size) {
    return static_cast<long long>(zip_fread(file_, buffer, size));
}

std::unique_ptr<XlsxEntry> XlsxPackage::openEntry(std::string_view name) const {
    if (!archive_) return nullptr;
    zip_file_t* file = zip_fopen(archive_, std::string(name).c_str(), 0);
    if (!file) return nullptr;
    return std::make_unique<XlsxEntry>(file);
}

XlsxPackage::XlsxPackage() = default;
XlsxPackage::~XlsxPackage() { close(); }

bool XlsxPackage::open(const std::string& path) {
    close();
    int error = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
    return archive_ != nullptr;
}

void XlsxPackage::close() {
    if (archive_) zip_discard(archive_);
    archive_ = nullptr;
}

bool XlsxPackage::hasEntry(std::string_view name) const {
    return archive_ && zip_name_locate(archive_, std::string(name).c_str(), 0) >= 0;
}

bool XlsxPackage::streamEntry(std::string_view name,
                              const std::function<bool(const char*, std::size_t)>& sink) const {
    std::unique_ptr<XlsxEntry> entry = openEntry(name);
    if (!entry) return false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        long long got = entry->read(buffer.data(), buffer.size());
        if (got < 0) return false;
        if (got == 0) return true;
        if (!sink(buffer.data(), static_cast<std::size_t>(got))) return true;
    }
}

bool XlsxPackage::readEntry(std::string_view name, std::string& out, std::uint64_t limit) const {
    out.clear();
    bool tooLarge = false;
    bool read = streamEntry(name, [&](const char* data, std::size_t size) {
        if (out.size() + size > limit) {
            tooLarge = true;
            return false;
        }
        out.append(data, size);
        return true;
    });
    return read && !tooLarge;
}

std::string relationshipsPartOf(std::string_view partName) {
    std::size_t slash = partName.rfind('/');
    if (slash == std::string_view::npos) return "_rels/" + std::string(partName) + ".rels";
    return std::string(partName.substr(0, slash)) + "/_rels/" +
           std::string(partName.substr(slash + 1)) + ".rels";
}

std::vector<PackageRelationship> XlsxPackage::relationships(std::string_view partName) const {
    const std::string relsName = relationshipsPartOf(partName);
    std::string text;
    if (!readEntry(relsName, text, kRelationshipLimit)) return {};
    RelationshipParse parse;
    parse.partName = std::string(partName);
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
    if (!parser) return {};
    XML_SetUserData(parser.get(), &parse);
    XML_SetStartElementHandler(parser.get(), relationshipStart);
    if (XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), 1) != XML_STATUS_OK)
        return {};
    return std::move(parse.list);
}

std::string resolvePartTarget(std::string_view sourcePart, std::string_view target) {
    std::string joined;
    if (!target.empty() && target.front() == '/') {
        joined = std::string(target.substr(1));
    } else {
        std::size_t slash = sourcePart.rfind('/');
        if (slash != std::string_view::npos) joined = std::string(sourcePart.substr(0, slash + 1));
        joined += target;
    }
    // Collapse "." and ".." segments.
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t end = joined.find('/', start);
        if (end == std::string::npos) end = joined.size();
        std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(std::move(segment));
        }
        start = end + 1;
    }
    std::string result;
    for (const auto& segment : segments) {
        if (!result.empty()) result += '/';
        result += segment;
    }
    return result;
}

bool relationshipIs(const PackageRelationship& relationship, std::string_view kind) {
    std::string_view type = relationship.type;
    return type.size() > kind.size() && type.substr(type.size() - kind.size()) == kind &&
           type[type.size() - kind.size() - 1] == '/';
}

std::string_view localName(const char* qualifiedName) {
    std::string_view name(qualifiedName);
    std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const char* findAttribute(const char** attributes, std::string_view name) {
    for (int i = 0; attributes[i]; i += 2) {
        if (localName(attributes[i]) == name) return attributes[i + 1];
    }
    return nullptr;
}

}  // namespace workbooks
