#include <gtest/gtest.h>

#include "conversion/csv_line.h"
#include "conversion/messages.h"
#include "conversion/page_checks.h"
#include "conversion/record_conversion.h"
#include "conversion/text_rules.h"
#include "scripted.h"
#include "support/test_support.h"

using namespace converter;
using converter_test::ScriptedEngine;
using testing_support::sj;

TEST(TextRules, TrimTrailingSpacesIsDoubleByteAware) {
    EXPECT_EQ(trimTrailingSpaces("abc \t\r\n"), "abc");
    EXPECT_EQ(trimTrailingSpaces(sj("東京　　")), sj("東京"));
    EXPECT_EQ(trimTrailingSpaces("   "), "");
    // The second byte of "ソ" is a backslash-like 0x5C and "@" the same byte
    // as the full-width space's second one; neither is cut.
    EXPECT_EQ(trimTrailingSpaces(sj("ソ ")), sj("ソ"));
    char buffer[4] = {'a', '\x82', '\xa0', '\0'};
    // A lead byte in the last position of a 3-byte buffer is dropped.
    EXPECT_EQ(TrimTrailingSpaces(buffer, 3), 1u);
}

TEST(CsvLine, SplitsOnCommasOutsideQuotes) {
    CsvLine line;
    std::string f;
    const std::string text = sj("東京都,\"千代田区,\",  \"丸の内  \"");
    ASSERT_EQ(line.Split(text), 3u);
    EXPECT_EQ(line.Field(0, f), 6);
    EXPECT_EQ(f, sj("東京都"));
    line.Field(1, f);
    EXPECT_EQ(f, sj("千代田区,"));
    line.Field(2, f);
    EXPECT_EQ(f, sj("丸の内"));
    EXPECT_EQ(line.Field(3, f), -1);
    EXPECT_EQ(f, "");

    EXPECT_EQ(line.Split(""), 1u);
    EXPECT_EQ(line.Split("a,b,"), 3u);
    EXPECT_EQ(line.Split("a\\,b,c"), 2u);  // the backslash keeps the comma
    // A second byte equal to a backslash does not escape the comma after it.
    EXPECT_EQ(line.Split(sj("表,x")), 2u);
    EXPECT_EQ(line.Split("\"\""), 1u);
    line.Field(0, f);
    EXPECT_EQ(f, "");
    EXPECT_EQ(line.Split("\"a\\\""), 1u);
    line.Field(0, f);
    EXPECT_EQ(f, "a\\\"");  // an escaped closing quote stays
}

TEST(CsvLine, StopsAfterTheFieldLimit) {
    std::string text;
    for (int i = 0; i < 600; ++i) text += "x,";
    CsvLine line;
    EXPECT_EQ(line.Split(text), CsvLine::kMaxFields);
    std::string f;
    EXPECT_EQ(line.Field(511, f), 1);
    EXPECT_EQ(line.Field(512, f), -1);
}

TEST(Record, StrictChecksAndResultTexts) {
    ScriptedEngine engine;
    engine.place("A", "1000001", 1 | kKyotoFlag | kNoPrefectureFlag, "100  ", "13101");
    StrictCheckFlags none;
    RecordOutcome ok = ConvertRecordAddress(engine, "A", ConversionMode::Code7, none);
    EXPECT_FALSE(ok.failed);
    EXPECT_EQ(ok.result, "1000001");
    EXPECT_EQ(ConvertRecordAddress(engine, "A", ConversionMode::OldCode, none).result, "100  ");
    EXPECT_EQ(ConvertRecordAddress(engine, "A", ConversionMode::JisCode, none).result, "13101");
    EXPECT_EQ(ConvertRecordAddress(engine, "A", ConversionMode::Barcode, none).result,
              "1000001-2-3");
    StrictCheckFlags ken;
    ken.kennashi = true;
    RecordOutcome failed = ConvertRecordAddress(engine, "A", ConversionMode::Code7, ken);
    EXPECT_TRUE(failed.failed);
    EXPECT_EQ(BuildCheckText(failed.flags), sj("京都省略住所です\n都道府県名省略住所です\n"));
    StrictCheckFlags city;
    city.citynashi = true;
    EXPECT_FALSE(ConvertRecordAddress(engine, "A", ConversionMode::Code7, city).failed);
    EXPECT_TRUE(ConvertRecordAddress(engine, "B", ConversionMode::Code7, none).failed);
    EXPECT_EQ(BuildCheckText(0), sj("住所に誤りがあります。\n"));

    EXPECT_EQ(modeOf(0), ConversionMode::OldCode);
    EXPECT_EQ(fieldWidth(ConversionMode::Code7, 1), 8);
    EXPECT_EQ(fieldWidth(ConversionMode::OldCode, 1), 6);
    EXPECT_EQ(fieldWidth(ConversionMode::Barcode, 1), 13);
    EXPECT_EQ(fieldWidth(ConversionMode::JisCode, 1), 5);
    EXPECT_EQ(modeName(9), "");
}

TEST(Messages, TextsAndCaptions) {
    EXPECT_EQ(messageText(13), sj("最大変換エラー件数に達しました。\n処理を中止します。"));
    EXPECT_EQ(messageText(409), sj("郵便番号挿入位置の値が最大レコード長を超えています。"));
    EXPECT_EQ(messageCaption(6), sj("エラー (   6 )"));
    EXPECT_FALSE(isKnownMessage(16));
    EXPECT_EQ(messageText(999), "");
}

TEST(PageChecks, TextPageOrder) {
    OptionsBlock options;
    CnvParamBlock params;
    ConversionJob job;
    PageFields page;
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 11);
    page.source = "in.txt  ";
    EXPECT_EQ(checkTextPage(page, job, options, params).focus, PageField::Destination);
    page.destination = "./in.txt";
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 402);
    page.destination = "out.txt";
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 407);
    EXPECT_EQ(options.SFileName, "in.txt");  // stored although a later check failed
    page.pieceStart = {0, -1, 0, 0};
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 403);
    page.pieceStart = {1, 0, 0, 0};
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 408);
    page.pieceSize = {10, 0, 0, 0};
    EXPECT_EQ(checkTextPage(page, job, options, params).message, 405);
    page.insertPosition = 32768;
    PageCheck c = checkTextPage(page, job, options, params);
    EXPECT_EQ(c.message, 409);
    EXPECT_EQ(c.focus, PageField::InsertPosition);
    page.insertPosition = 1;
    page.markerFlag = true;
    page.marker = sj("エラーエラーエラー");
    EXPECT_TRUE(checkTextPage(page, job, options, params).ok());
    EXPECT_EQ(params.TXTCSVErrorStr, sj("エラーエラー"));
}

TEST(PageChecks, SdfCsvOptionsAndRange) {
    OptionsBlock options;
    CnvParamBlock params;
    ConversionJob job;
    PageFields page;
    page.source = "a";
    page.destination = "b";
    page.pieceStart = {1, 0, 0, 0};
    page.pieceSize = {5, 0, 0, 0};
    page.insertPosition = 1;
    page.lineBreaks = false;
    EXPECT_EQ(checkSdfPage(page, job, options).message, 507);
    page.recordLength = 32768;
    EXPECT_EQ(checkSdfPage(page, job, options).message, 509);
    page.recordLength = 100;
    EXPECT_TRUE(checkSdfPage(page, job, options).ok());
    EXPECT_EQ(job.layoutMode, 2);

    page.pieceStart = {0, 3, 0, 3};
    EXPECT_EQ(checkCsvPage(page, job, options, params).message, 604);
    page.pieceStart = {0, 3, 0, 0};
    page.quoted = false;
    EXPECT_TRUE(checkCsvPage(page, job, options, params).ok());
    EXPECT_EQ(job.layoutMode, 2);

    OptionsBlock edited = defaultOptions();
    edited.szErrName = "   ";
    EXPECT_EQ(collectOptions(edited, options).message, 700);
    edited.szErrName = "e.txt";
    edited.MaxErrCnt = -1;
    EXPECT_EQ(collectOptions(edited, options).focus, PageField::MaxErrors);
    edited.MaxErrFlg = 0;
    EXPECT_TRUE(collectOptions(edited, options).ok());
    EXPECT_EQ(options.MaxErrCnt, -1);

    EXPECT_EQ(checkRange(0, 5, job).message, 800);
    EXPECT_EQ(checkRange(1, 0, job).message, 801);
    EXPECT_EQ(checkRange(10, 9, job).message, 802);
    EXPECT_TRUE(checkRange(3, 5, job).ok());
    EXPECT_EQ(job.partial, 1);
    // Values past what the fields can hold are refused, not cut to 32 bits
    // (2-4294967298 would have become the range 2-2).
    EXPECT_EQ(checkRange(2, 4294967298LL, job).message, 801);
    EXPECT_EQ(checkRange(4294967298LL, 4294967299LL, job).message, 800);
    EXPECT_EQ(checkRange(1, 1000000000, job).message, 801);
    EXPECT_TRUE(checkRange(1, 999999999, job).ok());
    EXPECT_EQ(job.lastRecord, 999999999u);

    OptionsBlock start = defaultOptions();
    std::string question;
    ASSERT_TRUE(startQuestion(start, question).ok());
    EXPECT_EQ(question.rfind(sj("[ｵﾌﾟｼｮﾝ]"), 0), 0u);
    EXPECT_NE(question.find("100" + sj("件に達すると")), std::string::npos);
}
