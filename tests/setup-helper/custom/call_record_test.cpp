// Reading the call record: variable lookup, slot bounds and the edition
// number.
#include "src/call_record.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A call record over tables of fixed-size slots, as a setup program builds it.
class Record {
  public:
    Record(std::size_t nameSlot, std::size_t valueSlot)
        : nameSlot_(nameSlot), valueSlot_(valueSlot) {}

    void add(const std::string& name, const std::string& value) {
        names_.resize(names_.size() + nameSlot_, '\0');
        values_.resize(values_.size() + valueSlot_, '\0');
        std::memcpy(names_.data() + count_ * nameSlot_, name.data(),
                    std::min(name.size(), nameSlot_));
        std::memcpy(values_.data() + count_ * valueSlot_, value.data(),
                    std::min(value.size(), valueSlot_));
        ++count_;
    }

    CustomCallRecord with(const char* parameter) const {
        CustomCallRecord record{};
        record.nameSlotSize = static_cast<uint32_t>(nameSlot_);
        record.valueSlotSize = static_cast<uint32_t>(valueSlot_);
        record.variableCount = static_cast<uint32_t>(count_);
        record.variableNames = names_.data();
        record.variableValues = values_.data();
        record.parameter = parameter;
        return record;
    }

  private:
    std::size_t nameSlot_, valueSlot_, count_ = 0;
    std::vector<char> names_, values_;
};

TEST(CallRecord, VariablesAreFoundByTheirEnclosedNameCaseSensitively) {
    Record table(32, 64);
    table.add("%TARGETDIR%", "/opt/zelko7");
    table.add("%EDITION%", "2");
    table.add("%edition%", "1");
    table.add("PLAIN", "9");  // stored without its "%" signs: never matches
    EXPECT_EQ(custom::editionNumber(table.with("EDITION")), 2);
    EXPECT_EQ(custom::editionNumber(table.with("edition")), 1);
    EXPECT_EQ(custom::editionNumber(table.with("Edition")), 0);
    EXPECT_EQ(custom::editionNumber(table.with("PLAIN")), 0);
    EXPECT_EQ(custom::editionNumber(table.with("%EDITION%")), 0);  // the caller gives no "%"
    EXPECT_EQ(custom::lookupVariable(table.with(""), "TARGETDIR"), "/opt/zelko7");
    EXPECT_EQ(custom::lookupVariable(table.with(""), "MISSING"), "");
}

TEST(CallRecord, SlotsAreReadOnlyUpToTheirSize) {
    // Neither the name nor the value slot holds a NUL: both end at the slot.
    Record table(8, 4);
    table.add("%ABCDEF%", "12345");
    table.add("%NEXT%", "7");
    EXPECT_EQ(custom::lookupVariable(table.with(""), "ABCDEF"), "1234");
    EXPECT_EQ(custom::lookupVariable(table.with(""), "ABCDE"), "");
    EXPECT_EQ(custom::editionNumber(table.with("NEXT")), 7);

    // Only the first variableCount slots are searched.
    CustomCallRecord first = table.with("NEXT");
    first.variableCount = 1;
    EXPECT_EQ(custom::editionNumber(first), 0);
}

TEST(CallRecord, NamesLongerThanTheirLimitAndEmptyTablesFindNothing) {
    const std::string longName(30, 'N');  // 32 bytes with its signs, 33 with the NUL
    Record table(64, 8);
    table.add("%" + longName + "%", "1");
    table.add("%" + longName.substr(1) + "%", "2");
    EXPECT_EQ(custom::lookupVariable(table.with(""), longName), "");
    EXPECT_EQ(custom::lookupVariable(table.with(""), longName.substr(1)), "2");

    CustomCallRecord empty{};
    empty.parameter = "EDITION";
    EXPECT_EQ(custom::editionNumber(empty), 0);
    empty.variableCount = 3;  // a count without tables
    EXPECT_EQ(custom::editionNumber(empty), 0);
    empty.parameter = nullptr;
    EXPECT_EQ(custom::parameterText(empty), "");
}

TEST(CallRecord, EditionValuesAreReadAsDecimalIntegers) {
    EXPECT_EQ(custom::decimalValue("1"), 1);
    EXPECT_EQ(custom::decimalValue("  2"), 2);
    EXPECT_EQ(custom::decimalValue("2nd"), 2);
    EXPECT_EQ(custom::decimalValue("-1"), -1);
    EXPECT_EQ(custom::decimalValue("+1"), 1);
    EXPECT_EQ(custom::decimalValue(""), 0);
    EXPECT_EQ(custom::decimalValue("one"), 0);
    EXPECT_EQ(custom::decimalValue("99999999999999999999"), INT_MAX);
}

}  // namespace
