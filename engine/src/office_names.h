// The forms in which office names are compared: blanks removed, folded with
// the office-name variant of the folding, company-type words shortened or
// removed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fold_settings.h"

namespace keszip {

// Removes half-width blanks, "_" and full-width blanks, folds with the
// office-name variant and removes the blanks again.
std::string prepareOfficeName(std::string_view text, const FoldSettings& settings);

enum class CompanyWords { shorten, remove };

// The company-type words (long and short forms, in the order they are
// tried), prepared as the names are.
class CompanyWordList {
  public:
    explicit CompanyWordList(const FoldSettings& settings);
    struct Word {
        std::string longForm, shortForm;
    };
    const std::vector<Word>& words() const { return words_; }

  private:
    std::vector<Word> words_;
};

// Scans the prepared text left to right and, at each position, replaces the
// first company-type word found there by its short form (or removes it).
std::string applyCompanyWords(std::string_view prepared, CompanyWords direction,
                              const CompanyWordList& list);

// True when the text holds a double-byte character.
bool hasDoubleByte(std::string_view text);

}  // namespace keszip
