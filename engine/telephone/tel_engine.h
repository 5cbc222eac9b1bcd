// The telephone side of the engine: a second engine over KESTEL.DIC with its
// own tables, block buffer, town cursor and last error, and the lookups from
// a telephone number to the towns it serves.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "src/search_state.h"
#include "src/zip_engine.h"
#include "tel_codes.h"

namespace keszip::tel {

// Whether a municipality serving the telephone keys `low` to `high` (decimal
// texts) may serve `key`: the first key.size() characters of `key` lie
// between those of `low` and `high`, a shorter key ending with a terminator
// that sorts below every digit; or, for a whole number under a shorter code,
// one of the key's leading parts lies between `low` and `high` in text order.
bool keyRangeCovers(const std::string& key, const std::string& low, const std::string& high);

// One town of a number, as GetTelAddress hands it out.
struct TelAddress {
    std::uint32_t code7 = 0;
    AddressParts parts;  // prefecture from the built-in table
    TelCodeList codes;
};

class TelephoneEngine {
  public:
    // `directory` as for ZipEngine: empty means beside the library.
    explicit TelephoneEngine(std::string directory = {});

    // KesTelOpen: true when the dictionary is open (also when it already was).
    bool open();
    // KesTelClose: 1 when closed, 0 (lastError 1 or 2) otherwise.
    int close();
    bool isOpen() const { return dictionary_.isOpen(); }
    int lastError() const { return dictionary_.lastError(); }
    ZipEngine& dictionary() { return dictionary_; }

    // One step of the enumeration of the towns of `number`: with `first` a
    // new enumeration starts, else the running one goes on. Returns the
    // search flags of the town, or 0 (lastError 100) when no further town
    // matches, the number is outside 2-11 characters or none is running.
    int nextAddress(bool first, std::string_view number, int baseDate, TelAddress& out);

    // The levels of the address shared by every town of `number`. Returns the
    // search flags of what remains, or 0 (lastError 100) when nothing matches
    // or the towns lie in different prefectures.
    int decision(std::string_view number, AddressParts& out);

  private:
    bool candidate(std::size_t muni, const std::string& key) const;
    bool hit(const TownCandidate& town, std::string_view number) const;
    void fillParts(std::size_t muni, const TownCandidate& town, AddressParts& parts) const;
    void endEnumeration();

    ZipEngine dictionary_;
    // The running enumeration of nextAddress.
    bool running_ = false;
    std::string number_, key_;
    std::size_t muni_ = 0;
    std::size_t townsRead_ = 0;  // towns of muni_ already looked at
};

// The process-wide telephone engine of the exported interface.
TelephoneEngine& telephoneEngine();

}  // namespace keszip::tel
