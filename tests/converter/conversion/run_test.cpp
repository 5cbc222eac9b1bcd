#include <gtest/gtest.h>

#include "conversion/conversion_run.h"
#include "conversion/page_checks.h"
#include "conversion/settings.h"
#include "scripted.h"
#include "support/test_support.h"

using namespace converter;
using converter_test::ScriptedEngine;
using converter_test::ScriptedHost;
using testing_support::readFile;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

struct RunFixture : ::testing::Test {
    TempDir dir;
    ScriptedEngine engine;
    ScriptedHost host;
    ConversionJob job;

    void SetUp() override {
        OptionsBlock options = defaultOptions();
        options.MaxErrFlg = 0;
        applyOptions(options, job);
        job.sourceName = dir.file("in.txt");
        job.destinationName = dir.file("out.txt");
        job.errorFileName = "err.txt";
        job.insertPosition = 1;
        job.layoutMode = 1;
    }
    int run(SourceKind kind, const std::string& input) {
        writeFile(job.sourceName, input);
        return runConversion(kind, job, engine, host, dir.path());
    }
    std::string output() { return readFile(job.destinationName); }
    std::string errors() { return readFile(dir.file("err.txt")); }
};

}  // namespace

TEST_F(RunFixture, TextInsertsAtThePositionOrAfterTheLine) {
    engine.place("TOKYO", "1000001");
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {5, 0, 0, 0};
    // A Ctrl+Z byte ends the source.
    ASSERT_EQ(run(SourceKind::Text, "TOKYO rest\r\nTOKYO\nbad\n\x1aTOKYO\n"), kRunEnded);
    EXPECT_EQ(output(), "1000001 TOKYO rest\r\n1000001 TOKYO\r\nbad\r\n");
    EXPECT_EQ(host.errorCount, 1);
    EXPECT_EQ(host.finalCount, 3u);
    ASSERT_EQ(host.informs.size(), 1u);
    EXPECT_EQ(host.informs[0], sj("変換が終了しました。\n変換時間は 00:00:00 でした。"));

    job.insertPosition = 30;
    engine.hyphen = 1;
    job.cnvKbn = 1;
    run(SourceKind::Text, "TOKYO\n");
    EXPECT_EQ(output(), "TOKYO123    \r\n");  // field of 6, then the space
}

TEST_F(RunFixture, TextPiecesAndMarker) {
    engine.place("ABCDEFGHIJ", "1000001");
    engine.place("abcde", "2000002");
    // Piece 1 unused (start 0); piece 2 reaches past the short record and ends
    // the address there, so piece 3 adds nothing.
    job.pieceStart = {0, 1, 11, 1};
    job.pieceSize = {10, 10, 40, 2};
    job.insertPosition = 6;
    job.markerFlag = 1;
    job.marker = sj("エラー");
    run(SourceKind::Text, "ABCDEFGHIJ\nabcde\nxyz\n");
    EXPECT_EQ(engine.asked, (std::vector<std::string>{"ABCDEFGHIJ", "abcde", "xyz"}));
    EXPECT_EQ(output(), "ABCDE1000001 FGHIJ\r\nabcde2000002 \r\n" + sj("エラー") + " xyz\r\n");
}

TEST_F(RunFixture, LongLinesBecomeSeveralRecords) {
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {3, 0, 0, 0};
    run(SourceKind::Text, std::string(40000, 'x') + "\n");
    EXPECT_EQ(host.errorCount, 2);
    const std::string err = errors();
    EXPECT_NE(err.find("[1]"), std::string::npos);
    EXPECT_NE(err.find("[2]"), std::string::npos);
    EXPECT_EQ(output(), std::string(32766, 'x') + "\r\n" + std::string(7234, 'x') + "\r\n");

    // A line that fills a record exactly leaves no empty record behind.
    run(SourceKind::Csv, std::string(32766, 'y') + "\r\nb\n");
    EXPECT_EQ(output(), "\"\"," + std::string(32766, 'y') + "\r\n\"\",b\r\n");
}

TEST_F(RunFixture, ErrorFileIsExactShiftJisWithCrLf) {
    engine.place(sj("京都"), "6000000", 1 | 2 | 8);
    job.checks.kennashi = true;
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {20, 0, 0, 0};
    run(SourceKind::Text, sj("京都\n東京\n"));
    EXPECT_EQ(errors(), sj("ﾚｺｰﾄﾞNo：[1],住所文字列：[京都]\r\n"
                           "  京都省略住所です\r\n都道府県名省略住所です\r\n\r\n"
                           "ﾚｺｰﾄﾞNo：[2],住所文字列：[東京]\r\n"
                           "  住所に誤りがあります。\r\n\r\n"));
}

TEST_F(RunFixture, SdfFixedLengthAndLineFeedsInside) {
    engine.place("AAAA", "1000001");
    engine.hyphen = 1;
    engine.answers["AAAA"].code7 = "100-0001";
    job.layoutMode = 2;
    job.recordLength = 6;
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {4, 0, 0, 0};
    // The third read stops at the line feed; the last record loses its
    // trailing control byte.
    run(SourceKind::Sdf, "AAAA12AAAA34AB\nAAAA5\x01");
    EXPECT_EQ(output(), "100-0001 AAAA12100-0001 AAAA34         AB100-0001 AAAA5");
    EXPECT_EQ(host.errorCount, 1);
}

TEST_F(RunFixture, SdfFailedRecordGetsBlanksAndAppendedFieldHasNoSpace) {
    job.layoutMode = 1;
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {2, 0, 0, 0};
    job.insertPosition = 3;
    job.cnvKbn = 1;
    engine.place("OK", "1000001");
    run(SourceKind::Sdf, "XYZ\nOK\n");
    EXPECT_EQ(output(), "XY      Z\r\nOK123  \r\n");
}

TEST_F(RunFixture, CsvQuotingMarkerAndFieldLimit) {
    engine.place(sj("東京都千代田区丸の内"), "1000005");
    job.pieceStart = {1, 2, 3, 0};
    run(SourceKind::Csv, sj("東京都,\"千代田区  \",丸の内\nbad\n"));
    EXPECT_EQ(output(), sj("\"1000005\",東京都,\"千代田区  \",丸の内\r\n\"\",bad\r\n"));

    job.layoutMode = 2;
    job.markerFlag = 1;
    job.marker = "NG";
    job.cnvKbn = 1;
    job.pieceStart = {513, 0, 0, 0};
    engine.place("", "x");
    std::string wide;
    for (int i = 0; i < 600; ++i) wide += "a,";
    run(SourceKind::Csv, wide + "\nq\n");
    // A field beyond the limit adds nothing; the whole line is still copied,
    // and the old code is written without trailing blanks.
    EXPECT_EQ(output(), "123," + wide + "\r\n123,q\r\n");
    job.pieceStart = {1, 0, 0, 0};
    run(SourceKind::Csv, "zz\n");
    EXPECT_EQ(output(), "NG,zz\r\n");
}

TEST_F(RunFixture, PartialRangeAndRangeBeyondTheEnd) {
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {9, 0, 0, 0};
    ASSERT_TRUE(checkRange(3, 5, job).ok());
    std::string input;
    for (int i = 1; i <= 10; ++i) input += "r" + std::to_string(i) + "\n";
    run(SourceKind::Text, input);
    EXPECT_EQ(output(), "r3\r\nr4\r\nr5\r\n");
    const std::string err = errors();
    EXPECT_NE(err.find("[3],"), std::string::npos);
    EXPECT_NE(err.find("[5],"), std::string::npos);
    EXPECT_EQ(err.find("[6],"), std::string::npos);

    ASSERT_TRUE(checkRange(20, 30, job).ok());
    run(SourceKind::Csv, input);
    EXPECT_EQ(output(), "");
    EXPECT_EQ(host.informs.back(), sj("変換が終了しました。\n変換時間は 00:00:00 でした。"));
}

TEST_F(RunFixture, ErrorMaximum) {
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {9, 0, 0, 0};
    job.maxErrors = true;
    job.maxErrorCount = 2;
    engine.place("ok", "1000001");
    run(SourceKind::Text, "a\nok\nb\nc\n");
    EXPECT_EQ(output(), "a\r\n1000001 ok\r\nb\r\n");
    EXPECT_EQ(host.messages, std::vector<int>{13});

    // Count 0: the text run stops after a first good record, CSV never stops.
    host.messages.clear();
    job.maxErrorCount = 0;
    run(SourceKind::Text, "ok\nb\n");
    EXPECT_EQ(output(), "1000001 ok\r\n");
    host.messages.clear();
    run(SourceKind::Csv, "ok\nb\nc\n");
    EXPECT_EQ(output(), "\"1000001\",ok\r\n\"\",b\r\n\"\",c\r\n");
    EXPECT_TRUE(host.messages.empty());

    job.maxErrorCount = 1;
    run(SourceKind::Csv, "b\nc\n");
    EXPECT_EQ(output(), "\"\",b\r\n");
    EXPECT_EQ(host.messages, std::vector<int>{13});
    EXPECT_EQ(host.finalCount, 1u);  // the record written at the maximum counts
}

TEST_F(RunFixture, StopAndResume) {
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {9, 0, 0, 0};
    host.stopAtPump = 2;
    host.answers = {false};  // No: the run goes on
    run(SourceKind::Text, "a\nb\nc\n");
    EXPECT_EQ(output(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.informs.back().rfind(sj("変換が終了しました。"), 0), 0u);

    host.pumps = 0;
    host.answers = {true};
    host.tickStep = 3723000;  // start and end one hour, two minutes, three seconds apart
    run(SourceKind::Sdf, "a\nb\nc\n");
    EXPECT_EQ(output(), "        a\r\n        b\r\n");  // 7 blanks and the space
    EXPECT_EQ(host.informs.back(), sj("変換を中止しました。\nちなみにタイムは 01:02:03 でした。"));
}

TEST_F(RunFixture, EndCodesAndWriteFailure) {
    job.pieceStart = {1, 0, 0, 0};
    job.pieceSize = {9, 0, 0, 0};
    job.sourceName = dir.file("missing.txt");
    EXPECT_EQ(runConversion(SourceKind::Text, job, engine, host, dir.path()), kSourceNotOpened);
    writeFile(dir.file("in.txt"), "a\n");
    job.sourceName = dir.file("in.txt");
    job.destinationName = dir.file("no/such/dir.txt");
    EXPECT_EQ(runConversion(SourceKind::Text, job, engine, host, dir.path()),
              kDestinationNotOpened);
    job.destinationName = dir.file("out.txt");
    job.errorFileName = dir.file("no/err.txt");
    EXPECT_EQ(runConversion(SourceKind::Csv, job, engine, host, dir.path()), kErrorFileNotOpened);
    job.errorFile = false;
    engine.opens = false;
    EXPECT_EQ(runConversion(SourceKind::Sdf, job, engine, host, dir.path()), kEngineNotOpened);
    EXPECT_TRUE(host.informs.empty());

    engine.opens = true;
    job.destinationName = "/dev/full";
    for (SourceKind kind : {SourceKind::Text, SourceKind::Sdf, SourceKind::Csv}) {
        host.messages.clear();
        EXPECT_EQ(runConversion(kind, job, engine, host, dir.path()), kRunEnded);
        EXPECT_EQ(host.messages, std::vector<int>{6});
    }
}
