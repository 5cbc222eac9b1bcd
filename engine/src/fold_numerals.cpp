// The finishing passes of the folding, which turn numbers written in kanji
// into digits and drop the filler marks. The literal form converts kanji
// digits one by one; the matching form reads whole kanji numerals (二十三 is
// 23) wherever they stand as an address number.
#include <algorithm>
#include <cstdint>

#include "fold_internal.h"

namespace keszip::folding {
namespace {

constexpr std::uint16_t kJuu = 0x8F5C;   // 十
constexpr std::uint16_t kAsa = 0x9683;   // 麻
constexpr std::uint16_t kNuno = 0x957A;  // 布
constexpr std::uint16_t kBan = 0x94D4;   // 番
constexpr std::uint16_t kDai = 0x91E6;   // 第
constexpr std::uint16_t kKai = 0x8A4B;   // 階
constexpr std::uint16_t kChi = 0x926E;   // 地
constexpr std::uint16_t kWari = 0x8A84;  // 割
constexpr unsigned char kHalfNo = 0xC9;  // ﾉ
// Unit words of one kanji after which a numeral is an address number:
// 丁 (district), 番 (lot), 号 (house), 線 and 条 (regional lot words); 地割
// is tested separately.
constexpr std::uint16_t kUnitKanji[] = {0x929A, kBan, 0x8D86, 0x90FC, 0x8FF0};

constexpr std::size_t kNoChar = static_cast<std::size_t>(-1);
constexpr int kMaxGroupDigits = 9;
constexpr int kMaxNumberDigits = 10;

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Output of a finishing pass. It remembers where its last character starts
// so that a 第 written just before a number can be recognised.
class OutputWriter {
  public:
    OutputWriter(char* data, std::size_t capacity) : data_(data), capacity_(capacity) {}
    std::size_t size() const { return size_; }
    bool fits(std::size_t bytes) const { return bytes <= capacity_ - size_; }
    void put(const char* bytes, std::size_t length) {
        lastStart_ = size_;
        std::copy(bytes, bytes + length, data_ + size_);
        size_ += length;
    }
    bool endsWith(std::uint16_t code) const {
        return lastStart_ != kNoChar && size_ - lastStart_ == 2 &&
               doubleByteCode(data_ + lastStart_) == code;
    }
    void dropLast() {
        size_ = lastStart_;
        lastStart_ = kNoChar;
    }

  private:
    char* data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    std::size_t lastStart_ = kNoChar;
};

// The work text, with tests for the character that starts at a position
// (kNoChar for none).
struct WorkText {
    const char* data;
    std::size_t size;

    bool isDouble(std::size_t pos, std::uint16_t code) const {
        return pos != kNoChar && pos + 1 < size && charLength(data, pos, size) == 2 &&
               doubleByteCode(data + pos) == code;
    }
    bool isSingle(std::size_t pos, unsigned char c) const {
        return pos != kNoChar && pos < size && charLength(data, pos, size) == 1 &&
               static_cast<unsigned char>(data[pos]) == c;
    }
};

// One element of a kanji numeral run: an ASCII or kanji digit, or a multiplier.
struct NumeralElement {
    std::size_t length = 0;  // 0: not a numeral
    int digit = -1;
    int exponent = 0;
    bool kanji = false;
};

class MatchingFinish {
  public:
    MatchingFinish(const char* work, std::size_t size, char* out, std::size_t capacity,
                   int kanSuujiConvLevel)
        : text_{work, size}, out_(out, capacity), convertAtEnd_(kanSuujiConvLevel != 0) {}

    std::size_t run() {
        while (pos_ < text_.size) {
            if (numeralAt(pos_).length != 0) {
                if (!number()) break;
                continue;
            }
            const std::size_t length = charLength(text_.data, pos_, text_.size);
            if (text_.data[pos_] != kFiller) {
                if (!out_.fits(length)) break;
                out_.put(text_.data + pos_, length);
            }
            step(length);
        }
        return out_.size();
    }

  private:
    NumeralElement numeralAt(std::size_t pos) const {
        NumeralElement element;
        if (pos >= text_.size) return element;
        if (isAsciiDigit(text_.data[pos])) {
            element.length = 1;
            element.digit = text_.data[pos] - '0';
            return element;
        }
        if (charLength(text_.data, pos, text_.size) != 2) return element;
        const std::uint16_t code = doubleByteCode(text_.data + pos);
        element.digit = kanjiDigit(code);
        element.exponent = element.digit < 0 ? kanjiMultiplierExponent(code) : 0;
        if (element.digit >= 0 || element.exponent > 0) {
            element.length = 2;
            element.kanji = true;
        }
        // The 十 of the name 麻布十番 is part of the name.
        if (code == kJuu && pos == pos_ && text_.isDouble(previous2_, kAsa) &&
            text_.isDouble(previous_, kNuno) && text_.isDouble(pos + 2, kBan))
            element = {};
        return element;
    }

    bool followedByUnitWord(std::size_t pos) const {
        if (text_.isSingle(pos, '-') || text_.isSingle(pos, kHalfNo)) return true;
        for (const std::uint16_t unit : kUnitKanji)
            if (text_.isDouble(pos, unit)) return true;
        return text_.isDouble(pos, kChi) && text_.isDouble(pos + 2, kWari);
    }

    bool precededBySeparator() const {
        return text_.isSingle(previous_, '-') || text_.isSingle(previous_, kHalfNo);
    }

    // A run of digits and kanji numerals at `pos_`. Runs without kanji are
    // numbers already; a run with kanji becomes a number when it stands as an
    // address number, and is copied as it is otherwise.
    bool number() {
        const std::size_t start = pos_;
        std::size_t end = start;
        bool hasKanji = false;
        bool startsWithKanji = false;
        bool lastKanjiDigit = false;
        for (NumeralElement e = numeralAt(end); e.length != 0; e = numeralAt(end)) {
            // A kanji digit followed by digits ends a number: the 二 of
            // 第二6119番地 is part of a name, 6119 the lot (二十3 stays 23).
            if (lastKanjiDigit && !e.kanji) break;
            lastKanjiDigit = e.kanji && e.exponent == 0;
            if (end == start) startsWithKanji = e.kanji;
            hasKanji = hasKanji || e.kanji;
            end += e.length;
        }
        bool convert = true;
        if (hasKanji) {
            // The separator must stand directly before the kanji numerals: in
            // 1-2-3三井ビル the 三 follows the digit 3, not the "-".
            if (end == text_.size)
                convert = convertAtEnd_;
            else
                convert = followedByUnitWord(end) || (startsWithKanji && precededBySeparator());
        }
        if (!convert) {
            if (!out_.fits(end - start)) return false;
            out_.put(text_.data + start, end - start);
            stepTo(end);
            return true;
        }

        char digits[kMaxNumberDigits];
        std::size_t digitCount = 0;
        const char* numberText = text_.data + start;
        if (hasKanji) {
            digitCount = evaluate(start, end, digits);
            numberText = digits;
        } else {
            digitCount = end - start;
        }
        const bool afterDai = out_.endsWith(kDai);
        const bool beforeKai = text_.isDouble(end, kKai);
        const std::size_t needed = digitCount + (beforeKai ? 1 : 0) - (afterDai ? 1 : 0);
        if (!out_.fits(needed)) return false;
        if (afterDai) {
            out_.dropLast();
            out_.put("|", 1);
        }
        out_.put(numberText, digitCount);
        if (beforeKai) {
            out_.put("F", 1);
            end += 2;
        }
        stepTo(end);
        return true;
    }

    void step(std::size_t length) {
        previous2_ = previous_;
        previous_ = pos_;
        pos_ += length;
    }
    void stepTo(std::size_t end) {
        while (pos_ < end) step(charLength(text_.data, pos_, text_.size));
    }

    // Value of the run [start, end) written into `digits`; returns the count.
    std::size_t evaluate(std::size_t start, std::size_t end, char* digits) const {
        std::uint64_t total = 0;
        std::uint64_t group = 0;
        int groupDigits = 0;
        int width = 0;
        for (std::size_t pos = start; pos < end;) {
            const NumeralElement e = numeralAt(pos);
            pos += e.length;
            if (e.digit >= 0) {
                if (groupDigits < kMaxGroupDigits) {  // further digits of a group are dropped
                    group = group * 10 + static_cast<std::uint64_t>(e.digit);
                    ++groupDigits;
                }
                continue;
            }
            std::uint64_t multiplier = 1;
            for (int i = 0; i < e.exponent; ++i) multiplier *= 10;
            total += (groupDigits > 0 ? group : 1) * multiplier;
            width = std::max({width, groupDigits, e.exponent + 1});
            group = 0;
            groupDigits = 0;
        }
        total += group;
        width = std::min(std::max(width, groupDigits), kMaxNumberDigits);

        // The rightmost `width` digits of the ten-digit zero-padded form.
        for (int i = width - 1; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + total % 10);
            total /= 10;
        }
        return static_cast<std::size_t>(width);
    }

    WorkText text_;
    OutputWriter out_;
    bool convertAtEnd_;
    std::size_t pos_ = 0;
    std::size_t previous_ = kNoChar;   // start of the character before pos_
    std::size_t previous2_ = kNoChar;  // start of the one before that
};

}  // namespace

std::size_t finishLiteral(const char* work, std::size_t size, char* out, std::size_t capacity) {
    OutputWriter writer(out, capacity);
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t length = charLength(work, pos, size);
        const int digit = length == 2 ? kanjiDigit(doubleByteCode(work + pos)) : -1;
        if (digit >= 0) {
            const char c = static_cast<char>('0' + digit);
            if (!writer.fits(1)) break;
            writer.put(&c, 1);
        } else if (work[pos] != kFiller) {
            if (!writer.fits(length)) break;
            writer.put(work + pos, length);
        }
        pos += length;
    }
    return writer.size();
}

std::size_t finishMatching(const char* work, std::size_t size, char* out, std::size_t capacity,
                           int kanSuujiConvLevel) {
    return MatchingFinish(work, size, out, capacity, kanSuujiConvLevel).run();
}

}  // namespace keszip::folding
