// Settings that steer the folding of address text: read from KESZIP.PRM and
// KESZIP.TBL when a dictionary opens, and kept across close and reopen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace keszip {

// One pair of KESZIP.TBL: Shift-JIS key and value, escapes already expanded.
struct SubstitutionPair {
    std::string key;
    std::string value;
    bool operator==(const SubstitutionPair&) const = default;
};

// The two-byte beginnings of the substitution pairs' keys, so that the
// folding passes over every other character without looking at the pairs.
// Made for one list of pairs as it stands; it answers only for that list.
class SubstitutionStarts {
  public:
    explicit SubstitutionStarts(const std::vector<SubstitutionPair>& pairs);
    // Whether it was made for `pairs` (the same list, not a copy).
    bool madeFor(const std::vector<SubstitutionPair>& pairs) const {
        return pairs.data() == pairs_ && pairs.size() == count_;
    }
    // False when no key can begin `rest`.
    bool mayStart(std::string_view rest) const {
        if (anyShortKey_) return true;
        if (rest.size() < 2) return false;
        const unsigned code =
            static_cast<unsigned char>(rest[0]) << 8 | static_cast<unsigned char>(rest[1]);
        return (bits_[code >> 6] >> (code & 63)) & 1;
    }

  private:
    const SubstitutionPair* pairs_;
    std::size_t count_;
    bool anyShortKey_ = false;  // a key of one byte: nothing can be passed over
    std::vector<std::uint64_t> bits_;
};

struct FoldSettings {
    int kanSuujiConvLevel = 0;  // non-zero: kanji numerals at the end of a text are folded too
    int kanjiTableOff = 0;      // non-zero: no built-in kanji pairs
    std::vector<SubstitutionPair> kanjiSubstitutions;
    // Made by indexSubstitutions for kanjiSubstitutions as they stand; not
    // used once they change (or in a copy of these settings).
    std::shared_ptr<const SubstitutionStarts> substitutionStarts;

    void indexSubstitutions() {
        substitutionStarts = std::make_shared<const SubstitutionStarts>(kanjiSubstitutions);
    }
    bool operator==(const FoldSettings& other) const {
        return kanSuujiConvLevel == other.kanSuujiConvLevel &&
               kanjiTableOff == other.kanjiTableOff &&
               kanjiSubstitutions == other.kanjiSubstitutions;
    }
};

}  // namespace keszip
