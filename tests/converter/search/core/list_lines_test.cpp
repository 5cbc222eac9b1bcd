// The list lines, labels and fixed choices of the search dialogs, byte for byte.
#include <gtest/gtest.h>

#include "search/core/search_list_lines.h"
#include "search/core/search_place_lists.h"
#include "support/test_support.h"

using namespace converter::search;
using testing_support::sj;
using testing_support::u8;

namespace {

CodeEntry kasumigaseki(int flags, std::string code7, std::string oldCode) {
    return {flags, std::move(oldCode), std::move(code7),      sj("東京都"), sj("千代田区"),
            "",    sj("霞が関"),       sj("(次のビルを除く)")};
}

}  // namespace

TEST(CodeSearchLine, PrefixFollowsTheCodeWidthAndHyphenMode) {
    // Hyphenated codes fill the column exactly; plain ones get one leading blank.
    EXPECT_EQ(u8(codeSearchLine(kasumigaseki(1, "100-0013", "100"), false)),
              "100-0013:東京都 千代田区 霞が関(次のビルを除く)");
    EXPECT_EQ(u8(codeSearchLine(kasumigaseki(1, "1000013", "10000"), false)),
              " 1000013:東京都 千代田区 霞が関(次のビルを除く)");
    EXPECT_EQ(u8(codeSearchLine(kasumigaseki(1, "1000013", "10000"), true)),
              " 10000:東京都 千代田区 霞が関(次のビルを除く)");
    EXPECT_EQ(u8(codeSearchLine(kasumigaseki(1, "100-0013", "100-00"), true)),
              "100-00:東京都 千代田区 霞が関(次のビルを除く)");
    // An old code that is a multiple of 100 keeps its two trailing blanks.
    EXPECT_EQ(u8(codeSearchLine(kasumigaseki(1, "1000013", "100  "), true)),
              " 100  :東京都 千代田区 霞が関(次のビルを除く)");
    // A text longer than the column is cut, as printf's precision does.
    EXPECT_EQ(codeSearchLine({1, "1234567890", "123456789", "", "", "", "", ""}, false),
              "12345678:");
    EXPECT_EQ(codeSearchLine({1, "1234567890", "123456789", "", "", "", "", ""}, true), "123456:");
}

TEST(CodeSearchLine, PiecesAndNotes) {
    // The building-exclusion flag leaves the note off; other notes stay.
    EXPECT_EQ(u8(codeSearchLine(kasumigaseki(0x21, "1000013", "10000"), false)),
              " 1000013:東京都 千代田区 霞が関");
    // Empty pieces add no blank; a ward adds its own.
    CodeEntry ward{1,
                   "06000",
                   "0600001",
                   sj("北海道"),
                   sj("札幌市"),
                   sj("中央区"),
                   sj("北一条西"),
                   sj("(１～１９丁目)")};
    EXPECT_EQ(u8(codeSearchLine(ward, false)),
              " 0600001:北海道 札幌市 中央区 北一条西(１～１９丁目)");
    CodeEntry noTown{1, "90718", "9071800", sj("沖縄県"), sj("八重山郡"), sj("与那国町"), "", ""};
    EXPECT_EQ(u8(codeSearchLine(noTown, false)), " 9071800:沖縄県 八重山郡 与那国町 ");

    EXPECT_TRUE(isListedCodeEntry(1));
    EXPECT_TRUE(isListedCodeEntry(0x21));
    EXPECT_FALSE(isListedCodeEntry(0x05));
    EXPECT_FALSE(isListedCodeEntry(0x41));
    EXPECT_FALSE(isListedCodeEntry(0x65));
}

TEST(OtherLines, TextSearchAndOfficeLines) {
    EXPECT_EQ(u8(textSearchLine({sj("東京都"), "", "", "", ""})), "東京都 ");
    EXPECT_EQ(u8(textSearchLine({sj("北海道"), sj("札幌市"), sj("中央区"), "", ""})),
              "北海道 札幌市 中央区 ");
    EXPECT_EQ(u8(textSearchLine(
                  {sj("東京都"), sj("千代田区"), "", sj("霞が関"), sj("(次のビルを除く)")})),
              "東京都 千代田区 霞が関(次のビルを除く)");

    OfficeEntry office{
        "4718571", sj("トヨタ 自動車　株式会社"), sj("愛知県"), sj("豊田市"), "", sj("トヨタ町"),
        sj("１")};
    EXPECT_EQ(u8(officeHitLine(office)),
              "4718571    トヨタ 自動車　株式会社\n            愛知県 豊田市 トヨタ町１");
    OfficeEntry bare{"1008050", sj("某社"), "", "", "", "", ""};
    EXPECT_EQ(u8(officeHitLine(bare)), "1008050    某社\n            ");
}

TEST(Labels, CountFormatsAndFixedTexts) {
    EXPECT_EQ(u8(resultLabel()), "検索結果");
    EXPECT_EQ(u8(codeCountLabel(1)), "検索結果　（ 取得件数 1 件 ）");
    EXPECT_EQ(u8(codeCountLabel(12345)), "検索結果　（ 取得件数 12345 件 ）");
    EXPECT_EQ(u8(textCountLabel(47)), "検索結果　　（ 取得件数 47 件 ）");
    EXPECT_EQ(u8(notFoundLine()), "住所は取得されませんでした。");
}

TEST(PlaceLists, PrefectureOrders) {
    const auto& names = prefectureNames();
    ASSERT_EQ(names.size(), 47u);
    EXPECT_EQ(u8(names[0]), "北海道");
    EXPECT_EQ(u8(names[12]), "東京都");
    EXPECT_EQ(u8(names[25]), "京都府");
    EXPECT_EQ(u8(names[46]), "沖縄県");

    auto office = officeAddressChoices();
    ASSERT_EQ(office.size(), 48u);
    EXPECT_EQ(office[0], "");
    std::string leading;
    for (int i = 1; i <= 7; ++i) leading += u8(office[i]) + ",";
    EXPECT_EQ(leading, "東京都,大阪府,愛知県,宮城県,京都府,神奈川県,福岡県,");
    // The other forty follow in the national order, none repeated.
    EXPECT_EQ(u8(office[8]), "北海道");
    EXPECT_EQ(u8(office[9]), "青森県");
    EXPECT_EQ(u8(office[10]), "岩手県");
    EXPECT_EQ(u8(office[11]), "秋田県");  // 宮城県 is among the seven
    EXPECT_EQ(u8(office[47]), "沖縄県");
    for (std::size_t i = 1; i < office.size(); ++i) {
        for (std::size_t j = i + 1; j < office.size(); ++j) {
            EXPECT_NE(office[i], office[j]) << u8(office[i]);
        }
    }
}
