// Arbitrary bytes as a listed search line or a typed search text: the
// choices and the office hit split must stay within the text, never cut a
// double-byte character and never grow a text beyond what they add; the
// dialogs' searches over the real dictionaries take the same bytes as typed
// codes and texts.
#include <platform/sjis.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "keszip.h"
#include "search/core/office_hit_split.h"
#include "search/core/search_choices.h"
#include "search/core/search_listings.h"

namespace {

// True when `text` does not end inside a double-byte character.
bool wholeCharacters(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) i += platform::isSjisLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace cs = converter::search;
    const std::string text(reinterpret_cast<const char*>(data), size);

    for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{8}, size / 2}) {
        const std::string cut = cs::limitBytes(text, limit);
        if (cut.size() > limit || text.compare(0, cut.size(), cut) != 0) std::abort();
        if (!wholeCharacters(cut)) std::abort();
    }

    const std::string code = cs::codeText(text);
    if (code.size() > cs::kCodeTextLimit || !wholeCharacters(code)) std::abort();
    if (cs::wildcardText(text).size() > text.size()) std::abort();

    const cs::OfficeHitParts parts = cs::splitOfficeHit(text);
    if (parts.code.size() + parts.name.size() + parts.address.size() > text.size()) std::abort();
    if (parts.code.find(' ') != std::string::npos) std::abort();

    if (auto chosen = cs::chosenCodeAddress(text)) {
        if (chosen->size() >= text.size() || chosen->find_first_of("()") != std::string::npos)
            std::abort();
    }
    if (cs::pickedSearchText(text, true).size() > text.size() + 1) std::abort();
    if (auto confirmed = cs::confirmedSearchText(text)) {
        if (confirmed->size() > text.size()) std::abort();
    }
    if (cs::withoutBuildingExclusion(text).size() > text.size()) std::abort();

    static const bool open = KesZipOpen() == 1 && KesCmpOpen() == 1;
    // The searches fold every place of the dictionary: one input in four goes
    // through them, so that the text functions above get most of the runs.
    if (open && size % 4 == 0) {
        // What a user types is short; the engine's own targets take long texts.
        const std::string typed = text.substr(0, 64);
        // (The office name search reads every office; fuzz_office_name covers it.)
        const bool show5 = size % 2 == 1;
        for (const cs::Listing& listing :
             {cs::listCodeAddresses(typed, show5), cs::listMatchingPlaces(typed),
              cs::listOfficesByCode(typed)}) {
            if (listing.count < 0 || listing.lines.size() < static_cast<std::size_t>(listing.count))
                std::abort();
        }
    }
    return 0;
}
