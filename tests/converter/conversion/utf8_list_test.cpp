// UTF-8 lists: told from Shift-JIS, read and written in UTF-8 (a byte order
// mark kept), the address alone put into Shift-JIS for the engine.
#include <gtest/gtest.h>

#include "conversion/conversion_run.h"
#include "conversion/run_start.h"
#include "conversion/settings.h"
#include "conversion/text_encoding.h"
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

const std::string kBom = "\xEF\xBB\xBF";

TEST(TextEncoding, FilesToldApart) {
    struct Case {
        std::string text;
        bool utf8;
    };
    const Case cases[] = {
        {kBom + "a,b\r\n", true},                    // the mark alone decides
        {"東京都千代田区丸の内１丁目,1\r\n", true},  // UTF-8 that cannot be Shift-JIS
        {sj("東京都千代田区丸の内１丁目,1\r\n"), false},
        {"plain ASCII,1\r\n", false},
        {"\xE3\x81\x82\xFF", false},  // neither: read as Shift-JIS as always
    };
    for (const Case& c : cases) {
        EXPECT_EQ(looksLikeUtf8(lookAtText(c.text, true)), c.utf8) << c.text;
    }
    // A character cut at the end of what was looked at is no fault.
    const std::string cut = std::string("東京都").substr(0, 7);
    EXPECT_TRUE(lookAtText(cut, false).validUtf8);
    EXPECT_FALSE(lookAtText(cut, true).validUtf8);
}

TEST(TextEncoding, AddressForTheEngine) {
    struct Case {
        std::string utf8;
        std::string sjis;
    };
    const Case cases[] = {
        {"東京都千代田区", sj("東京都千代田区")},
        {"丸の内1–2‑3", sj("丸の内1-2-3")},                // en dash, non-breaking hyphen
        {"𠮷田🏠町", sj("〓田〓町")},                       // no Shift-JIS form: the placeholder
        {std::string("東京都").substr(0, 8), sj("東京")},  // a cut character left out
        // Every dash the engine's UTF-8 lookups read as a hyphen: ˗ ➖ ⸺ ⸻ too.
        {"丸の内1˗2➖3⸺4⸻5", sj("丸の内1-2-3-4-5")},
        {std::string("丸の内\0東京", 16), sj("丸の内")},  // the address ends at a NUL
    };
    for (const Case& c : cases) EXPECT_EQ(lookupFormOf(c.utf8), c.sjis) << c.utf8;
}

struct Utf8RunFixture : ::testing::Test {
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
        job.utf8 = true;
        job.markerFlag = 1;
        job.marker = sj("エラー");
        engine.place(sj("東京都"), "1000001");
        engine.place(sj("丸の内1-2"), "1000005");
    }
};

TEST_F(Utf8RunFixture, EveryKindReadsAndWritesUtf8) {
    struct Case {
        SourceKind kind;
        int layoutMode;
        std::array<std::int32_t, 4> pieceStart, pieceSize;
        int insert;
        bool mark;
        std::string in, out;
        const char* listed;  // the failed record's address in the error file
    };
    const Case cases[] = {
        {SourceKind::Csv,
         1,
         {2, 0, 0, 0},
         {},
         0,
         true,
         kBom + "x,\"東京都\"\r\ny,\"髙田🏠\",z\r\nw,丸の内1–2\r\n",
         kBom +
             "\"1000001\",x,\"東京都\"\r\n\"エラー\",y,\"髙田🏠\",z\r\n\"1000005\",w,丸の内1–2\r\n",
         "髙田🏠"},
        {SourceKind::Text,
         1,
         {1, 0, 0, 0},
         {9, 0, 0, 0},
         1,
         false,
         "東京都\n髙田町\n",
         "1000001 東京都\r\nエラー 髙田町\r\n",
         "髙田町"},
        // Nine bytes cut the second character of 髙田町 in two.
        {SourceKind::Sdf,
         1,
         {1, 0, 0, 0},
         {5, 0, 0, 0},
         4,
         false,
         "東京都\n髙田町\n",
         "東1000001 京都\r\n髙" + std::string(8, ' ') + "田町\r\n",
         "髙"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out);
        job.layoutMode = c.layoutMode;
        job.pieceStart = c.pieceStart;
        job.pieceSize = c.pieceSize;
        job.insertPosition = c.insert;
        job.byteOrderMark = c.mark;
        writeFile(job.sourceName, c.in);
        if (c.kind == SourceKind::Sdf) engine.place(sj("東"), "1000001");
        ASSERT_EQ(runConversion(c.kind, job, engine, host, dir.path()), kRunEnded);
        EXPECT_EQ(readFile(job.destinationName), c.out);
        const std::string errors = readFile(dir.file("err.txt"));
        EXPECT_EQ(errors.rfind(kBom, 0) == 0, c.mark);
        EXPECT_NE(errors.find("ﾚｺｰﾄﾞNo：[2],住所文字列：[" + std::string(c.listed) + "]"),
                  std::string::npos)
            << errors;
    }
}

// Settles the encoding and stops before the run, keeping the start question.
class Starter final : public RunStarter {
  public:
    std::string question;
    ConversionJob job;
    void refuse(const PageCheck&) override {}
    bool ask(std::string_view text, std::string_view) override {
        if (question.empty()) question = text;
        return true;
    }
    int run(SourceKind, const ConversionJob& j) override {
        job = j;
        return kRunEnded;
    }
    void showMessage(int) override {}
};

TEST(TextEncoding, SettingChoosesAndTheStartQuestionWarns) {
    TempDir dir;
    struct Case {
        TextEncoding chosen;
        std::string file;
        bool utf8, mark, warned;
    };
    const Case cases[] = {
        {TextEncoding::Automatic, kBom + "東京都\r\n", true, true, false},
        {TextEncoding::Automatic, sj("東京都\r\n"), false, false, false},
        {TextEncoding::Utf8, "abc\r\n", true, false, false},
        {TextEncoding::ShiftJis, "大阪府大阪市北区梅田\r\n", false, false, true},
    };
    for (const Case& c : cases) {
        writeFile(dir.file("in.csv"), c.file);
        PageFields page;
        page.source = dir.file("in.csv");
        page.destination = dir.file("out.csv");
        page.pieceStart = {1, 0, 0, 0};
        OptionsBlock options = defaultOptions();
        CnvParamBlock params = defaultCnvParam();
        params.TXTCSVEncoding = static_cast<std::int32_t>(c.chosen);
        ConversionJob job;
        Starter starter;
        ASSERT_EQ(startConversion(SourceKind::Csv, page, job, options, params, starter), kRunEnded);
        EXPECT_EQ(starter.job.utf8, c.utf8) << c.file;
        EXPECT_EQ(starter.job.byteOrderMark, c.mark) << c.file;
        EXPECT_EQ(starter.question.find(sj("UTF-8で書かれているようです")) != std::string::npos,
                  c.warned)
            << c.file;
    }
}

}  // namespace
