// The character pass of the folding: one left-to-right walk over the input
// that evens out character widths, kana forms, symbols, blanks and kanji
// variants, writing into a bounded work buffer.
#include <algorithm>
#include <iterator>

#include "fold.h"
#include "fold_internal.h"

namespace keszip::folding {
namespace {

constexpr unsigned char kHalfKa = 0xB6;      // ｶ
constexpr unsigned char kHalfKe = 0xB9;      // ｹ
constexpr unsigned char kHalfVoiced = 0xDE;  // ﾞ
constexpr std::uint16_t kWideBlank = 0x8140;
constexpr std::uint16_t kIterationMark = 0x8158;  // 々 folds as a kanji

// The kanji digits after which a lone ｶ or ｹ is kept (ｹ一 and the like).
bool isKanjiOneToNine(std::uint16_t code) {
    constexpr std::uint16_t kOneToNine[] = {0x88EA, 0x93F1, 0x8E4F, 0x8E6C, 0x8CDC,  // 一二三四五
                                            0x985A, 0x8EB5, 0x94AA, 0x8BE3};         // 六七八九
    return std::find(std::begin(kOneToNine), std::end(kOneToNine), code) != std::end(kOneToNine);
}

// The work text under construction. Besides the bytes it keeps how many
// single-byte characters end it: the removal of ｶ, ｹ and ｶﾞ before a kanji
// only looks at those, so it never takes the trail byte of a double-byte
// character for a kana.
class WorkWriter {
  public:
    WorkWriter(char* data, std::size_t capacity) : data_(data), capacity_(capacity) {}

    std::size_t size() const { return size_; }
    bool fits(std::size_t bytes) const { return bytes <= capacity_ - size_; }
    // Whether `bytes` fit once the last `dropped` bytes are taken away.
    bool fitsAfterDrop(std::size_t bytes, std::size_t dropped) const {
        return bytes <= capacity_ - size_ + dropped;
    }

    void single(unsigned char c) {
        data_[size_++] = static_cast<char>(c);
        ++singleRun_;
    }
    void doubleByte(std::uint16_t code) {
        data_[size_++] = static_cast<char>(code >> 8);
        data_[size_++] = static_cast<char>(code & 0xFF);
        singleRun_ = 0;
    }
    // Appends a Shift-JIS text, dropping a lead byte that lacks its trail
    // byte. False, with nothing written, when the text does not fit.
    bool text(std::string_view bytes) {
        if (!fits(bytes.size())) return false;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            if (!isLeadByte(c)) {
                single(c);
            } else if (i + 1 < bytes.size() &&
                       isTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
                doubleByte(doubleByteCode(bytes.data() + i));
                ++i;
            }
        }
        return true;
    }

    // How many trailing bytes spell ｶﾞ (2), or ｶ or ｹ when `singleKa` (1).
    std::size_t kaSuffix(bool singleKa) const {
        const auto last = [&](std::size_t back) {
            return static_cast<unsigned char>(data_[size_ - back]);
        };
        if (singleRun_ >= 2 && last(2) == kHalfKa && last(1) == kHalfVoiced) return 2;
        if (singleKa && singleRun_ >= 1 && (last(1) == kHalfKa || last(1) == kHalfKe)) return 1;
        return 0;
    }
    void drop(std::size_t bytes) {
        size_ -= bytes;
        singleRun_ -= bytes;
    }

  private:
    char* data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    std::size_t singleRun_ = 0;
};

// Length of the Shift-JIS character at `pos` of the input; 0 for a lead byte
// without a valid trail byte, which the pass skips.
std::size_t inputCharLength(std::string_view text, std::size_t pos) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (!isLeadByte(c)) return 1;
    if (pos + 1 < text.size() && isTrailByte(static_cast<unsigned char>(text[pos + 1]))) return 2;
    return 0;
}

// The first KESZIP.TBL pair whose key starts the input at `pos` and ends on
// a character boundary of it.
const SubstitutionPair* findTablePair(std::string_view text, std::size_t pos,
                                      const FoldSettings& settings) {
    const std::vector<SubstitutionPair>& pairs = settings.kanjiSubstitutions;
    const std::string_view rest = text.substr(pos);
    const SubstitutionStarts* starts = settings.substitutionStarts.get();
    if (starts && starts->madeFor(pairs) && !starts->mayStart(rest)) return nullptr;
    for (const auto& pair : pairs) {
        // The first byte rules out nearly every pair before a full comparison.
        if (pair.key.empty() || pair.key[0] != rest[0] ||
            (pair.key.size() > 1 && (rest.size() < 2 || pair.key[1] != rest[1])) ||
            !rest.starts_with(pair.key))
            continue;
        std::size_t end = pos;
        while (end < pos + pair.key.size()) {
            const std::size_t length = inputCharLength(text, end);
            end += length == 0 ? 1 : length;
        }
        if (end == pos + pair.key.size()) return &pair;
    }
    return nullptr;
}

class CharacterPass {
  public:
    CharacterPass(std::string_view text, Flavor flavor, const FoldSettings& settings, char* work,
                  std::size_t capacity)
        : text_(text), flavor_(flavor), settings_(settings), out_(work, capacity) {}

    std::size_t run(unsigned& report) {
        while (pos_ < text_.size()) {
            const std::size_t length = inputCharLength(text_, pos_);
            if (length == 0) {  // broken lead byte: skipped
                afterLetter_ = false;
                ++pos_;
                continue;
            }
            const bool written = length == 1
                                     ? singleByte(static_cast<unsigned char>(text_[pos_]))
                                     : doubleByte(doubleByteCode(text_.data() + pos_), report);
            if (!written) break;  // the folded text is full: the input is cut here
        }
        return out_.size();
    }

  private:
    bool singleByte(unsigned char c) {
        const bool afterLetter = afterLetter_;
        afterLetter_ = false;
        unsigned char folded = c;
        if (c < 0x21 || c == '&' || c == '/' || c == '.') {
            folded = (c == ' ' && afterLetter) ? ' ' : kFiller;
        } else if (c >= 'a' && c <= 'z') {
            folded = static_cast<unsigned char>(c - 'a' + 'A');
            afterLetter_ = true;
        } else if (c >= 'A' && c <= 'Z') {
            afterLetter_ = true;
        } else if (c >= 0xA7 && c <= 0xAB) {  // ｧｨｩｪｫ
            folded = static_cast<unsigned char>(c - 0xA7 + 0xB1);
        } else if (c >= 0xAC && c <= 0xAE) {  // ｬｭｮ
            folded = static_cast<unsigned char>(c - 0xAC + 0xD4);
        } else if (c == 0xAF) {  // ｯ
            folded = 0xC2;
        } else if (c == 0xB0) {  // ｰ
            folded = '-';
        }
        if (!out_.fits(1)) return false;
        out_.single(folded);
        ++pos_;
        return true;
    }

    bool doubleByte(std::uint16_t code, unsigned& report) {
        const bool afterLetter = afterLetter_;
        afterLetter_ = false;
        if (code == kWideBlank) {
            if (afterLetter) {
                if (!out_.fits(2)) return false;
                out_.single(' ');
            } else if (!out_.fits(1)) {
                return false;
            }
            out_.single(kFiller);
            return advance(2);
        }
        if (code >= 0x8141 && code <= 0x8197 && code != kIterationMark) {
            const unsigned char symbol = foldSymbol(code);
            if (symbol != 0) {
                if (!out_.fits(1)) return false;
                out_.single(symbol);
            }
            return advance(2);
        }
        if (code >= 0x824F && code <= 0x8258) return singleForWide('0' + (code - 0x824F));
        if (code >= 0x8260 && code <= 0x8279) {
            afterLetter_ = true;
            return singleForWide('A' + (code - 0x8260));
        }
        if (code >= 0x8281 && code <= 0x829A) {
            afterLetter_ = true;
            return singleForWide('A' + (code - 0x8281));
        }
        if (const HalfWidthKana kana = foldKana(code); kana.base != 0) {
            if (!out_.fits(kana.mark ? 2 : 1)) return false;
            out_.single(kana.base);
            if (kana.mark) out_.single(kana.mark);
            return advance(2);
        }
        return kanji(code, report);
    }

    bool singleForWide(int c) {
        if (!out_.fits(1)) return false;
        out_.single(static_cast<unsigned char>(c));
        return advance(2);
    }

    bool kanji(std::uint16_t code, unsigned& report) {
        const bool office = flavor_ == Flavor::office;
        if (!settings_.kanjiTableOff) {
            if (const KanjiPair* pair = findKanjiPair(code, flavor_ == Flavor::matching)) {
                const std::size_t drop = !office && pair->dropsKaBefore ? out_.kaSuffix(true) : 0;
                if (!out_.fitsAfterDrop(pair->to.size(), drop)) return false;
                out_.drop(drop);
                out_.text(pair->to);
                if (!office) report |= kReportBuiltInPair;
                return advance(2);
            }
        }
        if (office) {
            if (!out_.fits(2)) return false;
            out_.doubleByte(code);
            return advance(2);
        }
        if (const SubstitutionPair* pair = findTablePair(text_, pos_, settings_)) {
            if (!out_.text(pair->value)) return false;
            report |= kReportTablePair;
            return advance(pair->key.size());
        }
        const std::size_t drop = code >> 8 > 0x87 ? out_.kaSuffix(!isKanjiOneToNine(code)) : 0;
        if (!out_.fitsAfterDrop(2, drop)) return false;
        out_.drop(drop);
        out_.doubleByte(code);
        return advance(2);
    }

    bool advance(std::size_t bytes) {
        pos_ += bytes;
        return true;
    }

    std::string_view text_;
    Flavor flavor_;
    const FoldSettings& settings_;
    WorkWriter out_;
    std::size_t pos_ = 0;
    bool afterLetter_ = false;
};

}  // namespace

std::size_t characterPass(std::string_view text, Flavor flavor, const FoldSettings& settings,
                          char* work, std::size_t capacity, unsigned& report) {
    return CharacterPass(text, flavor, settings, work, capacity).run(report);
}

}  // namespace keszip::folding
