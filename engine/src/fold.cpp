// Folding of address text into matching keys: the character pass, then the
// finish of the requested form.
#include "fold.h"

#include <array>
#include <vector>

#include "fold_internal.h"

namespace keszip {
namespace {

// Work buffer of the character pass. Callers use buffers of the engine's
// size, which the stack holds; a larger output buffer gets a work buffer of
// its own size so that the folded text can fill it.
class WorkBuffer {
  public:
    explicit WorkBuffer(std::size_t size) {
        if (size > local_.size()) heap_.resize(size);
    }
    char* data() { return heap_.empty() ? local_.data() : heap_.data(); }

  private:
    std::array<char, kFoldBufferSize> local_;
    std::vector<char> heap_;
};

// The text ends at its first NUL, as the texts of the C interface do.
std::string_view untilNul(std::string_view text) {
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

std::size_t foldText(std::string_view text, char* out, std::size_t outSize, int mode,
                     const FoldSettings& settings, unsigned* report) {
    unsigned applied = 0;
    std::size_t length = 0;
    if (out != nullptr && outSize > 0) {
        const std::size_t capacity = outSize - 1;  // room for the terminator
        WorkBuffer work(capacity);
        const bool literal = mode == kFoldLiteral;
        const std::size_t workSize = folding::characterPass(
            untilNul(text), literal ? folding::Flavor::literal : folding::Flavor::matching,
            settings, work.data(), capacity, applied);
        if (literal) {
            length = folding::finishLiteral(work.data(), workSize, out, capacity);
        } else {
            folding::applyReadingRules(work.data(), workSize);
            length = folding::finishMatching(work.data(), workSize, out, capacity,
                                             settings.kanSuujiConvLevel);
        }
        out[length] = '\0';
    }
    if (report != nullptr) *report = applied;
    return length;
}

std::string foldText(std::string_view text, int mode, const FoldSettings& settings,
                     unsigned* report) {
    std::array<char, kFoldBufferSize> out;
    const std::size_t length = foldText(text, out.data(), out.size(), mode, settings, report);
    return std::string(out.data(), length);
}

std::string foldOfficeText(std::string_view text, const FoldSettings& settings) {
    constexpr std::size_t capacity = kFoldBufferSize - 1;
    std::array<char, kFoldBufferSize> work;
    std::array<char, kFoldBufferSize> out;
    unsigned ignored = 0;
    const std::size_t workSize = folding::characterPass(untilNul(text), folding::Flavor::office,
                                                        settings, work.data(), capacity, ignored);
    const std::size_t length = folding::finishLiteral(work.data(), workSize, out.data(), capacity);
    return std::string(out.data(), length);
}

bool isKanjiNumeral(std::uint16_t code) {
    return folding::kanjiDigit(code) >= 0 || folding::kanjiMultiplierExponent(code) > 0;
}

}  // namespace keszip
