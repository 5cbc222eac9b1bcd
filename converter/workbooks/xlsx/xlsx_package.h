// The zip package of an Office Open XML workbook: its entries, read whole or
// streamed, and the relationships that name its parts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_file;

namespace workbooks {

// One relationship of a part's ".rels" entry, its target resolved to an
// entry name of the package (no leading "/").
struct PackageRelationship {
    std::string id;
    std::string type;    // the full type URI
    std::string target;  // entry name; empty for external targets
};

// One entry of the package, read from the start in pieces.
class XlsxEntry {
  public:
    explicit XlsxEntry(zip_file* file) : file_(file) {}
    ~XlsxEntry();
    XlsxEntry(const XlsxEntry&) = delete;
    XlsxEntry& operator=(const XlsxEntry&) = delete;
    // Bytes read into `buffer`: 0 at the end, -1 when the entry is damaged.
    long long read(char* buffer, std::size_t size);

  private:
    zip_file* file_;
};

class XlsxPackage {
  public:
    XlsxPackage();
    ~XlsxPackage();
    XlsxPackage(const XlsxPackage&) = delete;
    XlsxPackage& operator=(const XlsxPackage&) = delete;

    // Opens the zip file read-only; false when it is not a readable zip.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return archive_ != nullptr; }

    bool hasEntry(std::string_view name) const;
    // The whole entry, refused when it is larger than `limit` bytes.
    bool readEntry(std::string_view name, std::string& out, std::uint64_t limit) const;
    // The entry opened for reading in pieces; null when it is missing.
    std::unique_ptr<XlsxEntry> openEntry(std::string_view name) const;
    // Feeds the entry to `sink` in chunks; the sink returns false to stop early.
    // False when the entry is missing or cannot be read.
    bool streamEntry(std::string_view name,
                     const std::function<bool(const char*, std::size_t)>& sink) const;

    // The relationships of part `partName` (read from its "_rels/NAME.rels").
    std::vector<PackageRelationship> relationships(std::string_view partName) const;

  private:
    zip* archive_ = nullptr;
};

// The entry that holds the relationships of part `partName`:
// "xl/workbook.xml" → "xl/_rels/workbook.xml.rels".
std::string relationshipsPartOf(std::string_view partName);

// "xl/worksheets/../x.xml" → "xl/x.xml"; a target starting with "/" is taken
// from the package root, any other from the folder of `sourcePart`.
std::string resolvePartTarget(std::string_view sourcePart, std::string_view target);

// True when the relationship type URI ends in "/<kind>" (transitional and
// strict URIs differ only before that).
bool relationshipIs(const PackageRelationship& relationship, std::string_view kind);

// The part-local name of an XML name: "x:row" → "row".
std::string_view localName(const char* qualifiedName);

// The value of attribute `name` (local name) among expat's attribute pairs, or null.
const char* findAttribute(const char** attributes, std::string_view name);

}  // namespace workbooks
