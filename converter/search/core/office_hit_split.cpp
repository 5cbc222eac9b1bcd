#include "office_hit_split.h"

#include <platform/sjis.h>

namespace converter::search {
namespace {

// Walks a Shift-JIS text one character at a time.
class CharScanner {
  public:
    explicit CharScanner(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    // The current character's byte when it is a single-byte one, else 0.
    char single() const {
        if (atEnd() || platform::isSjisLead(static_cast<unsigned char>(text_[pos_]))) return 0;
        return text_[pos_];
    }
    // A lead byte takes its trail byte with it; a byte that cannot be a trail
    // (a blank, a line feed) stays a character of its own.
    void step() {
        bool lead = platform::isSjisLead(static_cast<unsigned char>(text_[pos_]));
        pos_ += (lead && pos_ + 1 < text_.size() && isTrail(text_[pos_ + 1])) ? 2 : 1;
    }
    void skipWhile(char c) {
        while (!atEnd() && single() == c) step();
    }
    // The text from here up to (not including) the next single-byte `stop`.
    std::string_view takeUntil(char stop) {
        std::size_t start = pos_;
        while (!atEnd() && single() != stop) step();
        return text_.substr(start, pos_ - start);
    }
    std::string_view rest() const { return atEnd() ? std::string_view() : text_.substr(pos_); }

  private:
    static bool isTrail(char c) {
        unsigned char b = static_cast<unsigned char>(c);
        return b >= 0x40 && b <= 0xFC && b != 0x7F;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

OfficeHitParts splitOfficeHit(std::string_view line) {
    OfficeHitParts parts;
    CharScanner scan(line);
    scan.skipWhile(' ');
    parts.code = scan.takeUntil(' ');
    scan.skipWhile(' ');
    parts.name = scan.takeUntil('\n');
    if (scan.single() == '\n') scan.step();
    scan.skipWhile(' ');
    parts.address = scan.rest();
    return parts;
}

}  // namespace converter::search
