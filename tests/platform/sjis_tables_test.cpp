// The characters where code page 932 tables disagree (glibc's CP932, which
// the POSIX side uses, and Windows' own): both sides must give these bytes.
#include <gtest/gtest.h>
#include <platform/sjis.h>
#include <platform/sjis_utf16.h>

#include <optional>
#include <string>

namespace {

struct Case {
    const char* utf8;
    std::optional<std::string> sjis;  // nullopt: no Shift-JIS form
};

TEST(SjisTables, WriteTheSameBytesOnEverySystem) {
    const Case cases[] = {// JIS forms glibc writes and Windows writes only by best fit.
                          {"\u00A5", "\x5C"},
                          {"\u203E", "\x7E"},
                          {"\u2014", "\x81\x5C"},
                          {"\u2016", "\x81\x61"},
                          {"\u2212", "\x81\x7C"},
                          {"\u301C", "\x81\x60"},
                          {"\u00A2", "\x81\x91"},
                          {"\u00A3", "\x81\x92"},
                          {"\u00AC", "\x81\xCA"},
                          // Their Windows forms.
                          {"\u2015", "\x81\x5C"},
                          {"\uFF5E", "\x81\x60"},
                          {"\u2225", "\x81\x61"},
                          {"\uFF0D", "\x81\x7C"},
                          // Characters with two or three codes: the one both tables choose.
                          {"\u2235", "\x81\xE6"},
                          {"\u2252", "\x81\xE0"},
                          {"\u2170", "\xFA\x40"},
                          {"\uFFE4", "\xFA\x55"},
                          {"\u7E8A", "\xFA\x5C"},
                          {"\u3231", "\x87\x8A"},
                          {"\u2460", "\x87\x40"},
                          {"\uFF61", "\xA1"},
                          {"\u00B4", "\x81\x4C"},
                          // Neither writes these; Windows reads 0x80 and 0xA0 as the first two.
                          {"\u0080", std::nullopt},
                          {"\uF8F0", std::nullopt},
                          {"\u00A6", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(platform::utf8ToSjis(c.utf8), c.sjis) << c.utf8;
}

TEST(SjisTables, ReadTheSameCharactersOnEverySystem) {
    const Case cases[] = {{"\uFF3C", "\x81\x5F"}, {"\uFF5E", "\x81\x60"}, {"\u2225", "\x81\x61"},
                          {"\uFF0D", "\x81\x7C"}, {"\uFFE0", "\x81\x91"}, {"\uFFE1", "\x81\x92"},
                          {"\uFFE2", "\x81\xCA"}, {"\u2015", "\x81\x5C"}, {"\u7E8A", "\xED\x40"},
                          {"\u2170", "\xFA\x40"}, {"\uE000", "\xF0\x40"}, {"\uE757", "\xF9\xFC"},
                          {"\u2252", "\x87\x90"}, {"\u2235", "\x87\x9A"}, {"\u2235", "\xFA\x5B"},
                          {"\\", "\x5C"},         {"~", "\x7E"},          {"\uFF61", "\xA1"},
                          {"\u30FB", "\x81\x45"}};
    for (const Case& c : cases) EXPECT_EQ(platform::sjisToUtf8(*c.sjis), c.utf8) << c.utf8;
    // Bytes only Windows' table defines, unassigned codes and a lone lead byte.
    for (const char* bytes :
         {"\x80", "\xA0", "\xFD", "\xFE", "\xFF", "\x85\x40", "\x81\xAD", "\x81"})
        EXPECT_FALSE(platform::sjisToUtf8(bytes)) << std::hex << int(bytes[0] & 0xFF);
}

TEST(SjisTables, WideTextsGoOnPastWhatHasNoCounterpart) {
    platform::Utf16Converter converter;
    std::string sjis;
    converter.toSjis(u"A\u00A5\u00A6\U0001F600B", sjis);
    EXPECT_EQ(sjis, "A\x5C??B");
    std::u16string wide;
    converter.toUtf16(std::string("a\x80\x93\x8C\xA0", 5), wide);
    EXPECT_EQ(wide, u"a?\u6771?");
}

}  // namespace
