#include "renumber.h"

#include <cstdint>
#include <vector>

#include "src/shift_jis_text.h"

namespace keszip::tel {
namespace {

// One row of the renumbering table: from `date` on, numbers starting with
// `prefix` (normalised form) move the hyphen of their area code.
struct RenumberRow {
    int date;
    const char* prefix;
};

// The rows in the order they are examined (not sorted by date).
constexpr RenumberRow kRows[] = {
    {19980101, "0273-"},   {19980101, "07475-"},  {19980101, "07476-"},  {19980101, "074762-"},
    {19980201, "0236-"},   {19980429, "0429-"},   {19980429, "0423-"},   {19980505, "073549-"},
    {19980505, "07354-"},  {19980505, "07355-"},  {19980505, "07356-"},  {19980505, "07357-"},
    {19980601, "0188-"},   {19980701, "0975-"},   {19981010, "08847-"},  {19981010, "08802-"},
    {19981010, "08873-"},  {19981010, "08872-"},  {19981010, "08875-"},  {19981103, "0427-"},
    {19981201, "09302-"},  {19981201, "093032-"}, {19981201, "093033-"}, {19981201, "09304-"},
    {19981201, "09305-"},  {19981201, "09492-"},  {19981201, "09493-"},  {19981201, "09494-"},
    {19981201, "09495-"},  {19981201, "0249-"},   {19981201, "09786-"},  {19990101, "0474-"},
    {19990101, "0552-"},   {19990201, "08375-"},  {19990201, "08376-"},  {19990211, "07912-"},
    {19990211, "07914-"},  {19990211, "07915-"},  {19990211, "0886-"},   {19990606, "0888-"},
    {19990606, "07617-"},  {19990606, "0764-"},   {19990720, "0462-"},   {19990720, "0485-"},
    {19990720, "02955-"},  {19990911, "0734-"},   {19990701, "058139-"}, {19990701, "058157-"},
    {19990701, "058158-"}, {19991111, "0839-"},   {19991111, "08692-"},  {19991111, "086926-"},
    {19991111, "086934-"}, {20000301, "0177-"},   {20000101, "05994-"},  {20000101, "05995-"},
    {20000101, "05996-"},  {20000101, "05997-"},  {20000101, "05998-"},  {20000401, "05312-"},
    {20000401, "05313-"},  {20000401, "053145-"},
};
static_assert(std::size(kRows) == 62);

constexpr std::size_t kMaxNormalised = 31;
constexpr int kScanDigits = 12;

// Shift-JIS codes of the full-width characters the parser folds.
constexpr std::uint16_t kWideZero = 0x824F;    // ０
constexpr std::uint16_t kWideHyphen = 0x817C;  // －
constexpr std::uint16_t kWideOpen = 0x8169;    // （
constexpr std::uint16_t kWideClose = 0x816A;   // ）

bool isWide(std::uint16_t c) { return c > 0xFF; }

char foldChar(std::uint16_t c) {
    if (!isWide(c)) return static_cast<char>(c);
    if (c >= kWideZero && c <= kWideZero + 9) return static_cast<char>('0' + (c - kWideZero));
    if (c == kWideHyphen) return '-';
    if (c == kWideOpen) return '(';
    if (c == kWideClose) return ')';
    return ' ';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number as written (one 16-bit code per character) and its normalised
// form (digits and "-"), each normalised character tied to its source one.
class ParsedNumber {
  public:
    explicit ParsedNumber(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto lead = static_cast<unsigned char>(text[i]);
            if (isLeadByte(lead) && i + 1 < text.size()) {
                source_.push_back(static_cast<std::uint16_t>(
                    (lead << 8) | static_cast<unsigned char>(text[i + 1])));
                ++i;
            } else {
                source_.push_back(lead);
            }
        }
        normalise();
    }

    const std::string& normalised() const { return normalised_; }
    int digits() const { return digits_; }

    // Normalised position of the first digit at `from` or later, or npos.
    std::size_t firstDigitFrom(std::size_t from) const {
        for (std::size_t i = from; i < normalised_.size(); ++i)
            if (isDigit(normalised_[i])) return i;
        return std::string::npos;
    }

    // Puts `c` before the source character of normalised position `pos`, in
    // the width of that character.
    void insert(char c, std::size_t pos) {
        const std::size_t at = index_[pos];
        insertSource(at, inWidthOf(source_[at], c));
    }

    // Replaces the source character of normalised position `pos` by `c` in
    // the same width.
    void replace(std::size_t pos, char c) {
        std::uint16_t& target = source_[index_[pos]];
        target = inWidthOf(target, c);
        normalised_[pos] = c;
    }

    void erase(std::size_t pos) {
        const std::size_t at = index_[pos];
        source_.erase(source_.begin() + static_cast<std::ptrdiff_t>(at));
        normalised_.erase(pos, 1);
        index_.erase(index_.begin() + static_cast<std::ptrdiff_t>(pos));
        for (auto& i : index_)
            if (i > at) --i;
    }

    // Moves the source character of normalised position `from` to just
    // before that of position `to` (to > from), keeping its width. A final
    // edit: only text() is meaningful afterwards.
    void move(std::size_t from, std::size_t to) {
        const std::uint16_t c = source_[index_[from]];
        const std::size_t before = index_[to];
        const std::size_t at = index_[from];
        source_.erase(source_.begin() + static_cast<std::ptrdiff_t>(at));
        for (auto& i : index_)
            if (i > at) --i;
        insertSource(before - 1, c);
    }

    std::string text() const {
        std::string out;
        out.reserve(source_.size() * 2);
        for (std::uint16_t c : source_) {
            if (isWide(c)) out += static_cast<char>(c >> 8);
            out += static_cast<char>(c & 0xFF);
        }
        return out;
    }

  private:
    static std::uint16_t inWidthOf(std::uint16_t model, char c) {
        const auto narrow = static_cast<unsigned char>(c);
        if (!isWide(model)) return narrow;
        if (isDigit(c)) return static_cast<std::uint16_t>(kWideZero + (c - '0'));
        return kWideHyphen;  // the only other character the rules insert
    }

    void insertSource(std::size_t at, std::uint16_t c) {
        source_.insert(source_.begin() + static_cast<std::ptrdiff_t>(at), c);
        for (auto& i : index_)
            if (i >= at) ++i;
    }

    void normalise() {
        bool started = false;
        for (std::size_t i = 0; i < source_.size() && normalised_.size() < kMaxNormalised; ++i) {
            const char c = foldChar(source_[i]);
            if (!started) {
                if (!isDigit(c)) continue;
                started = true;
            }
            if (isDigit(c)) {
                append(c, i);
                ++digits_;
                continue;
            }
            if (digits_ >= kScanDigits) break;
            if ((c == '(' || c == ')' || c == '-') && isDigit(normalised_.back())) append('-', i);
        }
    }

    void append(char c, std::size_t sourceIndex) {
        normalised_ += c;
        index_.push_back(sourceIndex);
    }

    std::vector<std::uint16_t> source_;
    std::string normalised_;
    std::vector<std::size_t> index_;
    int digits_ = 0;
};

bool startsWith(const std::string& text, std::string_view prefix) {
    return std::string_view(text).substr(0, prefix.size()) == prefix;
}

// 0720-12-3456 → 072-812-3456 (the 0720 area joined 072).
bool rule0720(ParsedNumber& n) {
    if (!startsWith(n.normalised(), "0720") || (n.digits() != 6 && n.digits() != 10)) return false;
    const std::size_t pos = n.firstDigitFrom(4);
    if (pos == std::string::npos) return false;
    n.insert('8', pos);
    n.erase(3);
    return true;
}

// 06-123-4567 → 06-6123-4567 (Osaka local numbers gained a digit).
bool rule06(ParsedNumber& n) {
    if (!startsWith(n.normalised(), "06") || (n.digits() != 5 && n.digits() != 9)) return false;
    const std::size_t pos = n.firstDigitFrom(2);
    if (pos == std::string::npos) return false;
    n.insert('6', pos);
    return true;
}

// 030-12-34567 → 090-312-34567, 050… → 070-5… (mobile and PHS prefixes).
bool ruleMobile(ParsedNumber& n) {
    const std::string& s = n.normalised();
    if (s.size() < 3 || s[0] != '0' || s[2] != '0') return false;
    const char x = s[1];
    if (std::string_view("1234568").find(x) == std::string_view::npos) return false;
    if (n.digits() != 5 && n.digits() != 6 && n.digits() != 10) return false;
    const std::size_t pos = n.firstDigitFrom(3);
    if (pos == std::string::npos) return false;
    n.replace(1, (x == '5' || x == '6') ? '7' : '9');
    n.insert(x, pos);
    return true;
}

// The table: the last digit of the old area code crosses the hyphen, or a
// six-digit area code gets a hyphen after its fourth digit.
bool ruleTable(ParsedNumber& n, int baseDate) {
    if (n.digits() != 6 && n.digits() != 10) return false;
    for (const auto& row : kRows) {
        if (row.date > baseDate) continue;
        const std::string_view prefix(row.prefix);
        if (!startsWith(n.normalised(), prefix)) continue;
        const std::size_t length = prefix.size();
        const std::size_t position = length == 5 ? 3 : 4;
        if (position + 1 >= length) return false;
        if (length == 7) {
            n.insert('-', position);
        } else {
            if (position + 2 >= n.normalised().size()) return false;
            n.move(position, position + 2);
        }
        return true;
    }
    return false;
}

}  // namespace

std::optional<int> parseBaseDate(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 99999999999LL) value = 99999999999LL;  // far beyond any date
    }
    if (negative) value = -value;
    if (value == 0) return 0;
    if (text.size() != 8 || value < 19000000 || value > 29999999) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::string> renumber(std::string_view number, int baseDate) {
    if (baseDate <= 0) return std::nullopt;
    ParsedNumber parsed(number);
    bool converted = false;
    if (baseDate >= 19990101) {
        converted =
            (baseDate >= 20000101 && rule0720(parsed)) || rule06(parsed) || ruleMobile(parsed);
    }
    if (!converted) converted = ruleTable(parsed, baseDate);
    if (!converted) return std::nullopt;
    return parsed.text();
}

}  // namespace keszip::tel
