// Runs started from the pages as a user starts them, compared byte for byte
// with what `zelko7 convert` writes for the same settings; partial runs
// through the range dialog and stops through "中止".
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/ceditn.h"
#include "gui/csv_page_ids.h"
#include "gui/digit_counter.h"
#include "gui/progress_dialog.h"
#include "gui/progress_dialog_ids.h"
#include "gui/range_dialog.h"
#include "gui/range_dialog_ids.h"
#include "gui/template_controls.h"
#include "gui/text_page_ids.h"
#include "gui_harness.h"

using namespace gui_testing;
using namespace gui::ids;
using testing_support::binPath;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::sj;
using testing_support::writeFile;

namespace {

// Prefecture, rest of the address, a further field; one row fails.
const char* const kRows[][3] = {{"東京都", "千代田区丸の内１丁目", "1"},
                                {"大阪府", "大阪市北区梅田３丁目", "2"},
                                {"北海道", "札幌市中央区北三条西６丁目", "3"},
                                {"どこでもない", "架空町", "4"},
                                {"沖縄県", "那覇市泉崎１丁目", "5"},
                                {"東京都", "新宿区西新宿２丁目", "6"},
                                {"京都府", "京都市中京区寺町通御池上る上本能寺前町", "7"},
                                {"神奈川県", "横浜市中区日本大通", "8"},
                                {"福岡県", "福岡市博多区博多駅前１丁目", "9"},
                                {"愛知県", "名古屋市中区三の丸３丁目", "10"}};

std::string csvSource() {
    std::string text;
    for (const auto& row : kRows)
        text += std::string(row[0]) + "," + row[1] + "," + row[2] + "\r\n";
    return sj(text);
}

// The address in bytes 1-60 of each line, a tail after it.
std::string textSource() {
    std::string text;
    for (const auto& row : kRows) {
        std::string address = sj(std::string(row[0]) + row[1]);
        address.resize(60, ' ');
        text += address + sj(std::string("|No.") + row[2]) + "\r\n";
    }
    return text;
}

int zelko7(const std::string& arguments) {
    return runCommand(binPath("zelko7") + " " + arguments + " >/dev/null 2>&1");
}

// Does `act` on the run dialog once its counter has reached `records`.
void onceTheRunReaches(std::uint32_t records, std::function<void(gui::ProgressDialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, records, act] {
        auto* run = qobject_cast<gui::ProgressDialog*>(QApplication::activeModalWidget());
        if (!run || run->counter()->pendingValue() < records) return;
        timer->stop();
        timer->deleteLater();
        act(run);
    });
    timer->start();
}

// The CSV page filled as a user fills it: names typed, fields 1 and 2.
void fillCsvPage(Program& program, const std::string& source, const std::string& destination) {
    program.goToPage(csv_page::kTemplate);
    program.type(csv_page::kTemplate, csv_page::kSourceEdit,
                 QString::fromStdString(program.dir.file(source)));
    program.type(csv_page::kTemplate, csv_page::kDestinationEdit,
                 QString::fromStdString(program.dir.file(destination)));
    program.type(csv_page::kTemplate, csv_page::kField1Edit, QStringLiteral("1"));
    program.type(csv_page::kTemplate, csv_page::kField2Edit, QStringLiteral("2"));
}

}  // namespace

TEST(ConversionRun, WholeCsvRunMatchesTheCommandLineByteForByte) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    writeFile(program.dir.file("in.csv"), csvSource());
    fillCsvPage(program, "in.csv", "gui.csv");
    program.click(csv_page::kTemplate, csv_page::kMarkerCheck);
    program.type(csv_page::kTemplate, csv_page::kMarkerEdit, QStringLiteral("不明"));
    program.dialogs.answers = {true};
    program.click(csv_page::kTemplate, csv_page::kRunAllButton);

    ASSERT_EQ(program.dialogs.questions.size(), 1u);
    EXPECT_TRUE(program.dialogs.questions[0].text.startsWith(QStringLiteral("[ｵﾌﾟｼｮﾝ]")));
    EXPECT_TRUE(program.dialogs.questions[0].text.endsWith(
        QStringLiteral("７桁郵便番号変換を開始していいですか？")));
    ASSERT_FALSE(program.dialogs.messages.empty());
    EXPECT_TRUE(program.dialogs.messages.back().text.startsWith(
        QStringLiteral("変換が終了しました。\n変換時間は ")));
    EXPECT_EQ(program.dialogs.messages.back().caption, QStringLiteral("終了確認"));

    ASSERT_EQ(zelko7("convert csv --source " + program.dir.file("in.csv") + " --dest " +
                     program.dir.file("cli.csv") +
                     " --fields 1,2 --mode 7 --no-hyphen --quote --marker 不明 --error-file " +
                     program.dir.file("cli-err.txt") + " --max-errors 100 --yes"),
              0);
    const std::string gui = readFile(program.dir.file("gui.csv"));
    EXPECT_EQ(gui, readFile(program.dir.file("cli.csv")));
    EXPECT_EQ(gui.substr(0, 10), "\"1000005\",");
    EXPECT_NE(gui.find(sj("\"不明\",どこでもない")), std::string::npos);
    // The error file beside the program (a bare name), the same as the command line's.
    EXPECT_EQ(readFile(program.dir.file("Zelko7err.txt")),
              readFile(program.dir.file("cli-err.txt")));
    // The page's numbers reached the settings after the run.
    EXPECT_EQ(program.context.params.CSVFieldNo[1], 2);
}

TEST(ConversionRun, WholeTextRunMatchesTheCommandLineByteForByte) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    writeFile(program.dir.file("in.txt"), textSource());
    program.goToPage(text_page::kTemplate);
    program.type(text_page::kTemplate, text_page::kSourceEdit,
                 QString::fromStdString(program.dir.file("in.txt")));
    program.type(text_page::kTemplate, text_page::kDestinationEdit,
                 QString::fromStdString(program.dir.file("gui.txt")));
    program.type(text_page::kTemplate, text_page::kAddress1StartEdit, QStringLiteral("1"));
    program.type(text_page::kTemplate, text_page::kAddress1SizeEdit, QStringLiteral("60"));
    program.type(text_page::kTemplate, text_page::kInsertEdit, QStringLiteral("61"));
    program.dialogs.answers = {true};
    program.click(text_page::kTemplate, text_page::kRunAllButton);
    ASSERT_EQ(zelko7("convert text --source " + program.dir.file("in.txt") + " --dest " +
                     program.dir.file("cli.txt") +
                     " --pieces 1:60 --insert 61 --mode 7 --no-hyphen --no-marker --error-file " +
                     program.dir.file("cli-err.txt") + " --max-errors 100 --yes"),
              0);
    const std::string gui = readFile(program.dir.file("gui.txt"));
    EXPECT_EQ(gui, readFile(program.dir.file("cli.txt")));
    EXPECT_NE(gui.find("1000005 |No.1\r\n"), std::string::npos);
    EXPECT_EQ(readFile(program.dir.file("Zelko7err.txt")),
              readFile(program.dir.file("cli-err.txt")));
}

TEST(ConversionRun, PartialRunThroughTheRangeDialog) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    writeFile(program.dir.file("in.csv"), csvSource());
    fillCsvPage(program, "in.csv", "part.csv");
    // The range dialog: first 10, last 9 is refused with 802; then 3 to 5.
    QTimer::singleShot(0, [&program] {
        auto* range = qobject_cast<gui::RangeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(range, nullptr);
        auto* first = gui::control<QLineEdit>(range, range_dialog::kFirstEdit);
        auto* last = gui::control<QLineEdit>(range, range_dialog::kLastEdit);
        EXPECT_EQ(gui::CEditN::of(first)->value(), 1);
        EXPECT_EQ(gui::CEditN::of(last)->value(), 999999999);
        gui::CEditN::of(first)->SetData(10);
        gui::CEditN::of(last)->SetData(9);
        QTest::mouseClick(gui::control<QPushButton>(range, range_dialog::kStartButton),
                          Qt::LeftButton);
        EXPECT_EQ(program.dialogs.messages.back().caption, QStringLiteral("エラー ( 802 )"));
        EXPECT_EQ(range->focusWidget(), first);
        gui::CEditN::of(first)->SetData(3);
        gui::CEditN::of(last)->SetData(5);
        QTest::mouseClick(gui::control<QPushButton>(range, range_dialog::kStartButton),
                          Qt::LeftButton);
    });
    program.dialogs.answers = {true};
    program.click(csv_page::kTemplate, csv_page::kRunPartButton);
    const std::string out = readFile(program.dir.file("part.csv"));
    EXPECT_EQ(out, sj("\"0600003\",北海道,札幌市中央区北三条西６丁目,3\r\n"
                      "\"\",どこでもない,架空町,4\r\n"
                      "\"9000021\",沖縄県,那覇市泉崎１丁目,5\r\n"))
        << testing_support::u8(out);
    EXPECT_NE(readFile(program.dir.file("Zelko7err.txt")).find(sj("ﾚｺｰﾄﾞNo：[4]")),
              std::string::npos);
}

TEST(ConversionRun, StopThroughTheStopButtonAsksAndEndsTheRun) {
    KESZIP_REQUIRE_REAL_DATA();
    Program program;
    std::string big;
    for (int i = 0; i < 400; ++i) big += csvSource();
    writeFile(program.dir.file("big.csv"), big);
    fillCsvPage(program, "big.csv", "stop.csv");
    // No error maximum for this run.
    program.context.options.MaxErrFlg = 0;

    // First "中止" answered No: the run goes on to the end.
    onceTheRunReaches(50, [](gui::ProgressDialog* run) {
        QTest::mouseClick(gui::control<QPushButton>(run, progress_dialog::kStopButton),
                          Qt::LeftButton);
    });
    program.dialogs.answers = {true, false};
    program.click(csv_page::kTemplate, csv_page::kRunAllButton);
    ASSERT_EQ(program.dialogs.questions.size(), 2u);
    EXPECT_EQ(program.dialogs.questions[1].text, QStringLiteral("変換を中止しますか？"));
    EXPECT_EQ(program.dialogs.questions[1].caption, QStringLiteral("中止確認"));
    EXPECT_TRUE(
        program.dialogs.messages.back().text.startsWith(QStringLiteral("変換が終了しました。")));
    EXPECT_EQ(std::count(big.begin(), big.end(), '\n'), [&] {
        const std::string out = readFile(program.dir.file("stop.csv"));
        return std::count(out.begin(), out.end(), '\n');
    }());

    // Then Yes: the run ends early with the stop message; the questions
    // are the start question, the overwrite question and the stop question.
    onceTheRunReaches(50, [](gui::ProgressDialog* run) {
        QTest::mouseClick(gui::control<QPushButton>(run, progress_dialog::kStopButton),
                          Qt::LeftButton);
    });
    program.dialogs.answers = {true, true, true};
    program.click(csv_page::kTemplate, csv_page::kRunAllButton);
    ASSERT_EQ(program.dialogs.questions.size(), 5u);
    EXPECT_EQ(
        program.dialogs.questions[3].text,
        QStringLiteral("変換先ファイルが既に存在します。\n上書きをしてもよろしいですか？\n\n") +
            QString::fromStdString(program.dir.file("stop.csv")));
    const Shown& end = program.dialogs.messages.back();
    EXPECT_TRUE(end.text.startsWith(QStringLiteral("変換を中止しました。\nちなみにタイムは ")));
    EXPECT_EQ(end.icon, gui::BoxIcon::Stop);
    const std::string out = readFile(program.dir.file("stop.csv"));
    const auto lines = std::count(out.begin(), out.end(), '\n');
    EXPECT_GE(lines, 50);
    EXPECT_LT(lines, 1000);
}
