#include "search_listings.h"

#include "keszip.h"
#include "search_choices.h"
#include "search_list_lines.h"

namespace converter::search {
namespace {

// The office name and the narrowing address are read as at most 1023 bytes.
constexpr std::size_t kOfficeTextLimit = 1023;

// Output buffers with room to spare over the sizes the engine promises
// (codes 9 bytes, names 40, town, note, remark and office name 256).
struct Outputs {
    char oldCode[32] = {}, code7[32] = {}, jisCode[32] = {};
    char prefecture[64] = {}, city[64] = {}, ward[64] = {};
    char town[512] = {}, note[512] = {}, officeName[512] = {};
};

OfficeEntry officeEntry(const Outputs& out) {
    return {out.code7, out.officeName, out.prefecture, out.city, out.ward, out.town, out.note};
}

// The lines of an office enumeration; `next(first)` fills `out` and returns 0 at the end.
template <typename Next>
Listing listOffices(Outputs& out, Next next) {
    Listing listing;
    listing.label = resultLabel();
    if (next(1) == 0) {
        listing.lines.push_back(notFoundLine());
        return listing;
    }
    do {
        listing.lines.push_back(officeHitLine(officeEntry(out)));
        ++listing.count;
    } while (next(0) != 0);
    listing.label = codeCountLabel(listing.count);
    return listing;
}

}  // namespace

Listing listCodeAddresses(std::string_view codeText, bool show5) {
    Listing listing;
    listing.label = resultLabel();
    const std::string code = limitBytes(codeText, kCodeTextLimit);
    if (code.empty()) return listing;
    Outputs out;
    for (int first = 1;; first = 0) {
        int flags = GetZipAddress(first, code.c_str(), out.oldCode, out.code7, out.prefecture,
                                  out.city, out.ward, out.town, out.note);
        if (flags == 0) break;
        if (!isListedCodeEntry(flags)) continue;
        CodeEntry entry{flags,    out.oldCode, out.code7, out.prefecture,
                        out.city, out.ward,    out.town,  out.note};
        listing.lines.push_back(codeSearchLine(entry, show5));
        ++listing.count;
    }
    if (listing.count == 0) {
        listing.lines.push_back(notFoundLine());
    } else {
        listing.label = codeCountLabel(listing.count);
    }
    return listing;
}

Listing listMatchingPlaces(std::string_view textIn) {
    Listing listing;
    listing.label = resultLabel();
    listing.listIsPartial = true;
    const std::string text = limitBytes(textIn, kAddressTextLimit);
    Outputs out;
    for (int first = 1; GetIncAddress(first, text.c_str(), out.prefecture, out.city, out.ward,
                                      out.town, out.note) != 0;
         first = 0) {
        // Whether the places are above town level is decided on the first entry alone.
        if (first && out.town[0] != '\0') listing.listIsPartial = false;
        std::string line = textSearchLine({out.prefecture, out.city, out.ward, out.town, out.note});
        listing.lines.push_back(limitBytes(line, kAddressTextLimit));
        ++listing.count;
    }
    if (listing.count > 0) listing.label = textCountLabel(listing.count);
    return listing;
}

Listing listOfficesByCode(std::string_view codeText) {
    const std::string code = limitBytes(codeText, kCodeTextLimit);
    Outputs out;
    return listOffices(out, [&](int first) {
        return GetZipAddressCmp(first, code.c_str(), out.oldCode, out.code7, out.prefecture,
                                out.city, out.ward, out.town, out.note, out.officeName);
    });
}

Listing listOfficesByName(std::string_view nameText, std::string_view addressText, int match) {
    const std::string name = limitBytes(nameText, kOfficeTextLimit);
    const std::string address = limitBytes(addressText, kOfficeTextLimit);
    Outputs out;
    return listOffices(out, [&](int first) {
        return GetCmpCode(first, name.c_str(), address.c_str(), match, out.oldCode, out.code7,
                          nullptr, out.prefecture, out.city, out.ward, out.town, out.note,
                          out.officeName);
    });
}

}  // namespace converter::search
