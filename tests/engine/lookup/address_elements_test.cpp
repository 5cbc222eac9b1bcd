// Cutting folded town names and addresses into numbers and texts.
#include "src/address_elements.h"

#include <gtest/gtest.h>

#include "town_test_helpers.h"

using keszip::ElementList;
using keszip::parseAddressElements;
using testing_support::sj;
using town_test::describe;

namespace {

// Parses the UTF-8 text alone into a fresh list.
struct Parsed {
    explicit Parsed(const char* utf8) : text(sj(utf8)) {
        consumed = parseAddressElements(text, 0, list, 0);
    }
    std::string text;
    ElementList list;
    std::size_t consumed = 0;
};

// Parses the alternatives of one parenthesis level in turn (as the matcher
// does), each after the separator written before it, and returns the
// elements after each.
std::vector<std::string> alternatives(std::initializer_list<std::pair<char, const char*>> alts) {
    std::vector<std::string> texts;  // the elements point into these
    for (const auto& alt : alts) texts.push_back(sj(alt.second));
    ElementList list;
    std::vector<std::string> out;
    std::size_t i = 0;
    for (const auto& alt : alts) {
        parseAddressElements(texts[i++], alt.first, list, 0);
        out.push_back(describe(list));
    }
    return out;
}

}  // namespace

TEST(AddressElements, NumbersRangesAndTexts) {
    EXPECT_EQ(describe(Parsed("赤坂1丁目2番3号").list), "赤坂|1|丁目|2|番|3|号");
    EXPECT_EQ(describe(Parsed("1~3丁目").list), "1~3|丁目");
    // The "~" may stand after the unit word of the lower bound.
    EXPECT_EQ(describe(Parsed("4ﾏﾁﾒ~8ﾏﾁﾒ").list), "4~8|ﾏﾁﾒ");
    // A "~" with no number after it opens the range upwards.
    EXPECT_EQ(describe(Parsed("5~番地").list), "5~|番地");
    // A "~" after the next number belongs to that one.
    EXPECT_EQ(describe(Parsed("1770-1~2").list), "1770|-|1~2");
    // "|" (from 第) is stepped over.
    EXPECT_EQ(describe(Parsed("|3地割").list), "3|地割");
    // Numbers too long for 32 bits stay at the top of the range.
    EXPECT_EQ(describe(Parsed("99999999999").list), "2147483647");
}

TEST(AddressElements, RangeWordsAfterANumber) {
    EXPECT_EQ(describe(Parsed("200番以上").list), "200~|番");
    EXPECT_EQ(describe(Parsed("450番地以下").list), "0~450|番地");
    EXPECT_EQ(describe(Parsed("30以上").list), "30~");
    // Not after a number: the text stays as it is.
    EXPECT_EQ(describe(Parsed("以上").list), "以上");
}

TEST(AddressElements, RepeatedTextEndsTheList) {
    Parsed p("1ﾉ2ﾉ3");
    EXPECT_EQ(describe(p.list), "1|ﾉ|2");
    EXPECT_EQ(p.consumed, 3u);
    // "-" may repeat.
    EXPECT_EQ(describe(Parsed("1-2-3").list), "1|-|2|-|3");
}

TEST(AddressElements, PlaceholderNames) {
    EXPECT_EQ(describe(Parsed("丁目").list), "0~|@丁目");
    EXPECT_EQ(describe(Parsed("番地").list), "0~|@番地");
    EXPECT_EQ(describe(Parsed("境ﾏﾁﾉ次ﾆ番地ｶﾞｸﾙ場合").list), "0~|@番地");
    EXPECT_EQ(describe(Parsed("丁目ﾉ次ﾆ番地ｶﾞｸﾙ場合").list), "0~|@丁目|0~|@番地");
}

TEST(AddressElements, AlternativesOfOneLevelReplaceEachOther) {
    // 1-2､3: the 3 stands for the whole lot number.
    EXPECT_EQ(alternatives({{0, "1-2"}, {'\xA4', "3"}}), (std::vector<std::string>{"1|-|2", "3"}));
    // 1-2･3: only the last number changes, giving 1-3.
    EXPECT_EQ(alternatives({{0, "1-2"}, {'\xA5', "3"}}),
              (std::vector<std::string>{"1|-|2", "1|-|3"}));
    EXPECT_EQ(alternatives({{0, "1-2-3"}, {'\xA4', "4"}}),
              (std::vector<std::string>{"1|-|2|-|3", "4"}));
    // 2丁目 after 1丁目 replaces the number and its unit word.
    EXPECT_EQ(alternatives({{0, "1丁目"}, {'\xA4', "2丁目"}, {'\xA4', "5~7丁目"}}),
              (std::vector<std::string>{"1|丁目", "2|丁目", "5~7|丁目"}));
    // A text alternative starts the level over.
    EXPECT_EQ(alternatives({{0, "1丁目"}, {'\xA4', "ｿﾉ他"}}),
              (std::vector<std::string>{"1|丁目", "ｿﾉ他"}));
}

TEST(AddressElements, NestedLevelKeepsTheElementsBeforeIt) {
    std::string name = sj("見本"), a = sj("1~3番地"), b = sj("5番地");
    ElementList list;
    parseAddressElements(name, 0, list, 0);
    parseAddressElements(a, '(', list, 1);
    EXPECT_EQ(describe(list), "見本|1~3|番地");
    parseAddressElements(b, '\xA4', list, 1);
    EXPECT_EQ(describe(list), "見本|5|番地");
}

TEST(AddressElements, LongAndMalformedTextsStayInBounds) {
    std::string digits;
    for (int i = 0; i < 2000; ++i) digits += std::to_string(i % 10) + "-";
    ElementList list;
    std::size_t used = parseAddressElements(digits, 0, list, 0);
    EXPECT_EQ(list.count, keszip::kMaxAddressElements);
    EXPECT_LT(used, digits.size());
    EXPECT_EQ(list.items[list.count].kind, keszip::ElementKind::End);

    // A lead byte at the very end, and every byte value.
    std::string junk;
    for (int i = 0; i < 10000; ++i) junk += static_cast<char>((i * 37) & 0xFF);
    junk += '\x88';
    ElementList other;
    parseAddressElements(junk, 0, other, 0);
    EXPECT_LE(other.count, keszip::kMaxAddressElements);
    // A first index beyond the list is taken as its end.
    parseAddressElements(junk, '\xA5', other, 50);
    EXPECT_LE(other.count, keszip::kMaxAddressElements);
}
