// The searches over the large-business-office dictionary: by name (narrowed
// by an address) and by code.
#pragma once

#include <string_view>

#include "office_dictionary.h"
#include "search_state.h"
#include "zip_engine.h"

namespace keszip {

// Office name match conditions.
enum OfficeMatch : int {
    kOfficeContains = 0,     // the name contains the text, company words removed
    kOfficeExact = 1,        // the name begins with the text, company words shortened
    kOfficeIgnoreWords = 2,  // the same with company words removed
};

// KesCmpOpen: loads KESCMP.DIC beside the engine's files unless it is open.
bool openOffices(ZipEngine& engine);
// KesCmpClose: 1 when closed, 0 with lastError 1 when it was not open.
int closeOffices(ZipEngine& engine);

// Prefecture, city and ward names of a local-government code (1-99 is a bare
// prefecture code).
void jisCodeNames(const ZipEngine& engine, int code, AddressParts& parts);

// One step of the search by name; `found` receives the next office. Returns
// 1, or 0 at the end or for a refused text (lastError 100). The office
// dictionary must be open.
int nextOfficeByName(ZipEngine& engine, bool first, std::string_view name, std::string_view address,
                     int match, const OfficeRecord*& found);

// One step of the search by code (3, 5 or 7 digits). Returns 1, or 0 with
// lastError 1 (not open) or 100 (bad code, end of the search).
int nextOfficeByCode(ZipEngine& engine, bool first, std::string_view code,
                     const OfficeRecord*& found);

}  // namespace keszip
