#include "address_number.h"

#include <cstring>

#include "town_text.h"

namespace keszip {
namespace {

using town::charLength;
using town::isDigit;

bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The output while it is built; "&" marks a separator that is dropped at
// the end and becomes "-" otherwise.
class NumberWriter {
  public:
    bool full() const { return length_ >= kAddressNumberLength; }
    bool afterDigit() const { return length_ > 0 && isDigit(text_[length_ - 1]); }
    void put(char c) {
        if (!full()) text_[length_++] = c;
    }
    // After a digit, anything that is not part of the number separates it
    // from the next one.
    void separate(char c) {
        if (afterDigit()) put(c);
    }
    // A letter of the address number ("3-12A") takes the place of the
    // separator before it.
    void putLetter(char c) {
        if (length_ > 0 && (text_[length_ - 1] == '-' || text_[length_ - 1] == '&')) {
            text_[length_ - 1] = c;
        } else {
            put(c);
        }
    }
    void finish(char* out) {
        if (length_ > 0 && text_[length_ - 1] == '&') --length_;
        for (std::size_t i = 0; i < length_; ++i) out[i] = text_[i] == '&' ? '-' : text_[i];
        out[length_] = '\0';
    }

  private:
    char text_[kAddressNumberLength] = {};
    std::size_t length_ = 0;
};

}  // namespace

void addressNumber(std::string_view rest, std::size_t townDigits, char* out) {
    std::size_t i = 0;
    for (std::size_t skipped = 0; i < rest.size() && skipped < townDigits; ++i)
        if (isDigit(rest[i])) ++skipped;

    NumberWriter number;
    while (i < rest.size() && !number.full()) {
        const char c = rest[i];
        if (charLength(rest, i) == 2) {
            number.separate('&');
            i += 2;
        } else if (c == '&' || c == '.' || c == '/' || c == town::kMiddleDot) {
            ++i;
        } else if (isDigit(c)) {
            number.put(c);
            ++i;
        } else if (isLetter(c)) {
            std::size_t run = 1;
            while (i + run < rest.size() && isLetter(rest[i + run])) ++run;
            if (run == 1 && !(c == 'F' && number.afterDigit())) {
                number.putLetter(c);
            } else {
                // A word, or the F of a floor ("10F").
                number.separate('&');
            }
            i += run;
        } else {
            number.separate(c == '-' ? '-' : '&');
            ++i;
        }
    }
    number.finish(out);
}

}  // namespace keszip
